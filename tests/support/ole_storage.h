// IXStorage over OLE structured storage (compound files), so that the storage-backed
// store is tested against a real storage engine. Test code only: the library ships none.
#pragma once

#include <objbase.h>

#include <string>
#include <vector>

#include "base/unknown_impl.h"
#include "param/xstorage.h"

class COleXStorage : public CQVUnknownImpl<IXStorage> {
 public:
  // A new compound file (replacing one), opened transacted: nothing reaches the file
  // without commits. Throws CXFileException.
  static COleXStorage* CreateFile(const std::string& path);
  // An existing compound file, transacted.
  static COleXStorage* OpenFile(const std::string& path);

  ~COleXStorage() override;

  IXStorage* CreateStorage(const char* name, int mode) override;
  IXStorage* OpenStorage(const char* name) override;
  void DestroyStorage(const char* name) override;
  IXStorage* GetParentStorage() override;
  CTEnum<const char*>* EnumStorages() override;
  IXStorageElement* CreateStream(const char* name) override;
  IXStorageElement* OpenStream(const char* name) override;
  void DestroyStream(const char* name) override;
  void CommitStorage() override;
  CTEnum<const char*>* EnumStreams() override;

  int GetCommitCount() const { return m_commits; }

 private:
  COleXStorage(IStorage* storage, COleXStorage* parent, const char* name);
  CTEnum<const char*>* EnumElements(DWORD type);

  IStorage* m_storage;
  COleXStorage* m_parent;  // one reference
  std::string m_name;
  // Open sub-storages, without references (OLE opens an element only once): each removes itself when it goes.
  std::vector<COleXStorage*> m_children;
  int m_commits = 0;
};

// IXStorage over OLE structured storage (compound files), so that the storage-backed
// store is tested against a real storage engine. Test code only: the library ships none.
#pragma once

#include <objbase.h>

#include <string>

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
  // The open sub-storage of that name, if one is open (OLE opens an element only once).
  COleXStorage* FindOpenChild(const char* name) const;
  CTEnum<const char*>* EnumElements(DWORD type);

  IStorage* m_storage;
  COleXStorage* m_parent;  // one reference
  std::string m_name;
  // Open sub-storages, without references: each removes itself when it goes.
  COleXStorage* m_firstChild = nullptr;
  COleXStorage* m_nextSibling = nullptr;
  int m_commits = 0;
};

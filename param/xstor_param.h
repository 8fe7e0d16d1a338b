// CIXStorParam: a parameter tree over a structured storage. Storages are nodes, streams
// are values. Every operation reports failures of the storage by its result.
#pragma once

#include "base/iface_table.h"
#include "base/unknown_impl.h"
#include "base/xstring.h"
#include "param/param.h"
#include "param/xstorage.h"

class CIXStorParam : public CQVUnknownImplParent<IParam, IParam>, public IRegisterIface {
  typedef CQVUnknownImplParent<IParam, IParam> Base;

 public:
  // Adds its own reference on storage.
  CIXStorParam(IXStorage* storage, const char* name, IParam* parent);
  ~CIXStorParam() override;

  long AddRef() override { return Base::AddRef(); }
  // The last release commits the storage before the parent store goes.
  long Release() override;
  BOOL QueryInterface(const std::type_info& type, void** out) override;

  // IParam
  IParam* CreateChild(const char* path) override;
  IParam* GetChild(const char* path, BOOL create) override;
  void DeleteChild(const char* name) override;
  void DeleteAllChildren() override;
  CTEnum<const char*>* EnumChildren() override;
  BOOL GetValue(const char* path, tagQVVARIANT* out) override;
  void SetValue(const char* path, const tagQVVARIANT* value) override;
  void DeleteValue(const char* name) override;
  void DeleteAllValues() override;
  CTEnum<const char*>* EnumValues() override;
  void RemoveAll() override;

  // IRegisterIface
  BOOL RegisterIface(IQVUnknown* iface, const std::type_info& type, BOOL addRef) override;

 private:
  // The storage, or CXIFaceException once RemoveAll has let it go.
  IXStorage* Storage() const;
  // The direct child called name: opened, or made when create; with makeNew always made.
  IParam* OpenDirectChild(const char* name, BOOL create, BOOL makeNew);
  IParam* WalkToChild(const char* path, BOOL create, BOOL makeLastNew);
  void CommitQuietly() noexcept;

  CQVIfaceTable m_ifaces;
  CXString m_name;
  IXStorage* m_storage;
};

// CMemParam: the parameter store that lives in memory.
#pragma once

#include "base/iface_table.h"
#include "base/list.h"
#include "base/map.h"
#include "base/unknown_impl.h"
#include "base/xstring.h"
#include "param/param.h"

class CMemParam : public CQVUnknownImpl<IParam>, public IRegisterIface {
  typedef CQVUnknownImpl<IParam> Base;
  typedef CTListEnum<const char*, const char*> NameList;

 public:
  explicit CMemParam(const char* name);
  ~CMemParam() override;

  // IQVUnknown, for both bases. QueryInterface answers from the registered interfaces only.
  long AddRef() override { return Base::AddRef(); }
  long Release() override { return Base::Release(); }
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

  const char* GetName() const { return m_name; }

 private:
  enum { BUCKETS = 127 };

  // The direct child called name, without a reference; null when missing.
  IParam* FindChild(const char* name) const;
  // A new empty child called name, added to the list and the map; without a reference.
  IParam* AddChild(const char* name);
  void ReleaseChildren();

  CXString m_name;
  NameList* m_childNames;
  NameList* m_valueNames;
  CTMap<const unsigned long*, IParam*> m_children;
  CTMap<const unsigned long*, CQVVariant> m_values;
  CQVIfaceTable m_ifaces;
};

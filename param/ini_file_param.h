// CIniFileParam: a parameter store that works on an INI file through the system's
// profile-string functions and keeps none of the file's contents in memory.
#pragma once

#include "base/iface_table.h"
#include "base/string_enums.h"
#include "base/unknown_impl.h"
#include "base/xstring.h"
#include "param/param.h"
#include "param/profile_file.h"

class CIniFileParam : public CQVUnknownImpl<IParam>, public IRegisterIface {
  typedef CQVUnknownImpl<IParam> Base;

 public:
  // With ensureSection, a section without the key "@" gets "@=e" (and the file's folder is
  // made), so that every node's section exists. parent gets one reference.
  CIniFileParam(const char* fileName, const char* section, const char* name, IParam* parent,
                bool ensureSection);
  ~CIniFileParam() override;

  long AddRef() override { return Base::AddRef(); }
  long Release() override { return Base::Release(); }
  BOOL QueryInterface(const std::type_info& type, void** out) override;

  // IParam
  IParam* CreateChild(const char* name) override;
  IParam* GetChild(const char* name, BOOL create) override;
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

  // The enclosing store, with one reference for the caller; null for the root.
  virtual IParam* GetParent();
  virtual void SetParent(IParam* parent);

  const char* GetSection() const { return m_section; }

 private:
  CXString ChildSection(const char* name) const;
  // The child's section holds a key, or sections lie below it.
  bool ChildExists(const char* name) const;
  // A store for the child's section whether it exists or not; without a reference to spare.
  CIniFileParam* NewChild(const char* name, bool ensureSection);

  CProfileFile m_file;
  CXString m_section;
  CXString m_name;
  IParam* m_parent = nullptr;
  CQVIfaceTable m_ifaces;
};

// The names of the child sections of one section, in file order, each once.
class CIniFileEnum : public CZeroDelimitedStringsEnum {
 public:
  CIniFileEnum(const char* sectionNames, const char* section);
};

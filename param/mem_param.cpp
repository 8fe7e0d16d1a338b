#include "param/mem_param.h"

#include <utility>

#include "param/name_snapshot.h"
#include "param/param_path.h"
#include "param/param_ref.h"

CMemParam::CMemParam(const char* name)
    : m_name(name),
      m_childNames(new NameList),
      m_valueNames(nullptr),
      m_children(BUCKETS),
      m_values(BUCKETS) {
  try {
    m_valueNames = new NameList;
    // No reference: the store would otherwise keep itself alive.
    m_ifaces.Register(static_cast<IRegisterIface*>(this), typeid(IRegisterIface), FALSE);
  } catch (...) {
    if (m_valueNames) m_valueNames->Release();
    m_childNames->Release();
    throw;
  }
}

CMemParam::~CMemParam() {
  ReleaseChildren();
  m_values.RemoveAll();
  // Enumerators still out keep the name lists alive.
  m_childNames->Release();
  m_valueNames->Release();
}

BOOL CMemParam::QueryInterface(const std::type_info& type, void** out) { return m_ifaces.Query(type, out); }

BOOL CMemParam::RegisterIface(IQVUnknown* iface, const std::type_info& type, BOOL addRef) {
  return m_ifaces.Register(iface, type, addRef);
}

IParam* CMemParam::FindChild(const char* name) const {
  IParam* const* child = m_children.Find(name);
  return child ? *child : nullptr;
}

IParam* CMemParam::AddChild(const char* name) {
  QVRef<IParam> child(new CMemParam(name));
  NameList::Node* listed = m_childNames->AddString(name);
  try {
    m_children.SetAt(name, child.Get());
  } catch (...) {
    m_childNames->RemoveAt(listed);
    throw;
  }
  // The map holds the reference from here on.
  return child.Detach();
}

void CMemParam::ReleaseChildren() {
  QVPOSITION pos = m_children.GetStartPosition();
  while (pos) {
    const char* name;
    IParam* child;
    m_children.GetNextAssoc(pos, name, child);
    child->Release();
  }
  m_children.RemoveAll();
}

IParam* CMemParam::CreateChild(const char* path) {
  path = param_path::ChildName(path);
  CXString head;
  const char* tail;
  if (param_path::SplitFirst(path, head, tail)) {
    IParam* child = FindChild(head);
    if (!child) child = AddChild(head);
    // Held for the inner call: a caller's other references may go meanwhile.
    child->AddRef();
    QVRef<IParam> holder(child);
    return child->CreateChild(tail);
  }
  if (IParam* child = FindChild(path)) {
    child->RemoveAll();
    child->AddRef();
    return child;
  }
  IParam* child = AddChild(path);
  child->AddRef();
  return child;
}

IParam* CMemParam::GetChild(const char* path, BOOL create) {
  path = param_path::ChildName(path);
  CXString head;
  const char* tail;
  if (param_path::SplitFirst(path, head, tail)) {
    if (IParam* child = FindChild(head)) return child->GetChild(tail, create);
    return create ? CreateChild(path) : nullptr;
  }
  if (IParam* child = FindChild(path)) {
    child->AddRef();
    return child;
  }
  return create ? CreateChild(path) : nullptr;
}

void CMemParam::DeleteChild(const char* name) {
  // A copy: name may point into the list entry removed below.
  const CXString key(param_path::ChildName(name));
  if (IParam* child = GetChild(key, FALSE)) {
    QVRef<IParam> holder(child);
    child->RemoveAll();
  }
  if (IParam* child = FindChild(key)) {
    m_children.RemoveKey(key);
    m_childNames->RemoveString(key, TRUE);
    child->Release();
  }
}

void CMemParam::DeleteAllChildren() {
  CNameSnapshot names(EnumChildren());
  for (CNameSnapshot::Node* node = names.First(); node; node = node->next) DeleteChild(node->value);
  m_childNames->RemoveAll();
  ReleaseChildren();
}

CTEnum<const char*>* CMemParam::EnumChildren() { return m_childNames->NewEnum(); }

BOOL CMemParam::GetValue(const char* path, tagQVVARIANT* out) {
  CXString childPath;
  const char* lastName;
  if (param_path::SplitLast(path, childPath, lastName)) {
    QVRef<IParam> child(GetChild(childPath, FALSE));
    return child ? child->GetValue(lastName, out) : FALSE;
  }
  const CQVVariant* value = m_values.Find(param_path::ValueName(path));
  if (!value) return FALSE;
  // Without an output it only answers whether the value exists.
  if (out) QVVariantCopy(out, value);
  return TRUE;
}

void CMemParam::SetValue(const char* path, const tagQVVARIANT* value) {
  CXString childPath;
  const char* lastName;
  if (param_path::SplitLast(path, childPath, lastName)) {
    QVRef<IParam> child(GetChild(childPath, TRUE));
    if (child) child->SetValue(lastName, value);
    return;
  }
  const char* name = param_path::ValueName(path);
  // A null value is kept as an empty one.
  const CQVVariant copy = value ? CQVVariant(value) : CQVVariant();
  if (CQVVariant* existing = m_values.Find(name)) {
    *existing = copy;
    return;
  }
  m_values.SetAt(name, copy);
  try {
    m_valueNames->AddString(name);
  } catch (...) {
    m_values.RemoveKey(name);
    throw;
  }
}

void CMemParam::DeleteValue(const char* name) {
  const CXString key(param_path::ValueName(name));
  if (m_values.RemoveKey(key)) m_valueNames->RemoveString(key, TRUE);
}

void CMemParam::DeleteAllValues() {
  CNameSnapshot names(EnumValues());
  for (CNameSnapshot::Node* node = names.First(); node; node = node->next) DeleteValue(node->value);
}

CTEnum<const char*>* CMemParam::EnumValues() { return m_valueNames->NewEnum(); }

void CMemParam::RemoveAll() {
  // Fresh lists: an enumerator still walking the old ones keeps them, not dangling nodes.
  NameList* childNames = new NameList;
  NameList* valueNames;
  try {
    valueNames = new NameList;
  } catch (...) {
    childNames->Release();
    throw;
  }
  std::swap(childNames, m_childNames);
  std::swap(valueNames, m_valueNames);
  childNames->Release();
  valueNames->Release();
  ReleaseChildren();
  m_values.RemoveAll();
}

extern "C" IParam* new_MemParam() { return new CMemParam(""); }

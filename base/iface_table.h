// Interfaces registered on an object after its creation (IRegisterIface), keyed by type name.
#pragma once

#include <windows.h>

#include <typeinfo>

#include "base/alloc.h"
#include "base/map.h"
#include "base/unknown.h"

// One registered interface. With holdsReference set the record owns one reference.
struct _tIQVUnknown : QVHeapObject {
  _tIQVUnknown(const char* name, IQVUnknown* iface, BOOL addRef)
      : typeName(name), pIface(iface), holdsReference(addRef && iface) {
    if (holdsReference) pIface->AddRef();
  }
  ~_tIQVUnknown() {
    if (holdsReference) pIface->Release();
  }
  _tIQVUnknown(const _tIQVUnknown&) = delete;
  _tIQVUnknown& operator=(const _tIQVUnknown&) = delete;

  const char* typeName;  // the descriptor's own name, not a copy
  IQVUnknown* pIface;
  BOOL holdsReference;
};

// The table behind an IRegisterIface implementation and the QueryInterface that answers from it.
class CQVIfaceTable {
 public:
  CQVIfaceTable() = default;
  ~CQVIfaceTable() { RemoveAll(); }
  CQVIfaceTable(const CQVIfaceTable&) = delete;
  CQVIfaceTable& operator=(const CQVIfaceTable&) = delete;

  // As IRegisterIface::RegisterIface.
  BOOL Register(IQVUnknown* iface, const std::type_info& type, BOOL addRef) {
    const char* name = type.name();
    _tIQVUnknown* old = nullptr;
    const BOOL existed = m_records.Lookup(name, old);
    if (!iface) {
      if (!existed) return FALSE;
      m_records.RemoveKey(name);
      delete old;
      return TRUE;
    }
    // The new record takes its reference before the old one drops its own: the same
    // interface may be registered again.
    m_records.SetAt(name, new _tIQVUnknown(name, iface, addRef));
    delete old;
    return TRUE;
  }
  // As IQVUnknown::QueryInterface, from the registered interfaces only.
  BOOL Query(const std::type_info& type, void** out) const {
    _tIQVUnknown* record = nullptr;
    if (!m_records.Lookup(type.name(), record)) {
      if (out) *out = nullptr;
      return FALSE;
    }
    return QVAnswerQuery(record->pIface, record->pIface, out);
  }
  int GetCount() const { return m_records.GetCount(); }
  void RemoveAll() {
    QVPOSITION pos = m_records.GetStartPosition();
    while (pos) {
      const char* name;
      _tIQVUnknown* record;
      m_records.GetNextAssoc(pos, name, record);
      delete record;
    }
    m_records.RemoveAll();
  }

 private:
  CTMap<const char*, _tIQVUnknown*> m_records;
};

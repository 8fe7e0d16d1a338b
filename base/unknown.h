// The root interface of every library object and interface identity by type name.
#pragma once

#include <windows.h>

#include <typeinfo>

#include "base/api.h"

// Root of every library interface; operations in this slot order.
struct IQVUnknown {
  virtual long AddRef() = 0;
  virtual long Release() = 0;
  // Answers whether the object has the interface; with out given, stores it with one reference.
  virtual BOOL QueryInterface(const std::type_info& type, void** out) = 0;
};

// One entry of the process-wide type-name registry.
struct _TI_Item {
  _TI_Item* next;
  char* name;
};

extern "C" {
// The unique entry for a decorated type name, added on first request. Descriptors from
// different modules with the same name map to the same entry.
TW_BASE_API _TI_Item* __find_ti_item(const char* name);
}

// The registry entry of interface I, looked up once per module.
template <class I>
inline _TI_Item* QVInterfaceItem() {
  static _TI_Item* const item = __find_ti_item(typeid(I).name());
  return item;
}

// True when the descriptor names interface I, whichever module the descriptor comes from.
template <class I>
inline bool QVIsInterface(const std::type_info& type) {
  return &type == &typeid(I) || __find_ti_item(type.name()) == QVInterfaceItem<I>();
}

// The common tail of every QueryInterface: iface is the answer or null.
inline BOOL QVAnswerQuery(void* iface, IQVUnknown* holder, void** out) {
  if (!iface) {
    if (out) *out = nullptr;
    return FALSE;
  }
  if (out) {
    *out = iface;
    holder->AddRef();
  }
  return TRUE;
}

// Lets further interfaces be attached to an object after it was created.
struct IRegisterIface : IQVUnknown {
  // iface given: registers it under type, replacing an earlier one, and returns TRUE.
  // iface null: removes the registration; TRUE when there was one.
  virtual BOOL RegisterIface(IQVUnknown* iface, const std::type_info& type, BOOL addRef) = 0;
};

// Helpers shared by the parameter store tests.
#pragma once

#include <mbctype.h>

#include <string>
#include <vector>

#include "base/variant.h"
#include "param/param.h"

// Every name an enumerator yields; the enumerator is released. Null gives {"<null>"}.
inline std::vector<std::string> Drain(CTEnum<const char*>* names) {
  if (!names) return {"<null>"};
  std::vector<std::string> items;
  const char* item;
  while (names->Next(1, &item, nullptr)) items.push_back(item);
  names->Release();
  return items;
}
inline std::vector<std::string> ValueNames(IParam* p) { return Drain(p->EnumValues()); }
inline std::vector<std::string> ChildNames(IParam* p) { return Drain(p->EnumChildren()); }

inline void SetInt(IParam* p, const char* path, int value) {
  const CQVVariant v(value);
  p->SetValue(path, &v);
}
inline void SetText(IParam* p, const char* path, const char* text) {
  const CQVVariant v(text);
  p->SetValue(path, &v);
}

// The value at path described as "<type>:<text>", or "missing".
std::string Describe(const tagQVVARIANT& v);
inline std::string ValueAt(IParam* p, const char* path) {
  CQVVariant v;
  if (!p->GetValue(path, &v)) return "missing";
  return Describe(v);
}

inline long RefCount(IQVUnknown* object) {
  object->AddRef();
  return object->Release();
}

// Runs a test body under the double-byte code page 932 and restores the previous one.
class DoubleByteCodePage {
 public:
  DoubleByteCodePage() : m_previous(_getmbcp()) { m_ok = _setmbcp(932) == 0; }
  ~DoubleByteCodePage() { _setmbcp(m_previous); }
  bool ok() const { return m_ok; }

 private:
  int m_previous;
  bool m_ok;
};

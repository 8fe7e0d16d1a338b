// Helpers shared by the parameter store tests.
#pragma once

#include <gtest/gtest.h>
#include <mbctype.h>

#include <string>
#include <vector>

#include "base/variant.h"
#include "param/ini_value.h"
#include "param/param.h"
#include "tests/support/scratch_folder.h"

typedef std::vector<std::string> Names;

// Every name an enumerator yields; the enumerator is released.
inline Names Drain(CTEnum<const char*>* names) {
  Names items;
  const char* item;
  while (names->Next(1, &item, nullptr)) items.push_back(item);
  names->Release();
  return items;
}
inline Names ValueNames(IParam* p) { return Drain(p->EnumValues()); }

// Sets the value at path to anything a variant holds.
template <class T>
void SetAt(IParam* p, const char* path, const T& value) {
  const CQVVariant v(value);
  p->SetValue(path, &v);
}

// A value as its INI text ("i42", "stext"); "none" for a type without a letter.
inline std::string Text(const tagQVVARIANT& v) {
  CXString text;
  return IniFormatValue(v, text) ? static_cast<const char*>(text) : "none";
}
// The value at path as INI text, or "missing".
inline std::string ValueAt(IParam* p, const char* path) {
  CQVVariant v;
  return p->GetValue(path, &v) ? Text(v) : "missing";
}

// Runs a test body under the double-byte code page 932 and restores the previous one.
class DoubleByteCodePage {
 public:
  DoubleByteCodePage() : m_previous(_getmbcp()) {
    EXPECT_EQ(0, _setmbcp(932)) << "code page 932 unavailable";
  }
  ~DoubleByteCodePage() { _setmbcp(m_previous); }

 private:
  int m_previous;
};

// The "fmem::" name of a block of memory that holds text.
std::string MemFileName(const std::string& text);

// Every node of a tree, depth first: "[path]" and then " name=value" per value.
std::string TreeText(IParam* root);

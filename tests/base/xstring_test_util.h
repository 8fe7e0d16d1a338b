// Helpers shared by the string class tests.
#pragma once

#include <mbctype.h>

#include <string>

#include "base/xstring.h"

inline std::string Str(const CXString& s) { return static_cast<const char*>(s); }

// The four header words in front of a string's characters.
struct BlockHeader {
  void* heap;
  long refs;
  long size;
  long capacity;
};
inline const BlockHeader& HeaderOf(const CXString& s) {
  return *(reinterpret_cast<const BlockHeader*>(static_cast<const char*>(s)) - 1);
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

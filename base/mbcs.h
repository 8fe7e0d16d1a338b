// Character steps in the process's multibyte code page, for the string class. A lead byte
// followed by the terminator counts as a character of its own, so malformed text is never
// read past its end.
#pragma once

#include <stddef.h>

extern "C" unsigned char* __cdecl __p__mbctype(void);

namespace mbcs {

// The C runtime's lead-byte table. Asked for every time: _setmbcp may put a new table in place.
inline const unsigned char* LeadTable() { return __p__mbctype(); }

inline bool IsLead(unsigned char c) { return (LeadTable()[c + 1] & 0x04) != 0; }

// Bytes of the character at p (1 or 2); p must not point at the terminator.
inline size_t CharBytes(const char* p) { return (IsLead(static_cast<unsigned char>(*p)) && p[1]) ? 2 : 1; }

// The character at p as a 16-bit value, lead byte high; 0 at the terminator.
inline unsigned short CharAt(const char* p) {
  const unsigned char c = static_cast<unsigned char>(*p);
  if (CharBytes(p) == 2) return static_cast<unsigned short>(c << 8 | static_cast<unsigned char>(p[1]));
  return c;
}

// The bytes of a character value: two when its high byte is a lead byte, else its low byte.
// Returns the number of bytes (1 or 2).
inline size_t EncodeChar(unsigned short ch, char out[2]) {
  const unsigned char high = static_cast<unsigned char>(ch >> 8);
  if (IsLead(high)) {
    out[0] = static_cast<char>(high);
    out[1] = static_cast<char>(ch & 0xFF);
    return 2;
  }
  out[0] = static_cast<char>(ch & 0xFF);
  return 1;
}

// Byte offset of character n (the terminator's offset when n reaches the end).
inline size_t ByteOffset(const char* s, int n) {
  const char* p = s;
  for (; n > 0 && *p; --n) p += CharBytes(p);
  return static_cast<size_t>(p - s);
}

// Number of characters up to the terminator.
inline int CharCount(const char* s) {
  int count = 0;
  for (const char* p = s; *p; p += CharBytes(p)) ++count;
  return count;
}

}  // namespace mbcs

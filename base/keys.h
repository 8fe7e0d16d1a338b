// String keys of the library's maps and name lists: the hash and the case folding they share.
#pragma once

#include <ctype.h>
#include <string.h>

// Folds one byte the way the case-insensitive hash does (C tolower), as a signed char.
inline int QVFoldKeyByte(char c) { return static_cast<signed char>(tolower(static_cast<unsigned char>(c))); }

// h = h × 257 + c over the key's bytes, c as a signed char, 32-bit wrap-around.
inline unsigned long QVHashString(const char* key) {
  unsigned long h = 0;
  if (key)
    for (; *key; ++key)
      h = h * 257 + static_cast<unsigned long>(static_cast<long>(static_cast<signed char>(*key)));
  return h;
}

// The same hash over the bytes folded to lower case.
inline unsigned long QVHashStringNoCase(const char* key) {
  unsigned long h = 0;
  if (key)
    for (; *key; ++key) h = h * 257 + static_cast<unsigned long>(static_cast<long>(QVFoldKeyByte(*key)));
  return h;
}

// Equality that matches the case-insensitive hash: equal keys always hash alike.
inline bool QVKeyEqualNoCase(const char* a, const char* b) {
  if (!a) a = "";
  if (!b) b = "";
  for (;; ++a, ++b) {
    if (QVFoldKeyByte(*a) != QVFoldKeyByte(*b)) return false;
    if (!*a) return true;
  }
}

inline bool QVKeyEqual(const char* a, const char* b) { return strcmp(a ? a : "", b ? b : "") == 0; }

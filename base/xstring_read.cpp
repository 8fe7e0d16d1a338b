// CXString: measuring, reading, comparing and searching.
#include <mbctype.h>
#include <mbstring.h>
#include <string.h>

#include "base/xstring.h"
#include "base/xstring_block.h"

namespace {

const char* OrEmpty(const char* text) { return text ? text : ""; }

unsigned FoldCase(unsigned short ch) { return _mbctolower(ch); }

// Compares up to maxChars characters (all when negative), as 16-bit character values.
int CompareChars(const char* a, const char* b, int maxChars, bool ignoreCase) {
  for (int done = 0; maxChars < 0 || done < maxChars; ++done) {
    unsigned ca = mbcs::CharAt(a), cb = mbcs::CharAt(b);
    if (ignoreCase) {
      ca = FoldCase(static_cast<unsigned short>(ca));
      cb = FoldCase(static_cast<unsigned short>(cb));
    }
    if (ca != cb) return ca < cb ? -1 : 1;
    if (!*a) return 0;
    a += mbcs::CharBytes(a);
    b += mbcs::CharBytes(b);
  }
  return 0;
}

// Whether the character of n bytes at p is one of the characters of set.
bool InSet(const char* p, size_t n, const char* set) {
  for (const char* s = set; *s; s += mbcs::CharBytes(s))
    if (mbcs::CharBytes(s) == n && memcmp(s, p, n) == 0) return true;
  return false;
}

}  // namespace

int CXString::GetLength() const { return mbcs::CharCount(m_pchData); }

int CXString::GetSize() const { return m_pchData ? static_cast<int>(strlen(m_pchData)) : 0; }

int CXString::GetSize(int n) const { return static_cast<int>(mbcs::ByteOffset(m_pchData, n)); }

int CXString::GetSize(int start, int n) const {
  const char* from = GetData(start);
  return static_cast<int>(mbcs::ByteOffset(from, n));
}

const char* CXString::GetData(int n) const { return m_pchData + mbcs::ByteOffset(m_pchData, n); }

unsigned short CXString::GetAt(int n) const { return n < 0 ? 0 : mbcs::CharAt(GetData(n)); }

int CXString::Copy(char* dst) const {
  if (!dst) return 0;
  const size_t size = strlen(m_pchData);
  memcpy(dst, m_pchData, size + 1);
  return static_cast<int>(size);
}

int CXString::Copy(char* dst, int n) const {
  if (!dst) return 0;
  const size_t size = mbcs::ByteOffset(m_pchData, n);
  memcpy(dst, m_pchData, size);
  dst[size] = 0;
  return static_cast<int>(size);
}

int CXString::CopyFit(char* dst, int size) const {
  if (!dst || size <= 0) return 0;
  size_t used = 0;
  for (const char* p = m_pchData; *p;) {
    const size_t step = mbcs::CharBytes(p);
    if (used + step > static_cast<size_t>(size - 1)) break;
    used += step;
    p += step;
  }
  memcpy(dst, m_pchData, used);
  dst[used] = 0;
  return static_cast<int>(used);
}

int CXString::Compare(const char* text) const { return CompareChars(m_pchData, OrEmpty(text), -1, false); }

int CXString::CompareI(const char* text) const { return CompareChars(m_pchData, OrEmpty(text), -1, true); }

int CXString::CompareN(const char* text, int n) const {
  return n <= 0 ? 0 : CompareChars(m_pchData, OrEmpty(text), n, false);
}

int CXString::CompareIN(const char* text, int n) const {
  return n <= 0 ? 0 : CompareChars(m_pchData, OrEmpty(text), n, true);
}

int CXString::FindBytes(const char* what, size_t n, size_t from) const {
  if (n == 0) return -1;
  for (const char* p = m_pchData + from; *p; p += mbcs::CharBytes(p))
    if (strncmp(p, what, n) == 0) return static_cast<int>(p - m_pchData);
  return -1;
}

namespace {
// Character index of a byte offset known to be at a character boundary.
int CharIndex(const char* s, int byteOffset) {
  if (byteOffset < 0) return -1;
  int index = 0;
  for (const char* p = s; p < s + byteOffset; p += mbcs::CharBytes(p)) ++index;
  return index;
}
}  // namespace

int CXString::Find(const char* text, int start) const {
  if (IsEmpty() || !text || !*text) return -1;
  const size_t from = mbcs::ByteOffset(m_pchData, start > 0 ? start : 0);
  return CharIndex(m_pchData, FindBytes(text, strlen(text), from));
}

int CXString::Find(unsigned short ch, int start) const {
  if (IsEmpty() || !ch) return -1;
  char bytes[2];
  const size_t n = mbcs::EncodeChar(ch, bytes);
  const size_t from = mbcs::ByteOffset(m_pchData, start > 0 ? start : 0);
  for (const char* p = m_pchData + from; *p; p += mbcs::CharBytes(p))
    if (mbcs::CharBytes(p) == n && memcmp(p, bytes, n) == 0)
      return CharIndex(m_pchData, static_cast<int>(p - m_pchData));
  return -1;
}

int CXString::FindOnOf(const char* set, int start) const {
  if (IsEmpty() || !set) return -1;
  int index = start > 0 ? start : 0;
  for (const char* p = GetData(index); *p; p += mbcs::CharBytes(p), ++index)
    if (InSet(p, mbcs::CharBytes(p), set)) return index;
  return -1;
}

int CXString::FindRev(unsigned short ch) const {
  if (IsEmpty() || !ch) return -1;
  char bytes[2];
  const size_t n = mbcs::EncodeChar(ch, bytes);
  int found = -1, index = 0;
  for (const char* p = m_pchData; *p; p += mbcs::CharBytes(p), ++index)
    if (mbcs::CharBytes(p) == n && memcmp(p, bytes, n) == 0) found = index;
  return found;
}

// Scanning forwards and keeping the last hit steps over characters exactly as stepping
// backwards would, for single- and double-byte code pages alike.
int CXString::FindRevOnOf(const char* set) const {
  if (IsEmpty() || !set) return -1;
  int found = -1, index = 0;
  for (const char* p = m_pchData; *p; p += mbcs::CharBytes(p), ++index)
    if (InSet(p, mbcs::CharBytes(p), set)) found = index;
  return found;
}

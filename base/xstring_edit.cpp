// CXString: inserting, deleting, replacing, extracting, case and trimming.
#include <ctype.h>
#include <mbctype.h>
#include <mbstring.h>
#include <string.h>

#include "base/xstring.h"
#include "base/xstring_block.h"

void CXString::RangeBytes(int pos, int count, size_t& start, size_t& end) const {
  const long long length = GetLength();
  long long from = pos;
  if (from < 0 || from >= length) from = length;
  long long lo = from, hi = from + count;
  if (lo > hi) {
    const long long swap = lo;
    lo = hi;
    hi = swap;
  }
  if (lo < 0) lo = 0;
  if (hi > length) hi = length;
  start = mbcs::ByteOffset(m_pchData, static_cast<int>(lo));
  end = mbcs::ByteOffset(m_pchData, static_cast<int>(hi));
}

CXString& CXString::Insert(int pos, unsigned short ch) {
  if (!ch) return *this;
  char bytes[2];
  const size_t n = mbcs::EncodeChar(ch, bytes);
  const size_t at = pos < 0 ? strlen(m_pchData) : mbcs::ByteOffset(m_pchData, pos);
  ReplaceBytes(at, at, bytes, n);
  return *this;
}

CXString& CXString::Insert(int pos, const char* text) {
  if (!text || !*text) return *this;
  const size_t at = pos < 0 ? strlen(m_pchData) : mbcs::ByteOffset(m_pchData, pos);
  ReplaceBytes(at, at, text, strlen(text));
  return *this;
}

CXString& CXString::Delete(int pos, int count) {
  size_t start, end;
  RangeBytes(pos, count, start, end);
  if (start != end) ReplaceBytes(start, end, "", 0);
  return *this;
}

CXString& CXString::Replace(int pos, int count, const char* text) {
  if (!text || !*text) return *this;
  size_t start, end;
  RangeBytes(pos, count, start, end);
  if (start != end) ReplaceBytes(start, end, text, strlen(text));
  return *this;
}

int CXString::Extract(int pos, int count, CXString& out) const {
  size_t start, end;
  RangeBytes(pos, count, start, end);
  CXString part;
  part.AssignCopy(m_pchData + start, static_cast<int>(end - start));
  out = part;
  return static_cast<int>(end - start);
}

int CXString::Extract(int pos, int count) { return Extract(pos, count, *this); }

int CXString::FindReplaceBytes(const char* what, size_t whatBytes, const char* with, size_t withBytes) {
  const int at = FindBytes(what, whatBytes, 0);
  if (at < 0) return 0;
  ReplaceBytes(static_cast<size_t>(at), static_cast<size_t>(at) + whatBytes, with, withBytes);
  return 1;
}

int CXString::FindReplace(const char* what, const char* with) {
  if (!what || !*what || IsEmpty()) return 0;
  return FindReplaceBytes(what, strlen(what), with ? with : "", with ? strlen(with) : 0);
}

int CXString::FindReplace(const char* what, unsigned short with) {
  if (!what || !*what || IsEmpty()) return 0;
  char bytes[2];
  return FindReplaceBytes(what, strlen(what), bytes, with ? mbcs::EncodeChar(with, bytes) : 0);
}

int CXString::FindReplace(unsigned short what, const char* with) {
  if (!what || IsEmpty()) return 0;
  char bytes[2];
  const size_t n = mbcs::EncodeChar(what, bytes);
  return FindReplaceBytes(bytes, n, with ? with : "", with ? strlen(with) : 0);
}

int CXString::FindReplace(unsigned short what, unsigned short with) {
  if (!what || IsEmpty()) return 0;
  char whatBytes[2], withBytes[2];
  const size_t n = mbcs::EncodeChar(what, whatBytes);
  return FindReplaceBytes(whatBytes, n, withBytes, with ? mbcs::EncodeChar(with, withBytes) : 0);
}

namespace {

// Maps every character in place; a mapping that would change a character's byte length
// leaves that character as it is.
template <class Map>
void MapChars(char* p, Map map) {
  while (*p) {
    const size_t n = mbcs::CharBytes(p);
    const unsigned mapped = map(mbcs::CharAt(p));
    char bytes[2];
    if (mapped <= 0xFFFF && mbcs::EncodeChar(static_cast<unsigned short>(mapped), bytes) == n && mapped)
      memcpy(p, bytes, n);
    p += n;
  }
}

bool IsSpaceByte(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

CXString& CXString::Upper() {
  if (IsEmpty()) return *this;
  ReallocBuffer(GetSize() + 1);
  MapChars(m_pchData, [](unsigned short ch) { return _mbctoupper(ch); });
  return *this;
}

CXString& CXString::Lower() {
  if (IsEmpty()) return *this;
  ReallocBuffer(GetSize() + 1);
  MapChars(m_pchData, [](unsigned short ch) { return _mbctolower(ch); });
  return *this;
}

CXString& CXString::TrimLeft() {
  size_t lead = 0;
  while (m_pchData[lead] && IsSpaceByte(m_pchData[lead])) ++lead;
  if (lead) ReplaceBytes(0, lead, "", 0);
  return *this;
}

CXString& CXString::TrimRight() {
  size_t keep = 0;
  for (const char* p = m_pchData; *p;) {
    const size_t n = mbcs::CharBytes(p);
    p += n;
    if (n == 2 || !IsSpaceByte(p[-1])) keep = static_cast<size_t>(p - m_pchData);
  }
  const size_t size = strlen(m_pchData);
  if (keep < size) ReplaceBytes(keep, size, "", 0);
  return *this;
}

// CXString storage: the 16-byte block header, sharing, copy on write and locking.
#include <string.h>

#include "base/exceptions.h"
#include "base/heap.h"
#include "base/xstring.h"
#include "base/xstring_block.h"

namespace xstr {

// The shared empty string: header with count -1 and capacity 0, then one zero byte.
// Recognised by its address; never written.
long g_emptyRep[5] = {0, -1, 0, 0, 0};

Header* NewBlock(size_t n) {
  if (n > kLargestBuffer) throw CXMemException();
  const size_t blockSize = static_cast<size_t>(((n + 140) / 128) * 128 + 4);
  IHeap* heap = Mem_DefaultHeap(static_cast<int>(blockSize));
  auto* header = static_cast<Header*>(heap->Alloc(blockSize));  // heaps hand out zero-filled blocks
  header->heap = heap;
  header->refs = 1;
  header->size = 0;
  header->capacity = static_cast<long>(blockSize - sizeof(Header));
  return header;
}

void FreeBlock(Header* header) {
  // The heap word is the library-wide owner word in front of the rest of the block.
  QVFreeBlock(reinterpret_cast<char*>(header) + sizeof(IHeap*));
}

}  // namespace xstr

using xstr::HeaderOf;

bool CXString::IsEmptyRep() const { return m_pchData == xstr::EmptyData(); }

bool CXString::IsShared() const { return !IsEmptyRep() && HeaderOf(m_pchData)->refs > 1; }

int CXString::GetAllocSize(int n) { return ((n + 140) / 128) * 128 + 4; }

void CXString::Init() { m_pchData = xstr::EmptyData(); }

CXString::CXString() { Init(); }

CXString::CXString(const char* text) {
  Init();
  if (text && *text) AssignCopy(text, static_cast<int>(strlen(text)));
}

CXString::CXString(const CXString& other) {
  Init();
  if (other.IsEmptyRep()) return;
  xstr::Header* header = HeaderOf(other.m_pchData);
  if (header->refs >= 0) {
    ++header->refs;
    m_pchData = other.m_pchData;
  } else {
    AssignCopy(other.m_pchData, static_cast<int>(strlen(other.m_pchData)));  // locked: own copy
  }
}

CXString::~CXString() { Release(); }

void CXString::Release() {
  if (IsEmptyRep()) return;
  xstr::Header* header = HeaderOf(m_pchData);
  if (header->refs < 0) header->refs = 1;
  if (--header->refs == 0) xstr::FreeBlock(header);
  Init();
}

void CXString::Empty() { Release(); }

CXString& CXString::operator=(const CXString& other) {
  if (m_pchData == other.m_pchData) return *this;
  if (other.IsEmptyRep()) {
    Release();
  } else if (HeaderOf(other.m_pchData)->refs < 1) {
    AssignCopy(other.m_pchData, static_cast<int>(strlen(other.m_pchData)));
  } else {
    Release();
    ++HeaderOf(other.m_pchData)->refs;
    m_pchData = other.m_pchData;
  }
  return *this;
}

CXString& CXString::operator=(const char* text) {
  if (!text || !*text)
    Release();
  else
    AssignCopy(text, static_cast<int>(strlen(text)));
  return *this;
}

CXString& CXString::operator+=(const CXString& text) {
  ConcatCopy(text.m_pchData, text.GetSize());
  return *this;
}

CXString& CXString::operator+=(const char* text) {
  if (text) ConcatCopy(text, static_cast<int>(strlen(text)));
  return *this;
}

CXString& CXString::operator+=(unsigned short ch) {
  char bytes[2];
  if (ch) ConcatCopy(bytes, static_cast<int>(mbcs::EncodeChar(ch, bytes)));
  return *this;
}

CXString& CXString::operator+=(char ch) {
  return *this += static_cast<unsigned short>(static_cast<unsigned char>(ch));
}

void CXString::AllocBuffer(int n) {
  Release();
  m_pchData = xstr::NewBlock(n > 0 ? static_cast<size_t>(n) : 0)->data();
}

void CXString::ReallocBuffer(int n) {
  const size_t bytes = n > 0 ? static_cast<size_t>(n) : 0;
  if (IsEmptyRep()) {
    if (bytes == 0) return;
  } else {
    xstr::Header* header = HeaderOf(m_pchData);
    if (header->refs < 2 && bytes <= static_cast<size_t>(header->capacity)) return;
  }
  const size_t oldSize = strlen(m_pchData);
  xstr::Header* fresh = xstr::NewBlock(bytes);
  memcpy(fresh->data(), m_pchData, oldSize < bytes ? oldSize : bytes);
  fresh->size = static_cast<long>(bytes);
  Release();  // the old block stays alive as long as others share it
  m_pchData = fresh->data();
}

// The new block is filled before the old one is released, so p may point into this string.
void CXString::AssignCopy(const char* p, int n) {
  if (p == m_pchData) return;
  const size_t bytes = n > 0 ? static_cast<size_t>(n) : 0;
  xstr::Header* fresh = xstr::NewBlock(bytes + 1);
  memcpy(fresh->data(), p, bytes);
  fresh->size = static_cast<long>(bytes);
  Release();
  m_pchData = fresh->data();
}

void CXString::ConcatCopy(const char* p, int n) {
  if (n <= 0) return;
  const size_t size = strlen(m_pchData);
  ReplaceBytes(size, size, p, static_cast<size_t>(n));
}

void CXString::ConcatCopyTo(int pos, const char* p, int n) {
  const size_t size = strlen(m_pchData);
  if (pos < 0 || static_cast<size_t>(pos) >= size) {
    ConcatCopy(p, n);
    return;
  }
  ReplaceBytes(static_cast<size_t>(pos), size, p, n > 0 ? static_cast<size_t>(n) : 0);
}

void CXString::ReplaceBytes(size_t start, size_t end, const char* p, size_t n) {
  if (n > 0 && !IsEmptyRep()) {
    const char* block = m_pchData;
    if (p >= block && p < block + HeaderOf(m_pchData)->capacity) {
      CXString source;  // p points into this string, which is about to move
      source.AssignCopy(p, static_cast<int>(n));
      ReplaceBytes(start, end, source.m_pchData, n);
      return;
    }
  }
  const size_t size = strlen(m_pchData);
  const size_t newSize = size - (end - start) + n;
  if (newSize == 0 && IsEmptyRep()) return;
  if (newSize > xstr::kLargestBuffer) throw CXMemException();
  // Room for the larger of old and new, so a reallocation keeps the tail that moves.
  ReallocBuffer(static_cast<int>((newSize > size ? newSize : size) + 1));
  memmove(m_pchData + start + n, m_pchData + end, size - end + 1);
  memcpy(m_pchData + start, p, n);
  HeaderOf(m_pchData)->size = static_cast<long>(newSize + 1);
}

void CXString::ConcatInit(const char* a, int aBytes, const char* b, int bBytes) {
  const size_t total = static_cast<size_t>(aBytes) + static_cast<size_t>(bBytes);
  if (total == 0) {
    Release();
    return;
  }
  xstr::Header* fresh = xstr::NewBlock(total + 1);
  memcpy(fresh->data(), a, static_cast<size_t>(aBytes));
  memcpy(fresh->data() + aBytes, b, static_cast<size_t>(bBytes));
  fresh->size = static_cast<long>(total + 1);
  Release();
  m_pchData = fresh->data();
}

char* CXString::GetBuffer(int n) {
  const size_t bytes = n > 0 ? static_cast<size_t>(n) : 0;
  if (bytes >= xstr::kLargestBuffer) throw CXMemException();
  if (IsEmptyRep() || IsShared() || bytes + 1 > static_cast<size_t>(HeaderOf(m_pchData)->capacity)) {
    const size_t oldSize = strlen(m_pchData);
    xstr::Header* fresh = xstr::NewBlock(bytes + 1 > oldSize + 1 ? bytes + 1 : oldSize + 1);
    memcpy(fresh->data(), m_pchData, oldSize);
    fresh->size = static_cast<long>(bytes + 1);
    Release();
    m_pchData = fresh->data();
  }
  HeaderOf(m_pchData)->refs = -1;
  return m_pchData;
}

void CXString::ReleaseBuffer(int) {
  if (!IsEmptyRep() && HeaderOf(m_pchData)->refs < 0) HeaderOf(m_pchData)->refs = 1;
}

void CXString::FreeExtra() {}
void CXString::CharToOemA() {}
void CXString::OemToCharA() {}

CXString operator+(const CXString& a, const CXString& b) {
  CXString result;
  result.ConcatInit(a.m_pchData, a.GetSize(), b.m_pchData, b.GetSize());
  return result;
}

CXString operator+(const CXString& a, unsigned short ch) {
  char bytes[2];
  const int n = ch ? static_cast<int>(mbcs::EncodeChar(ch, bytes)) : 0;
  CXString result;
  result.ConcatInit(a.m_pchData, a.GetSize(), bytes, n);
  return result;
}

CXString operator+(unsigned short ch, const CXString& b) {
  char bytes[2];
  const int n = ch ? static_cast<int>(mbcs::EncodeChar(ch, bytes)) : 0;
  CXString result;
  result.ConcatInit(bytes, n, b.m_pchData, b.GetSize());
  return result;
}

CXString operator+(const CXString& a, const char* b) {
  CXString result;
  result.ConcatInit(a.m_pchData, a.GetSize(), b ? b : "", b ? static_cast<int>(strlen(b)) : 0);
  return result;
}

CXString operator+(const char* a, const CXString& b) {
  CXString result;
  result.ConcatInit(a ? a : "", a ? static_cast<int>(strlen(a)) : 0, b.m_pchData, b.GetSize());
  return result;
}

CXString operator+(const CXString& a, char ch) {
  return a + static_cast<unsigned short>(static_cast<unsigned char>(ch));
}

CXString operator+(char ch, const CXString& b) {
  return static_cast<unsigned short>(static_cast<unsigned char>(ch)) + b;
}

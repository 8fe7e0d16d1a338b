#include "param/ini_lines.h"

#include <ctype.h>

#include "base/alloc.h"
#include "base/mbcs.h"

namespace {
bool IsBlank(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }
// A single-byte character that is c (a trail byte never is).
bool IsSingle(const char* p, char c) { return *p == c && mbcs::CharBytes(p) == 1; }
}  // namespace

CInputBuffer::CInputBuffer(IXFile* file) : m_file(file), m_line(nullptr) {
  m_line = static_cast<char*>(QVAllocBlock(LINE_BUFFER_SIZE, nullptr));
  m_file->AddRef();
}

CInputBuffer::~CInputBuffer() {
  m_file->Release();
  QVFreeBlock(m_line);
}

bool CInputBuffer::ReadPhysicalLine() {
  m_line[0] = 0;
  const int length = m_file->ReadLine(m_line, LINE_BUFFER_SIZE);
  // An empty line still holds its line feed; only the end of the file leaves nothing.
  return length > 0 || m_line[0] != 0;
}

char* CInputBuffer::NextLine() {
  for (;;) {
    if (!m_rest) {
      if (!ReadPhysicalLine()) return nullptr;
      m_rest = m_line;
    }
    char* p = m_rest;
    while (IsBlank(*p) || *p == '|') ++p;
    if (!*p || *p == ';') {
      m_rest = nullptr;
      continue;
    }
    char* end = p;
    while (*end && !IsSingle(end, '|') && !IsSingle(end, ';')) end += mbcs::CharBytes(end);
    if (*end == '|') {
      m_rest = end + 1;
    } else {
      m_rest = nullptr;
    }
    *end = 0;
    // White space is single-byte and never a trail byte: trimming bytes is safe.
    while (end > p && IsBlank(end[-1])) *--end = 0;
    if (*p) return p;
  }
}

#include "base/string_enums.h"

#include <mbctype.h>
#include <string.h>

namespace {

size_t CharBytes(const char* p) { return (_ismbblead(static_cast<unsigned char>(*p)) && p[1]) ? 2 : 1; }

bool IsSeparator(const char* p, size_t bytes, const char* separators) {
  for (const char* s = separators; *s; s += CharBytes(s))
    if (CharBytes(s) == bytes && memcmp(s, p, bytes) == 0) return true;
  return false;
}

}  // namespace

CCharSeparatedStringsEnum::CCharSeparatedStringsEnum(const char* text, const char* separators,
                                                     IQVUnknown* owner)
    : CTArrayEnum<const char*>(owner), m_copy(QVStrDup(text ? text : "")) {
  if (!separators) separators = "";
  // At most one field starts at every other byte.
  const char** fields = AllocItems(static_cast<unsigned long>(strlen(m_copy) / 2 + 1));
  unsigned long count = 0;
  bool inField = false;
  for (char* p = m_copy; *p;) {
    const size_t bytes = CharBytes(p);
    if (IsSeparator(p, bytes, separators)) {
      memset(p, 0, bytes);
      inField = false;
    } else if (!inField) {
      fields[count++] = p;
      inField = true;
    }
    p += bytes;
  }
  SetCount(count);
}

CCharSeparatedStringsEnum::~CCharSeparatedStringsEnum() { QVFreeBlock(m_copy); }

namespace {
// Bytes of the list up to and including the empty string that ends it.
size_t ZeroListBytes(const char* list) {
  const char* p = list;
  while (*p) p += strlen(p) + 1;
  return static_cast<size_t>(p - list) + 1;
}
}  // namespace

CZeroDelimitedStringsEnum::CZeroDelimitedStringsEnum(const char* list, IQVUnknown* owner)
    : CTArrayEnum<const char*>(owner), m_copy(nullptr) {
  if (!list) list = "";
  const size_t bytes = ZeroListBytes(list);
  m_copy = static_cast<char*>(QVAllocBlock(bytes, nullptr));
  memcpy(m_copy, list, bytes);
  unsigned long count = 0;
  for (const char* p = m_copy; *p; p += strlen(p) + 1) ++count;
  const char** items = AllocItems(count);
  count = 0;
  for (const char* p = m_copy; *p; p += strlen(p) + 1) items[count++] = p;
  SetCount(count);
}

CZeroDelimitedStringsEnum::~CZeroDelimitedStringsEnum() { QVFreeBlock(m_copy); }

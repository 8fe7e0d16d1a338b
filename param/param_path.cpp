#include "param/param_path.h"

#include <string.h>

#include "base/mbcs.h"

namespace param_path {

const char* FindFirstDelimiter(const char* path) {
  if (!path) return nullptr;
  for (const char* p = path; *p; p += mbcs::CharBytes(p))
    if (*p == '\\') return p;
  return nullptr;
}

const char* FindLastDelimiter(const char* path) {
  const char* found = nullptr;
  if (!path) return nullptr;
  for (const char* p = path; *p; p += mbcs::CharBytes(p))
    if (*p == '\\') found = p;
  return found;
}

namespace {
CXString Prefix(const char* text, const char* end) {
  CXString prefix;
  const int bytes = static_cast<int>(end - text);
  char* buffer = prefix.GetBuffer(bytes);
  memcpy(buffer, text, bytes);
  buffer[bytes] = 0;
  prefix.ReleaseBuffer();
  return prefix;
}
}  // namespace

bool SplitFirst(const char* path, CXString& head, const char*& tail) {
  const char* delimiter = FindFirstDelimiter(path);
  if (!delimiter) return false;
  head = Prefix(path, delimiter);
  tail = delimiter + 1;
  return true;
}

bool SplitLast(const char* path, CXString& childPath, const char*& lastName) {
  const char* delimiter = FindLastDelimiter(path);
  if (!delimiter) return false;
  childPath = Prefix(path, delimiter);
  lastName = delimiter + 1;
  return true;
}

}  // namespace param_path

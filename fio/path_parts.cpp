#include "fio/path_parts.h"

#include <string.h>

#include "base/mbcs.h"

int FioLastDelimiter(const char* name) {
  int last = -1;
  for (const char* p = name; *p; p += mbcs::CharBytes(p))
    if (*p == '\\' || *p == '/') last = static_cast<int>(p - name);
  return last;
}

CXString FioDirectoryOf(const char* name) {
  const int last = FioLastDelimiter(name);
  if (last < 0) return CXString(".");
  CXString dir;
  char* text = dir.GetBuffer(last);
  memcpy(text, name, last);
  text[last] = 0;
  dir.ReleaseBuffer();
  return dir;
}

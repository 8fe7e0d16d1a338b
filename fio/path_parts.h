// Path pieces the file layer needs, double-byte aware.
#pragma once

#include "base/xstring.h"

// The part of name before its last "\" or "/"; "." when it has none.
CXString FioDirectoryOf(const char* name);
// Offset of the last "\" or "/" in name, or -1.
int FioLastDelimiter(const char* name);

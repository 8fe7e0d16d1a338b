// Paths of the parameter stores: names joined by backslashes, found at character
// boundaries of the multibyte code page so that a trail byte never splits a name.
#pragma once

#include "base/xstring.h"

namespace param_path {

// The first backslash of path (character-aware), or null.
const char* FindFirstDelimiter(const char* path);
// The last backslash of path (character-aware), or null.
const char* FindLastDelimiter(const char* path);

// Splits at the first backslash: head before it, tail after it. False when there is none.
bool SplitFirst(const char* path, CXString& head, const char*& tail);
// Splits at the last backslash: the child path before it, the last name after it.
bool SplitLast(const char* path, CXString& childPath, const char*& lastName);

// A value name as stored: "@" for null or empty.
inline const char* ValueName(const char* name) { return (name && *name) ? name : "@"; }
// A child name as used: "" for null.
inline const char* ChildName(const char* name) { return name ? name : ""; }

}  // namespace param_path

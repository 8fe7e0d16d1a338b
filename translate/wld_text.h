// The line and escape rules of dictionary files (".wld").
#pragma once

#include "base/xstring.h"

namespace wldtext {

// Cuts white space (carriage return included) at both ends of line, in place, stepping by
// characters so that a trail byte is never taken for white space. Returns the new start.
char* TrimLine(char* line);

// The text of an accepted line, between its opening quote and its last character, cut in
// place; null for a line that is skipped (comment, empty, one character, no leading quote).
const char* AcceptLine(char* line);

// Applies the escapes \n, \r and \t; a backslash before any other character stays with it,
// a doubled backslash drops the first one and stays an escape, and a final backslash goes.
CXString DecodeEscapes(const char* text);

}  // namespace wldtext

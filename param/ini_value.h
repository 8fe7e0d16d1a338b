// The text of one INI value: a type letter followed by the value's text.
#pragma once

#include "base/variant.h"
#include "base/xstring.h"

// The letter of a variant type; 0 for types that have none (blobs, interfaces).
char IniTypeLetter(unsigned short type);

// Appends the letter and the text of value to out; false (out unchanged) when the type has
// no letter. A string is cut at 1023 bytes and at a line break, which a line cannot hold.
bool IniFormatValue(const tagQVVARIANT& value, CXString& out);

// Reads text that begins with a type letter into out (cleared first). False, with out
// empty, when the letter is unknown or the text does not read.
bool IniParseValue(const char* text, tagQVVARIANT* out);

// True when name can stand on one line of a file (it holds no line break).
bool IniNameFitsOnALine(const char* name);

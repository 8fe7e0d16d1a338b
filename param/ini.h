// The INI text form of parameter trees: every node a section named by its path ("\" for
// the root, "\a\b" below it), every value a line "name=" + type letter + text.
#pragma once

#include "param/api.h"
#include "param/param.h"

extern "C" {
// Reads the file (with "|" separated entries, ";" comments and #include of further files)
// into root. 0 when root is null, else 1; a file that cannot be opened throws
// CXFileException, and what was read before stays in root.
TW_PARAM_API BOOL Param_IniFile2Param(const char* fileName, IParam* root);
// Writes root as the file, replacing it only when everything was written. 0 when root is
// null, else 1; failures throw CXFileException and leave the old file in place.
TW_PARAM_API BOOL Param_Param2IniFile(IParam* root, const char* fileName);
// A store that reads and writes the file through the system's profile-string functions,
// keeping nothing in memory. The root section "\", one reference for the caller.
TW_PARAM_API IParam* new_IParamIniFile(const char* fileName);
}

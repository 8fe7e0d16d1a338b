// Names as Windows compares them in the registry and the file system.
#pragma once

#include <string>

// The ANSI texts as UTF-16, compared ordinally with letter case folded and nothing else
// (no word sort, no locale): the way key names and file names are matched. Text that is not
// valid in the ANSI code page is compared byte for byte.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

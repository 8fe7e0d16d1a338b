// Names matched against patterns of the site standard: "*" any run of characters, "?" one
// character (a double-byte character counts as one), letter case ignored.
#pragma once

#include <string>

bool MatchesWildcard(const std::string& pattern, const std::string& name);

// Names equal but for letter case (multibyte), as the registry compares key names.
bool SameName(const std::string& a, const std::string& b);

// A usable pattern: not empty, no control characters and no "[" or "]" (character classes
// are not supported; taken literally they would silently match nothing).
bool IsValidWildcard(const std::string& pattern);

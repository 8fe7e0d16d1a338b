// Names matched against patterns of the site standard: "*" any run of characters, "?" one
// character (a double-byte character counts as one), letter case ignored.
#pragma once

#include <string>

bool MatchesWildcard(const std::string& pattern, const std::string& name);

// A usable pattern: not empty, no control characters and no "[" or "]" (character classes
// are not supported; taken literally they would silently match nothing).
bool IsValidWildcard(const std::string& pattern);

// Removing a test's scratch folder with everything in it.
#pragma once

#include <string>

// folder ends with a backslash.
void RemoveFolderTree(const std::string& folder);

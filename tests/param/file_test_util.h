// Memory-file names, a text form of a parameter tree and the profile functions' view of a file.
#pragma once

#include "tests/support/scratch_folder.h"

#include <windows.h>

#include <string>

#include "param/param.h"

// The "fmem::" name of a block of memory that holds text.
std::string MemFileName(const std::string& text);

// Every node of a tree, depth first: "[path]" and then " name=value" per value.
std::string TreeText(IParam* root);

// GetPrivateProfileStringA of one key, or "<absent>".
std::string ProfileString(const std::string& file, const char* section, const char* key);

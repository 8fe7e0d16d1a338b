// Reading the site standard and its profile files from a local or UNC path or an ftp://
// or http:// URL, through the library's file layer and INI reader.
#pragma once

#include <string>
#include <vector>

#include "engine/site_standard.h"

// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& name, std::string& bytes);

// The sections and keys of a plain INI text, as the system's profile functions read it.
std::vector<IniSection> ParseIniText(const std::string& text);

// A Source named relative to the site file is found beside it (folder or URL).
std::string ResolveBeside(const std::string& siteFile, const std::string& name);

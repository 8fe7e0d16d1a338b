// Products.ini: one section per application registration, platform sections listing such sections.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qvreg {

// Longest text value taken from a section: the program reads the registry values into 260 bytes.
constexpr size_t kMaxValueText = 259;

// What one application's registration key holds.
struct AppRegistration {
  std::string name;
  // "Loader", "Loader0", "Loader1"..., "CommandGroups", "Modules", "MenuGroup", "MenuFile", "Template",
  // "LargeIconName", "SmallIconName", "ShortcutIconName", in that order; empty texts left out.
  std::vector<std::pair<std::string, std::string>> texts;
  std::optional<DWORD> unloadable;
  std::optional<DWORD> stdLoadOrder;
};

// An existing file, as a full path (the INI functions would look for a bare name in the Windows folder).
bool ResolveIniPath(const char* path, std::string& fullPath);
// A section name that can be passed on: 1 to 1023 bytes.
bool IsValidSectionName(const char* section);

// Fills app (all but its name) from section. False when the section has no values, a text is longer
// than kMaxValueText or a number is not a decimal 32-bit unsigned number.
bool ReadAppRegistration(const std::string& iniPath, const std::string& section, AppRegistration& app);

// The entries "application=section" of a platform section, in file order. False when the section has
// no entries, or an entry's name is no valid application name or its section name is empty or too long.
bool ReadPlatformEntries(const std::string& iniPath, const std::string& section,
                         std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace qvreg

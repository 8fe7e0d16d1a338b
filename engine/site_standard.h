// A site standard: the profiles that every matching AutoCAD product of a workstation must
// have (created from a profile file, with their description, linked applications in load
// order and current profile), and the profiles to remove. Read from a plain INI file.
#pragma once

#include <string>
#include <vector>

#include "engine/model.h"

// The content of a plain INI file: sections and their keys in file order, values as the
// profile functions give them.
struct IniKey {
  std::string Name;
  std::string Value;
};
struct IniSection {
  std::string Name;
  std::vector<IniKey> Keys;
};

enum class ReplaceRule {
  Missing,  // created from Source only when the product lacks it
  Always,   // re-created from Source whenever it differs from it
};

struct SiteProfile {
  std::string Section;     // the section name as written
  std::string Name;        // the profile name
  StringList Products;     // patterns of product names
  std::string Source;      // the profile file it is created from
  ReplaceRule Replace = ReplaceRule::Missing;
  bool HasDescription = false;
  std::string Description;
  bool HasApplications = false;  // without the key the links are left as they are
  StringList Applications;       // exactly these linked, in this load order
  bool Current = false;
};

struct SiteStandard {
  std::vector<SiteProfile> Profiles;
  StringList RemovePatterns;  // profiles to delete, except those the standard keeps
};

enum class SiteErrorKind {
  BadSection,  // an unknown or repeated section
  BadKey,      // an unknown or repeated key
  MissingKey,
  BadValue,
};

struct SiteError {
  SiteErrorKind Kind;
  std::string Section;
  std::string Key;
  std::string Value;
};

// Fills site from the sections and returns every problem found; site is usable only when
// none was found.
std::vector<SiteError> ParseSiteStandard(const std::vector<IniSection>& sections, SiteStandard& site);

// A value's text without an inline comment (a ";" after a blank or tab), trimmed, with one
// pair of surrounding double quotes removed.
std::string SiteValueText(const std::string& raw);

// The ";"-separated items of a value, each trimmed (an empty value has none).
StringList SplitSiteList(const std::string& text);

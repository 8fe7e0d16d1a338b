#include "engine/site_standard.h"

#include <mbstring.h>

#include "engine/wildcard.h"

namespace {

const char kProfilePrefix[] = "Profile";
const char kRemoveSection[] = "Remove";
const size_t kMaxNameBytes = 255;          // a registry key name
const size_t kMaxProductNameBytes = 259;   // ProductName is read into 260 bytes
const size_t kMaxDescriptionBytes = 519;   // descriptions are read into 520 bytes

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool HasBackslash(const std::string& name) {
  return _mbschr(reinterpret_cast<const unsigned char*>(name.c_str()), '\\') != nullptr;
}

// A name the registry takes as one key below Profiles.
bool IsKeyName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxNameBytes && !HasBackslash(name);
}

bool ParseYesNo(const std::string& text, bool& value) {
  for (const char* yes : {"yes", "true", "1"})
    if (SameName(text, yes)) return value = true;
  for (const char* no : {"no", "false", "0"})
    if (SameName(text, no)) {
      value = false;
      return true;
    }
  return false;
}

// "Profile Office" names the profile Office; "" for any other section name.
std::string ProfileNameOf(const std::string& section) {
  const size_t prefix = sizeof kProfilePrefix - 1;
  if (section.size() <= prefix || !SameName(section.substr(0, prefix), kProfilePrefix)) return std::string();
  if (section[prefix] != ' ' && section[prefix] != '\t') return std::string();
  return Trim(section.substr(prefix));
}

class SectionParser {
 public:
  SectionParser(const IniSection& section, std::vector<SiteError>& errors) : section_(section), errors_(errors) {}

  // Each key once; an unknown or repeated key is an error. Returns the value, or null.
  const IniKey* Take(const char* name) {
    const IniKey* found = nullptr;
    for (const IniKey& key : section_.Keys)
      if (SameName(key.Name, name)) found = found ? found : &key;
    if (found) taken_.push_back(name);
    return found;
  }
  void ReportLeftOverKeys() {
    StringList seen;
    for (const IniKey& key : section_.Keys) {
      bool known = false;
      for (const std::string& name : taken_) known |= SameName(key.Name, name);
      bool repeated = false;
      for (const std::string& name : seen) repeated |= SameName(key.Name, name);
      if (!known || repeated) Error(SiteErrorKind::BadKey, key.Name, std::string());
      seen.push_back(key.Name);
    }
  }
  void Error(SiteErrorKind kind, const std::string& key, const std::string& value) {
    errors_.push_back(SiteError{kind, section_.Name, key, value});
  }
  // A list of patterns; false (and an error) when one is not usable.
  bool Patterns(const IniKey& key, bool profileNames, StringList& patterns) {
    patterns = SplitSiteList(SiteValueText(key.Value));
    for (const std::string& pattern : patterns)
      if (!IsValidWildcard(pattern) || pattern.size() > kMaxProductNameBytes ||
          (profileNames && HasBackslash(pattern))) {
        Error(SiteErrorKind::BadValue, key.Name, pattern);
        return false;
      }
    return true;
  }

 private:
  const IniSection& section_;
  std::vector<SiteError>& errors_;
  StringList taken_;
};

void ParseApplications(SectionParser& parser, const IniKey& key, SiteProfile& profile) {
  profile.HasApplications = true;
  profile.Applications = SplitSiteList(SiteValueText(key.Value));
  for (size_t i = 0; i < profile.Applications.size(); ++i) {
    const std::string& name = profile.Applications[i];
    bool repeated = false;
    for (size_t j = 0; j < i; ++j) repeated |= profile.Applications[j] == name;
    if (!IsKeyName(name) || repeated) {
      parser.Error(SiteErrorKind::BadValue, key.Name, name);
      return;
    }
  }
}

void ParseProfileSection(const IniSection& section, const std::string& name, SiteStandard& site,
                         std::vector<SiteError>& errors) {
  SectionParser parser(section, errors);
  SiteProfile profile;
  profile.Section = section.Name;
  profile.Name = name;
  if (!IsKeyName(name) || name.find_first_of("*?") != std::string::npos)
    parser.Error(SiteErrorKind::BadSection, std::string(), std::string());

  if (const IniKey* key = parser.Take("Products")) {
    if (parser.Patterns(*key, false, profile.Products) && profile.Products.empty())
      parser.Error(SiteErrorKind::MissingKey, key->Name, std::string());
  } else {
    parser.Error(SiteErrorKind::MissingKey, "Products", std::string());
  }
  if (const IniKey* key = parser.Take("Source")) {
    profile.Source = SiteValueText(key->Value);
    if (profile.Source.empty()) parser.Error(SiteErrorKind::MissingKey, key->Name, std::string());
  } else {
    parser.Error(SiteErrorKind::MissingKey, "Source", std::string());
  }
  if (const IniKey* key = parser.Take("Replace")) {
    const std::string rule = SiteValueText(key->Value);
    if (SameName(rule, "missing"))
      profile.Replace = ReplaceRule::Missing;
    else if (SameName(rule, "always"))
      profile.Replace = ReplaceRule::Always;
    else
      parser.Error(SiteErrorKind::BadValue, key->Name, rule);
  }
  if (const IniKey* key = parser.Take("Description")) {
    profile.HasDescription = true;
    profile.Description = SiteValueText(key->Value);
    if (profile.Description.size() > kMaxDescriptionBytes)
      parser.Error(SiteErrorKind::BadValue, key->Name, profile.Description.substr(0, 40) + "...");
  }
  if (const IniKey* key = parser.Take("Applications")) ParseApplications(parser, *key, profile);
  if (const IniKey* key = parser.Take("Current")) {
    const std::string text = SiteValueText(key->Value);
    if (!ParseYesNo(text, profile.Current)) parser.Error(SiteErrorKind::BadValue, key->Name, text);
  }
  parser.ReportLeftOverKeys();

  for (const SiteProfile& earlier : site.Profiles)
    if (SameName(earlier.Name, profile.Name)) parser.Error(SiteErrorKind::BadSection, std::string(), std::string());
  site.Profiles.push_back(profile);
}

void ParseRemoveSection(const IniSection& section, bool repeated, SiteStandard& site,
                        std::vector<SiteError>& errors) {
  SectionParser parser(section, errors);
  if (repeated) parser.Error(SiteErrorKind::BadSection, std::string(), std::string());
  if (const IniKey* key = parser.Take("Profiles")) parser.Patterns(*key, true, site.RemovePatterns);
  parser.ReportLeftOverKeys();
}

}  // namespace

std::string SiteValueText(const std::string& raw) {
  std::string text = raw;
  for (size_t at = text.find(';'); at != std::string::npos; at = text.find(';', at + 1))
    if (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t')) {
      text.erase(at);
      break;
    }
  text = Trim(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return text;
}

StringList SplitSiteList(const std::string& text) {
  StringList items;
  if (Trim(text).empty()) return items;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(';', start);
    items.push_back(Trim(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return items;
}

std::vector<SiteError> ParseSiteStandard(const std::vector<IniSection>& sections, SiteStandard& site) {
  site = SiteStandard();
  std::vector<SiteError> errors;
  bool removeSeen = false;
  for (const IniSection& section : sections) {
    const std::string profileName = ProfileNameOf(section.Name);
    if (!profileName.empty()) {
      ParseProfileSection(section, profileName, site, errors);
    } else if (SameName(Trim(section.Name), kRemoveSection)) {
      ParseRemoveSection(section, removeSeen, site, errors);
      removeSeen = true;
    } else {
      errors.push_back(SiteError{SiteErrorKind::BadSection, section.Name, std::string(), std::string()});
    }
  }
  return errors;
}

#include "regdll/section_registration.h"

#include <string>

#include "regdll/app_registration.h"

namespace qvreg {

namespace {

// The checks both entry points share; fills id, the full ini path and the section name.
bool TakeArguments(int mode, const char* acadId, const char* iniPath, const char* section, int reserved,
                   AcadId& id, std::string& fullIniPath, std::string& sectionName) {
  if (reserved != 0 || !IsValidMode(mode) || !id.Parse(acadId) || !ResolveIniPath(iniPath, fullIniPath) ||
      !IsValidSectionName(section))
    return false;
  sectionName = section;
  return true;
}

// Whether the section is for the product's release: "Platform\AutoCAD\R16.0" followed by the end of
// the name or a backslash (so that it does not also match release R16).
bool NamesRelease(const std::string& section, const AcadId& id) {
  const std::string pattern = "Platform\\" + id.ReleaseName();
  for (size_t at = section.find(pattern); at != std::string::npos; at = section.find(pattern, at + 1)) {
    const size_t end = at + pattern.size();
    if (end == section.size() || section[end] == '\\') return true;
  }
  return false;
}

// The mode the program derives from a platform section's name.
int ModeOfPlatformSection(const std::string& section) {
  if (section.find("\\x32") != std::string::npos) return k32BitView;
  if (section.find("\\x64") != std::string::npos) return k64BitView;
  return kEveryView;
}

}  // namespace

bool RegisterProductSection(int mode, const char* acadId, const char* iniPath, const char* section,
                            int reserved) {
  AcadId id;
  std::string ini;
  std::string sectionName;
  if (!TakeArguments(mode, acadId, iniPath, section, reserved, id, ini, sectionName)) return false;

  const std::string prefix = "Products\\" + id.ReleasePrefix();
  const size_t at = sectionName.find(prefix);
  if (at == std::string::npos) return false;
  AppRegistration app;
  app.name = sectionName.substr(at + prefix.size());
  if (!IsValidKeyName(app.name) || !ReadAppRegistration(ini, sectionName, app)) return false;
  return RegisterApplications(id, TargetViews(id, mode), {app});
}

bool RegisterPlatformSection(int mode, const char* acadId, const char* iniPath, const char* section,
                             int reserved) {
  AcadId id;
  std::string ini;
  std::string sectionName;
  if (!TakeArguments(mode, acadId, iniPath, section, reserved, id, ini, sectionName) ||
      !NamesRelease(sectionName, id) || ModeOfPlatformSection(sectionName) != mode)
    return false;

  std::vector<std::pair<std::string, std::string>> entries;
  if (!ReadPlatformEntries(ini, sectionName, entries)) return false;
  std::vector<AppRegistration> applications(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    applications[i].name = entries[i].first;
    if (!ReadAppRegistration(ini, entries[i].second, applications[i])) return false;
  }
  return RegisterApplications(id, TargetViews(id, mode), applications);
}

}  // namespace qvreg

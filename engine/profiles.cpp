#include "engine/profiles.h"

#include "engine/registry_io.h"
#include "engine/registry_tree.h"

namespace {

const size_t kNameBytes = 260;
const size_t kCurrentProfileBytes = 260;
const size_t kDescriptionBytes = 520;

// A profile is a direct child of Profiles: an empty name would address Profiles itself
// and a backslash a deeper key.
bool IsProfileKeyName(const std::string& name) {
  return !name.empty() && name.find('\\') == std::string::npos;
}

}  // namespace

std::string ProfilesKeyPath(const std::string& key) { return key + "\\Profiles"; }

std::string ProfileKeyPath(const std::string& key, const std::string& profileName) {
  return ProfilesKeyPath(key) + "\\" + profileName;
}

int ReadProfiles(const std::string& key, StringList& names, StringList& descriptions,
                 std::string& currentProfile, std::vector<bool>* unreadable) {
  names.clear();
  descriptions.clear();
  if (unreadable) unreadable->clear();
  fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKeyPath(key), KEY_ALL_ACCESS);
  if (!profiles) return 0;
  std::string current;
  if (!reg::ReadString(profiles.get(), "", kCurrentProfileBytes, current)) return 0;
  currentProfile = current;
  std::string name;
  for (DWORD i = 0; reg::EnumSubkey(profiles.get(), i, kNameBytes, name); ++i) {
    fw::RegKey profile = reg::OpenKey(HKEY_CURRENT_USER, ProfileKeyPath(key, name), KEY_ALL_ACCESS);
    if (!profile) break;
    std::string description;
    const bool read = reg::ReadString(profile.get(), "", kDescriptionBytes, description);
    names.push_back(name);
    descriptions.push_back(description);
    if (unreadable) unreadable->push_back(!read && reg::ValueExists(profile.get(), ""));
  }
  return static_cast<int>(names.size());
}

bool CopyProfile(const std::string& key, const std::string& sourceName, const std::string& targetName) {
  if (!IsProfileKeyName(sourceName) || !IsProfileKeyName(targetName)) return false;
  fw::RegKey source = reg::OpenKey(HKEY_CURRENT_USER, ProfileKeyPath(key, sourceName), KEY_ALL_ACCESS);
  if (!source) return false;
  fw::RegKey target = reg::CreateKey(HKEY_CURRENT_USER, ProfileKeyPath(key, targetName), KEY_ALL_ACCESS);
  if (!target) return false;
  return CopyRegistryTree(source.get(), target.get()) == ERROR_SUCCESS;
}

bool DeleteProfileKey(const std::string& key, const PMAcadProfile& profile) {
  if (!IsProfileKeyName(profile.Name)) return false;
  fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKeyPath(key), KEY_ALL_ACCESS);
  return profiles && DeleteRegistryTree(profiles.get(), profile.Name.c_str()) == ERROR_SUCCESS;
}

bool SetCurrentProfile(const std::string& key, const std::string& name) {
  fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKeyPath(key), KEY_ALL_ACCESS);
  return profiles && reg::WriteString(profiles.get(), "", name) == ERROR_SUCCESS;
}

bool WriteProfileDescription(const std::string& key, const std::string& profileName,
                             const std::string& description) {
  if (!IsProfileKeyName(profileName)) return false;
  fw::RegKey profile = reg::OpenKey(HKEY_CURRENT_USER, ProfileKeyPath(key, profileName), KEY_ALL_ACCESS);
  return profile && reg::WriteString(profile.get(), "", description) == ERROR_SUCCESS;
}

bool ProfileExists(const std::string& key, const std::string& profileName) {
  return IsProfileKeyName(profileName) &&
         static_cast<bool>(reg::OpenKey(HKEY_CURRENT_USER, ProfileKeyPath(key, profileName), KEY_READ));
}

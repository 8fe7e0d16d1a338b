#include "engine/run_profile.h"

#include "engine/profiles.h"
#include "engine/registry_io.h"

namespace {

const char kParkedValue[] = "Tarnwikc";
const char kCurrentProfileValue[] = "";  // the default value of {Key}\Profiles
const size_t kValueBytes = MAX_PATH;     // profile names as the registry layout allows

}  // namespace

bool ParkCurrentProfile(const std::string& key, const std::string& profile, std::string& parked) {
  fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKeyPath(key), KEY_ALL_ACCESS);
  if (!profiles) return false;
  parked.clear();
  if (!reg::ReadString(profiles.get(), kParkedValue, kValueBytes, parked)) {
    reg::ReadString(profiles.get(), kCurrentProfileValue, kValueBytes, parked);
    reg::WriteString(profiles.get(), kParkedValue, parked);
  }
  reg::WriteString(profiles.get(), kCurrentProfileValue, profile);
  return true;
}

bool MarkProfileStarted(const std::string& key, const std::string& profile, const std::string& pipeName) {
  fw::RegKey marker = reg::CreateKey(HKEY_CURRENT_USER, ProfileKeyPath(key, profile) + "\\Tarnwick", KEY_ALL_ACCESS);
  if (!marker) return false;
  const DWORD one = 1;
  if (::RegSetValueExA(marker.get(), "RunPM", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one) !=
      ERROR_SUCCESS)
    return false;
  return pipeName.empty() || reg::WriteString(marker.get(), "PipeName", pipeName) == ERROR_SUCCESS;
}

bool RestoreParkedProfile(const std::string& key, const std::string& fallback) {
  fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKeyPath(key), KEY_ALL_ACCESS);
  if (!profiles) return false;
  std::string previous = fallback;
  reg::ReadString(profiles.get(), kParkedValue, kValueBytes, previous);
  reg::WriteString(profiles.get(), kCurrentProfileValue, previous);
  ::RegDeleteValueA(profiles.get(), kParkedValue);
  return true;
}

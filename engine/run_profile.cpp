#include "engine/run_profile.h"

#include "engine/profiles.h"
#include "engine/registry_io.h"

const char kParkedProfileValue[] = "Tarnwikc";

namespace {

const char kCurrentProfileValue[] = "";  // the default value of {Key}\Profiles
const size_t kValueBytes = MAX_PATH;     // profile names as the registry layout allows

}  // namespace

bool ParkCurrentProfile(const std::string& key, const std::string& profile, std::string& parked) {
  fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKeyPath(key), KEY_ALL_ACCESS);
  if (!profiles) return false;
  parked.clear();
  if (!reg::ReadString(profiles.get(), kParkedProfileValue, kValueBytes, parked)) {
    reg::ReadString(profiles.get(), kCurrentProfileValue, kValueBytes, parked);
    reg::WriteString(profiles.get(), kParkedProfileValue, parked);
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
  reg::ReadString(profiles.get(), kParkedProfileValue, kValueBytes, previous);
  // A parked profile deleted while AutoCAD ran would leave the current profile naming nothing:
  // the one the run made current then stays. An empty one was current before and comes back.
  if (previous.empty() || ProfileExists(key, previous))
    reg::WriteString(profiles.get(), kCurrentProfileValue, previous);
  ::RegDeleteValueA(profiles.get(), kParkedProfileValue);
  return true;
}

bool ReadParkedProfile(const std::string& key, std::string& parked) {
  fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKeyPath(key), KEY_READ);
  return profiles && reg::ReadString(profiles.get(), kParkedProfileValue, kValueBytes, parked);
}

#include "engine/settings.h"

#include "framework/handles.h"

const char kSettingsKey[] = "Software\\Brevent Software\\Tarnwick\\1.0";
const char kCurAcadValue[] = "CurAcad";

bool ReadSetting(const char* name, std::string& value) {
  fw::RegKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  char buffer[MAX_PATH + 1] = "";
  DWORD size = MAX_PATH;  // one byte kept for a terminator the stored text may lack
  DWORD type = 0;
  if (::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      size == 0)
    return false;
  buffer[size] = '\0';
  value = buffer;
  return true;
}

bool WriteSetting(const char* name, const std::string& text) {
  fw::RegKey key;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key.put(), nullptr) != ERROR_SUCCESS)
    return false;
  return ::RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

#include "engine/settings.h"

#include "engine/registry_io.h"

const char kSettingsKey[] = "Software\\Brevent Software\\Tarnwick\\1.0";
const char kCurAcadValue[] = "CurAcad";

bool ReadSetting(const char* name, std::string& value) {
  fw::RegKey key = reg::OpenKey(HKEY_CURRENT_USER, kSettingsKey, KEY_READ);
  std::string text;
  if (!key || !reg::ReadString(key.get(), name, MAX_PATH, text, reg::TypeRule::AnyType) || text.empty())
    return false;
  value = text;
  return true;
}

bool WriteSetting(const char* name, const std::string& text) {
  fw::RegKey key = reg::CreateKey(HKEY_CURRENT_USER, kSettingsKey, KEY_ALL_ACCESS);
  return key && reg::WriteString(key.get(), name, text) == ERROR_SUCCESS;
}

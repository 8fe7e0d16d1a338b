// The program's own settings in HKEY_CURRENT_USER\Software\Brevent Software\Tarnwick\1.0.
#pragma once

#include <string>

extern const char kSettingsKey[];
extern const char kCurAcadValue[];  // the product last selected in the main dialog

// True only when the value was read and is not empty (260 bytes at most).
bool ReadSetting(const char* name, std::string& value);
// Stores text as REG_SZ; true on success.
bool WriteSetting(const char* name, const std::string& text);

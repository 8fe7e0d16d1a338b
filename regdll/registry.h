// Small registry helpers. HKEY_LOCAL_MACHINE paths always name their WOW64 view explicitly.
#pragma once

#include <string>
#include <vector>

#include "base/handles.h"

namespace qvreg {

// Access bits ORed into every HKEY_LOCAL_MACHINE access: 0 (32-bit view) or KEY_WOW64_64KEY.
using RegistryView = REGSAM;

// The views that exist on this machine: the 32-bit one, and the 64-bit one under WOW64.
std::vector<RegistryView> MachineViews();
bool IsRunningUnderWow64();

// Opens root\path; on failure returns the error and leaves key empty.
LONG OpenKey(HKEY root, const std::string& path, REGSAM access, fw::RegKey& key);
bool KeyExists(HKEY root, const std::string& path, RegistryView view);

// Names of the subkeys of key, in enumeration order; names the ANSI functions cannot give are left out.
std::vector<std::string> SubkeyNames(HKEY key);
std::vector<std::string> ValueNames(HKEY key);

// True for a REG_DWORD of exactly 4 bytes; value is left as it was otherwise.
bool ReadDword(HKEY key, const std::string& name, DWORD& value);
// True for a REG_SZ or REG_EXPAND_SZ of at most 64 KiB; value is left as it was otherwise.
bool ReadString(HKEY key, const std::string& name, std::string& value);

// A value as stored: type and bytes.
struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};
// 0 when the value was read, else the registry error (ERROR_FILE_NOT_FOUND when it is missing).
LONG ReadRawValue(HKEY key, const std::string& name, RawValue& value);

// Deletes parent\path with everything below it, depth first. 0 on success, else the error that
// stopped it (keys already deleted stay deleted).
LONG DeleteTree(HKEY parent, const std::string& path, RegistryView view);

}  // namespace qvreg

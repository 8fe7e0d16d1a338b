// Private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees for one test, plus small
// helpers to seed and inspect them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"

// Redirects HKLM and HKCU of this process to scratch keys below
// HKCU\Software\TarnwickTests\engine-<pid>; undoes it and removes the keys on destruction.
class RegistrySandbox {
 public:
  RegistrySandbox();
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

 private:
  std::string scratchPath_;
};

// Removes root\path with everything below it, also keys that deny reading.
void RemoveTree(HKEY root, const std::string& path, REGSAM view = 0);

namespace seed {

void CreatePath(HKEY root, const std::string& path, REGSAM view = 0);
void SetString(HKEY root, const std::string& path, const char* name, const std::string& text,
               REGSAM view = 0);
void SetDword(HKEY root, const std::string& path, const char* name, DWORD value);
// Stores the bytes exactly as given, with the given type.
void SetRaw(HKEY root, const std::string& path, const char* name, DWORD type, const std::string& bytes);
// Lets nobody read the key (so that opening it fails), while it can still be deleted.
void DenyReading(HKEY root, const std::string& path);

}  // namespace seed

namespace inspect {

bool KeyExists(HKEY root, const std::string& path);
// The value's type and stored bytes; false when it cannot be read.
bool RawValue(HKEY root, const std::string& path, const char* name, DWORD& type, std::string& bytes);
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path);
// Value names in enumeration order.
std::vector<std::string> ValueNames(HKEY root, const std::string& path);
// Every value and subkey below path, one line each ("path|name|type|hex bytes"), paths
// relative to path: two trees are equal when their dumps are.
std::string DumpTree(HKEY root, const std::string& path);

}  // namespace inspect

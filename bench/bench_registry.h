// Registry helpers of the benchmarks that seed AutoCAD products: names, key creation, values, and
// private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees for one run.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"

inline std::string ProductKey(int product) {
  return "Software\\Autodesk\\AutoCAD\\R" + std::to_string(20 + product) + ".0\\ACAD-" +
         std::to_string(product) + ":409";
}
inline std::string AppName(int app) { return "App" + std::to_string(app); }
inline std::string ProfileName(int profile) { return "Profile" + std::to_string(profile); }

inline fw::RegKey Create(HKEY root, const std::string& path) {
  fw::RegKey key;
  ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
  return key;
}
inline void SetText(HKEY key, const char* name, const std::string& text) {
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}
inline void SetNumber(HKEY key, const char* name, DWORD value) {
  ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER for the run, below a scratch key named by run.
class Scratch {
 public:
  explicit Scratch(const std::string& run)
      : path_("Software\\TarnwickBench\\" + run + "-" + std::to_string(::GetCurrentProcessId())) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    fw::RegKey machine = Create(HKEY_CURRENT_USER, path_ + "\\HKLM");
    fw::RegKey user = Create(HKEY_CURRENT_USER, path_ + "\\HKCU");
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine.get());
    ::RegOverridePredefKey(HKEY_CURRENT_USER, user.get());
  }
  ~Scratch() {
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

 private:
  std::string path_;
};

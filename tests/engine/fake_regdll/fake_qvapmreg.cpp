// A stand-in for the registration library that records every call in order and keeps
// profile links in the registry the way the program reads them back. Tests load it from
// a private folder and read the record through FakeRegLog.
#include <windows.h>

#include <string>

#include "base/handles.h"

namespace {

std::string callLog;

void Record(const std::string& line) { callLog += line + "\n"; }

std::string ProfilePath(const char* id, const char* profile) {
  return std::string("Software\\Autodesk\\") + id + "\\Profiles\\" + profile;
}

std::string LinksPath(const char* id, const char* profile) {
  return ProfilePath(id, profile) + "\\Tarnwick\\Applications";
}

bool ProfileExists(const char* id, const char* profile) {
  fw::RegKey key;
  return ::RegOpenKeyExA(HKEY_CURRENT_USER, ProfilePath(id, profile).c_str(), 0, KEY_READ, key.put()) ==
         ERROR_SUCCESS;
}

DWORD SubkeyCount(HKEY key) {
  DWORD count = 0;
  ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
  return count;
}

}  // namespace

extern "C" {

__declspec(dllexport) const char* __cdecl FakeRegLog() { return callLog.c_str(); }
__declspec(dllexport) void __cdecl FakeRegReset() { callLog.clear(); }

__declspec(dllexport) int __cdecl SetupPManIni(int mode, const char* id, const char* ini, const char* section,
                                               int reserved) {
  Record("SetupPManIni|" + std::to_string(mode) + "|" + id + "|" + ini + "|" + section + "|" +
         std::to_string(reserved));
  return 1;
}

__declspec(dllexport) int __cdecl RegisterAppInPManIniEx(int mode, const char* id, const char* ini,
                                                         const char* section, int reserved) {
  Record("RegisterAppInPManIniEx|" + std::to_string(mode) + "|" + id + "|" + ini + "|" + section + "|" +
         std::to_string(reserved));
  return 1;
}

// A new link is numbered after the links already in the profile; a missing profile is
// not created.
__declspec(dllexport) int __cdecl RegisterAppInProfileEx(const char* id, const char* profile, const char* app,
                                                         int reserved) {
  Record(std::string("RegisterAppInProfileEx|") + id + "|" + profile + "|" + app + "|" +
         std::to_string(reserved));
  if (!ProfileExists(id, profile)) return 0;
  fw::RegKey links;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, LinksPath(id, profile).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, links.put(), nullptr) != ERROR_SUCCESS)
    return 0;
  fw::RegKey link;
  DWORD disposition = 0;
  if (::RegCreateKeyExA(links.get(), app, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, link.put(), &disposition) ==
          ERROR_SUCCESS &&
      disposition == REG_CREATED_NEW_KEY) {
    DWORD order = SubkeyCount(links.get());
    ::RegSetValueExA(link.get(), "LoadOrder", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&order),
                     sizeof order);
  }
  return 1;
}

__declspec(dllexport) int __cdecl UnregAppInProfile(const char* id, const char* profile, const char* app) {
  Record(std::string("UnregAppInProfile|") + id + "|" + profile + "|" + app);
  ::RegDeleteKeyA(HKEY_CURRENT_USER, (LinksPath(id, profile) + "\\" + app).c_str());
  return 1;
}

__declspec(dllexport) int __cdecl UnregAppsInProfile(const char* id, const char* profile) {
  Record(std::string("UnregAppsInProfile|") + id + "|" + profile);
  return 1;
}

__declspec(dllexport) int __cdecl DeleteProfileAllAcads(const char* profile) {
  Record(std::string("DeleteProfileAllAcads|") + profile);
  return 1;
}

__declspec(dllexport) int __cdecl UnregAppInPManAllAcads(const char* app) {
  Record(std::string("UnregAppInPManAllAcads|") + app);
  return 1;
}

}  // extern "C"

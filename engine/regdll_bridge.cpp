#include "engine/regdll_bridge.h"

namespace {
const char* const kUnusedEntries[6] = {"RegisterAppInPManIniEx2", "UnregAppInPMan", "DeleteAppData",
                                       "CopyAcadSupportFilesEx",  "CopyUserAppDataFilesEx",
                                       "DeleteAddRefedFiles"};
}

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string folder(path, n);
  size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

RegistrationLibrary& RegistrationLibrary::Instance() {
  static RegistrationLibrary library(ProgramFolder());
  return library;
}

RegistrationLibrary::RegistrationLibrary(const std::string& folder) {
  module_.reset(::LoadLibraryA((folder + "QvApmReg.dll").c_str()));
  if (!module_) module_.reset(::LoadLibraryA((folder + "..\\QvApmReg.dll").c_str()));
  if (!module_) return;
  setupPManIni_ = reinterpret_cast<SetupPManIniFn>(Entry("SetupPManIni"));
  registerAppInPManIniEx_ = reinterpret_cast<RegisterAppInPManIniExFn>(Entry("RegisterAppInPManIniEx"));
  registerAppInProfileEx_ = reinterpret_cast<RegisterAppInProfileExFn>(Entry("RegisterAppInProfileEx"));
  unregAppInProfile_ = reinterpret_cast<UnregAppInProfileFn>(Entry("UnregAppInProfile"));
  unregAppsInProfile_ = reinterpret_cast<UnregAppsInProfileFn>(Entry("UnregAppsInProfile"));
  deleteProfileAllAcads_ = reinterpret_cast<DeleteProfileAllAcadsFn>(Entry("DeleteProfileAllAcads"));
  unregAppInPManAllAcads_ = reinterpret_cast<UnregAppInPManAllAcadsFn>(Entry("UnregAppInPManAllAcads"));
  for (int i = 0; i < 6; ++i) unused_[i] = Entry(kUnusedEntries[i]);
}

FARPROC RegistrationLibrary::Entry(const char* name) const {
  return ::GetProcAddress(module_.get(), name);
}

std::string RegistrationLibrary::LoadedPath() const {
  char path[MAX_PATH] = "";
  if (!module_ || !::GetModuleFileNameA(module_.get(), path, MAX_PATH)) return std::string();
  return path;
}

bool RegistrationLibrary::HasUnusedEntry(const char* name) const {
  for (int i = 0; i < 6; ++i)
    if (lstrcmpA(kUnusedEntries[i], name) == 0) return unused_[i] != nullptr;
  return false;
}

int RegistrationLibrary::SetupPManIni(int mode, const char* id, const char* iniPath, const char* section,
                                      int reserved) const {
  return setupPManIni_ ? setupPManIni_(mode, id, iniPath, section, reserved) : 0;
}
int RegistrationLibrary::RegisterAppInPManIniEx(int mode, const char* id, const char* iniPath,
                                                const char* section, int reserved) const {
  return registerAppInPManIniEx_ ? registerAppInPManIniEx_(mode, id, iniPath, section, reserved) : 0;
}
int RegistrationLibrary::RegisterAppInProfileEx(const char* id, const char* profile, const char* app,
                                                int reserved) const {
  return registerAppInProfileEx_ ? registerAppInProfileEx_(id, profile, app, reserved) : 0;
}
int RegistrationLibrary::UnregAppInProfile(const char* id, const char* profile, const char* app) const {
  return unregAppInProfile_ ? unregAppInProfile_(id, profile, app) : 0;
}
int RegistrationLibrary::UnregAppsInProfile(const char* id, const char* profile) const {
  return unregAppsInProfile_ ? unregAppsInProfile_(id, profile) : 0;
}
int RegistrationLibrary::DeleteProfileAllAcads(const char* profile) const {
  return deleteProfileAllAcads_ ? deleteProfileAllAcads_(profile) : 0;
}
int RegistrationLibrary::UnregAppInPManAllAcads(const char* app) const {
  return unregAppInPManAllAcads_ ? unregAppInPManAllAcads_(app) : 0;
}

#include "engine/regdll_bridge.h"

#include <utility>

namespace {
const char* const kUnusedEntries[6] = {"RegisterAppInPManIniEx2", "UnregAppInPMan", "DeleteAppData",
                                       "CopyAcadSupportFilesEx",  "CopyUserAppDataFilesEx",
                                       "DeleteAddRefedFiles"};

// The path as the user would look for it, without "..".
std::string FullPath(const std::string& path) {
  char full[MAX_PATH] = "";
  const DWORD n = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? std::string(full, n) : path;
}

}  // namespace

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
  for (const char* relative : {"QvApmReg.dll", "..\\QvApmReg.dll"}) {
    const std::string path = folder + relative;
    searched_.push_back(FullPath(path));
    module_.reset(::LoadLibraryA(path.c_str()));
    if (module_) break;
  }
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

std::vector<std::string> RegistrationLibrary::MissingEntries(Use use) const {
  std::vector<std::pair<const char*, bool>> needed;
  switch (use) {
    case Use::ProfileLinks:
      needed = {{"RegisterAppInProfileEx", registerAppInProfileEx_ != nullptr},
                {"UnregAppInProfile", unregAppInProfile_ != nullptr}};
      break;
    case Use::DeleteProfile:
      needed = {{"DeleteProfileAllAcads", deleteProfileAllAcads_ != nullptr}};
      break;
    case Use::UnregisterApplication:
      needed = {{"UnregAppInPManAllAcads", unregAppInPManAllAcads_ != nullptr}};
      break;
  }
  std::vector<std::string> missing;
  for (const auto& entry : needed)
    if (!entry.second) missing.push_back(entry.first);
  return missing;
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

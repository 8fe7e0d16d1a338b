// The registration library QvApmReg.dll: loaded once, entries looked up by name.
// A missing library or entry leaves that entry empty and its call does nothing.
#pragma once

#include <string>
#include <vector>

#include "base/handles.h"

class RegistrationLibrary {
 public:
  using SetupPManIniFn = int(__cdecl*)(int, const char*, const char*, const char*, int);
  using RegisterAppInPManIniExFn = int(__cdecl*)(int, const char*, const char*, const char*, int);
  using RegisterAppInProfileExFn = int(__cdecl*)(const char*, const char*, const char*, int);
  using UnregAppInProfileFn = int(__cdecl*)(const char*, const char*, const char*);
  using UnregAppsInProfileFn = int(__cdecl*)(const char*, const char*);
  using DeleteProfileAllAcadsFn = int(__cdecl*)(const char*);
  using UnregAppInPManAllAcadsFn = int(__cdecl*)(const char*);

  // The library beside the program, else in its parent folder.
  static RegistrationLibrary& Instance();

  // Loads the library from folder (ending in a backslash), else from folder + "..\".
  explicit RegistrationLibrary(const std::string& folder);
  bool IsLoaded() const { return static_cast<bool>(module_); }
  std::string LoadedPath() const;
  // The files tried, in order, as full paths.
  const std::vector<std::string>& SearchedPaths() const { return searched_; }
  // What a caller needs the library for.
  enum class Use { ProfileLinks, DeleteProfile, UnregisterApplication };
  // The entries that use needs and the library does not provide: all of them when it is not loaded.
  std::vector<std::string> MissingEntries(Use use) const;

  // Each returns 0 (and does nothing) when its entry is missing.
  int SetupPManIni(int mode, const char* id, const char* iniPath, const char* section, int reserved) const;
  int RegisterAppInPManIniEx(int mode, const char* id, const char* iniPath, const char* section,
                             int reserved) const;
  int RegisterAppInProfileEx(const char* id, const char* profile, const char* app, int reserved) const;
  int UnregAppInProfile(const char* id, const char* profile, const char* app) const;
  int UnregAppsInProfile(const char* id, const char* profile) const;
  int DeleteProfileAllAcads(const char* profile) const;
  int UnregAppInPManAllAcads(const char* app) const;

  // Looked up but not called by the program.
  bool HasUnusedEntry(const char* name) const;

 private:
  FARPROC Entry(const char* name) const;

  fw::Module module_;
  std::vector<std::string> searched_;
  SetupPManIniFn setupPManIni_ = nullptr;
  RegisterAppInPManIniExFn registerAppInPManIniEx_ = nullptr;
  RegisterAppInProfileExFn registerAppInProfileEx_ = nullptr;
  UnregAppInProfileFn unregAppInProfile_ = nullptr;
  UnregAppsInProfileFn unregAppsInProfile_ = nullptr;
  DeleteProfileAllAcadsFn deleteProfileAllAcads_ = nullptr;
  UnregAppInPManAllAcadsFn unregAppInPManAllAcads_ = nullptr;
  FARPROC unused_[6] = {};
};

// The folder of the running program's file, with a trailing backslash.
std::string ProgramFolder();

// A stand-in for the registration library that records every call in order; tests load it from
// a private folder and read the record through FakeRegLog.
#include <windows.h>

#include <string>

namespace {

std::string callLog;

void Record(const std::string& line) { callLog += line + "\n"; }

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

__declspec(dllexport) int __cdecl RegisterAppInProfileEx(const char* id, const char* profile, const char* app,
                                                         int reserved) {
  Record(std::string("RegisterAppInProfileEx|") + id + "|" + profile + "|" + app + "|" +
         std::to_string(reserved));
  return 1;
}

__declspec(dllexport) int __cdecl UnregAppInProfile(const char* id, const char* profile, const char* app) {
  Record(std::string("UnregAppInProfile|") + id + "|" + profile + "|" + app);
  return 1;
}

}  // extern "C"

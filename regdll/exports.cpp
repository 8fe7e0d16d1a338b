// The exported entry points: each one checks its arguments and never lets an exception out.
#include "regdll/QvApmReg.h"
#include "regdll/cleanup.h"
#include "regdll/profile_links.h"
#include "regdll/section_registration.h"

namespace {

template <typename Call>
int Guarded(Call call) {
  try {
    return call() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // namespace

int __cdecl SetupPManIni(int mode, const char* acadId, const char* iniPath, const char* section,
                         int reserved) {
  return Guarded([&] { return qvreg::RegisterPlatformSection(mode, acadId, iniPath, section, reserved); });
}

int __cdecl RegisterAppInPManIniEx(int mode, const char* acadId, const char* iniPath, const char* section,
                                   int reserved) {
  return Guarded([&] { return qvreg::RegisterProductSection(mode, acadId, iniPath, section, reserved); });
}

int __cdecl RegisterAppInProfileEx(const char* acadId, const char* profile, const char* application,
                                   int reserved) {
  return Guarded([&] { return qvreg::RegisterProfileLink(acadId, profile, application, reserved); });
}

int __cdecl UnregAppInProfile(const char* acadId, const char* profile, const char* application) {
  return Guarded([&] { return qvreg::UnregisterProfileLink(acadId, profile, application); });
}

int __cdecl UnregAppsInProfile(const char* acadId, const char* profile) {
  return Guarded([&] { return qvreg::UnregisterProfileLinks(acadId, profile); });
}

int __cdecl DeleteProfileAllAcads(const char* profile) {
  return Guarded([&] { return qvreg::DeleteProfileEverywhere(profile); });
}

int __cdecl UnregAppInPManAllAcads(const char* application) {
  return Guarded([&] { return qvreg::UnregisterApplicationEverywhere(application); });
}

#include "regdll/QvApmReg.h"
int __cdecl SetupPManIni(int, const char*, const char*, const char*, int) { return 0; }
int __cdecl RegisterAppInPManIniEx(int, const char*, const char*, const char*, int) { return 0; }
int __cdecl RegisterAppInProfileEx(const char*, const char*, const char*, int) { return 0; }
int __cdecl UnregAppInProfile(const char*, const char*, const char*) { return 0; }
int __cdecl UnregAppsInProfile(const char*, const char*) { return 0; }
int __cdecl DeleteProfileAllAcads(const char*) { return 0; }
int __cdecl UnregAppInPManAllAcads(const char*) { return 0; }

// Exports of the registration library QvApmReg.dll (undecorated, __cdecl, ANSI strings).
// Every function returns nonzero on success and 0 on failure; a failing call leaves no
// half-written key behind.
#pragma once

#ifdef QVAPMREG_BUILD
#define QVAPMREG_API extern "C" __declspec(dllexport)
#else
#define QVAPMREG_API extern "C" __declspec(dllimport)
#endif

QVAPMREG_API int __cdecl SetupPManIni(int mode, const char* acadId, const char* iniPath,
                                      const char* section, int reserved);
QVAPMREG_API int __cdecl RegisterAppInPManIniEx(int mode, const char* acadId, const char* iniPath,
                                                const char* section, int reserved);
QVAPMREG_API int __cdecl RegisterAppInProfileEx(const char* acadId, const char* profile,
                                                const char* application, int reserved);
QVAPMREG_API int __cdecl UnregAppInProfile(const char* acadId, const char* profile,
                                           const char* application);
QVAPMREG_API int __cdecl UnregAppsInProfile(const char* acadId, const char* profile);
QVAPMREG_API int __cdecl DeleteProfileAllAcads(const char* profile);
QVAPMREG_API int __cdecl UnregAppInPManAllAcads(const char* application);

// hook_target.dll: a module whose import table the tests hook. Each export makes one call
// through the module's own imports, as a hooked add-on or MFC would.
#pragma once

#include <windows.h>

#ifdef HOOK_TARGET_BUILD
#define HOOK_TARGET_API extern "C" __declspec(dllexport)
#else
#define HOOK_TARGET_API extern "C" __declspec(dllimport)
#endif

#include "hook_target_ids.h"

HOOK_TARGET_API HMODULE Target_Module();
HOOK_TARGET_API int Target_LoadStringA(HMODULE from, UINT id, char* buffer, int size);
HOOK_TARGET_API int Target_LoadStringW(HMODULE from, UINT id, WCHAR* buffer, int size);
HOOK_TARGET_API HMENU Target_LoadMenuA(HMODULE from, UINT id);
HOOK_TARGET_API HMENU Target_LoadMenuIndirectA(const void* menuTemplate);
HOOK_TARGET_API HRSRC Target_FindResourceA(HMODULE from, LPCSTR name, LPCSTR type);
HOOK_TARGET_API HGLOBAL Target_LoadResource(HMODULE from, HRSRC resource);
HOOK_TARGET_API void* Target_LockResource(HGLOBAL loaded);
HOOK_TARGET_API DWORD Target_SizeofResource(HMODULE from, HRSRC resource);
HOOK_TARGET_API BOOL Target_FreeResource(HGLOBAL loaded);
HOOK_TARGET_API HWND Target_CreateDialogParamA(HMODULE from, UINT id, HWND owner, DLGPROC procedure);
HOOK_TARGET_API INT_PTR Target_DialogBoxParamW(HMODULE from, UINT id, HWND owner, DLGPROC procedure);
HOOK_TARGET_API HWND Target_CreateDialogIndirectParamA(const DLGTEMPLATE* dialogTemplate, HWND owner,
                                                       DLGPROC procedure);
HOOK_TARGET_API INT_PTR Target_DialogBoxIndirectParamA(const DLGTEMPLATE* dialogTemplate, HWND owner,
                                                       DLGPROC procedure);
HOOK_TARGET_API int Target_MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
HOOK_TARGET_API int Target_MessageBoxIndirectA(MSGBOXPARAMSA* params);

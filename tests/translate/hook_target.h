// hook_target.dll: the resources the translation tests translate, and a module whose import
// table a test can hook: its exports call through the module's own imports, as an add-on or
// MFC would.
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
HOOK_TARGET_API HRSRC Target_FindResourceA(HMODULE from, LPCSTR name, LPCSTR type);

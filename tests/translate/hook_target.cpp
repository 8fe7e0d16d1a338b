#define HOOK_TARGET_BUILD
#include "hook_target.h"

namespace {
HMODULE g_self = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_self = instance;
  return TRUE;
}

HOOK_TARGET_API HMODULE Target_Module() { return g_self; }

HOOK_TARGET_API int Target_LoadStringA(HMODULE from, UINT id, char* buffer, int size) {
  return LoadStringA(from, id, buffer, size);
}

HOOK_TARGET_API HRSRC Target_FindResourceA(HMODULE from, LPCSTR name, LPCSTR type) {
  return FindResourceA(from, name, type);
}

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

HOOK_TARGET_API int Target_LoadStringW(HMODULE from, UINT id, WCHAR* buffer, int size) {
  return LoadStringW(from, id, buffer, size);
}

HOOK_TARGET_API HMENU Target_LoadMenuA(HMODULE from, UINT id) {
  return LoadMenuA(from, MAKEINTRESOURCEA(id));
}

HOOK_TARGET_API HMENU Target_LoadMenuIndirectA(const void* menuTemplate) {
  return LoadMenuIndirectA(menuTemplate);
}

HOOK_TARGET_API HRSRC Target_FindResourceA(HMODULE from, LPCSTR name, LPCSTR type) {
  return FindResourceA(from, name, type);
}

HOOK_TARGET_API HGLOBAL Target_LoadResource(HMODULE from, HRSRC resource) {
  return LoadResource(from, resource);
}

HOOK_TARGET_API void* Target_LockResource(HGLOBAL loaded) { return LockResource(loaded); }

HOOK_TARGET_API DWORD Target_SizeofResource(HMODULE from, HRSRC resource) {
  return SizeofResource(from, resource);
}

HOOK_TARGET_API BOOL Target_FreeResource(HGLOBAL loaded) { return FreeResource(loaded); }

HOOK_TARGET_API HWND Target_CreateDialogParamA(HMODULE from, UINT id, HWND owner, DLGPROC procedure) {
  return CreateDialogParamA(from, MAKEINTRESOURCEA(id), owner, procedure, 0);
}

HOOK_TARGET_API INT_PTR Target_DialogBoxParamW(HMODULE from, UINT id, HWND owner, DLGPROC procedure) {
  return DialogBoxParamW(from, MAKEINTRESOURCEW(id), owner, procedure, 0);
}

HOOK_TARGET_API HWND Target_CreateDialogIndirectParamA(const DLGTEMPLATE* dialogTemplate, HWND owner,
                                                       DLGPROC procedure) {
  return CreateDialogIndirectParamA(g_self, dialogTemplate, owner, procedure, 0);
}

HOOK_TARGET_API INT_PTR Target_DialogBoxIndirectParamA(const DLGTEMPLATE* dialogTemplate, HWND owner,
                                                       DLGPROC procedure) {
  return DialogBoxIndirectParamA(g_self, dialogTemplate, owner, procedure, 0);
}

HOOK_TARGET_API int Target_MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  return MessageBoxA(owner, text, caption, type);
}

HOOK_TARGET_API int Target_MessageBoxIndirectA(MSGBOXPARAMSA* params) { return MessageBoxIndirectA(params); }

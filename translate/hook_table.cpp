#include <stdio.h>
#include <string.h>

#include "translate/excluded_modules.h"
#include "translate/hook.h"
#include "translate/hook_replacements.h"
#include "translate/hook_rows.h"
#include "translate/import_patch.h"
#include "translate/supp_state.h"

namespace {

template <class F>
void* Replacement(F function) {
  return reinterpret_cast<void*>(function);
}

HookRow g_rows[HOOK_COUNT] = {
    {"user32.DLL", "LoadStringA", Replacement(hooks::LoadStringA), nullptr},
    {"USER32.DLL", "LoadStringW", Replacement(hooks::LoadStringW), nullptr},
    {"USER32.DLL", "LoadMenuIndirectA", Replacement(hooks::LoadMenuIndirectA), nullptr},
    {"USER32.DLL", "LoadMenuA", Replacement(hooks::LoadMenuA), nullptr},
    {"KERNEL32.DLL", "LoadResource", Replacement(hooks::LoadResource), nullptr},
    {"KERNEL32.DLL", "FindResourceA", Replacement(hooks::FindResourceA), nullptr},
    {"KERNEL32.DLL", "FindResourceExA", Replacement(hooks::FindResourceExA), nullptr},
    {"KERNEL32.DLL", "FindResourceW", Replacement(hooks::FindResourceW), nullptr},
    {"KERNEL32.DLL", "FindResourceExW", Replacement(hooks::FindResourceExW), nullptr},
    {"KERNEL32.DLL", "LockResource", Replacement(hooks::LockResource), nullptr},
    {"KERNEL32.DLL", "FreeResource", Replacement(hooks::FreeResource), nullptr},
    {"KERNEL32.DLL", "SizeofResource", Replacement(hooks::SizeofResource), nullptr},
    {"USER32.DLL", "CreateDialogParamA", Replacement(hooks::CreateDialogParamA), nullptr},
    {"USER32.DLL", "CreateDialogParamW", Replacement(hooks::CreateDialogParamW), nullptr},
    {"USER32.DLL", "DialogBoxParamA", Replacement(hooks::DialogBoxParamA), nullptr},
    {"USER32.DLL", "DialogBoxParamW", Replacement(hooks::DialogBoxParamW), nullptr},
    {"USER32.DLL", "MessageBoxIndirectA", Replacement(hooks::MessageBoxIndirectA), nullptr},
    {"USER32.DLL", "MessageBoxA", Replacement(hooks::MessageBoxA), nullptr},
    {"USER32.DLL", "MessageBoxExA", Replacement(hooks::MessageBoxExA), nullptr},
    {"USER32.DLL", "DialogBoxIndirectParamA", Replacement(hooks::DialogBoxIndirectParamA), nullptr},
    {"USER32.DLL", "DialogBoxIndirectParamW", Replacement(hooks::DialogBoxIndirectParamW), nullptr},
    {"USER32.DLL", "CreateDialogIndirectParamA", Replacement(hooks::CreateDialogIndirectParamA), nullptr},
    {"USER32.DLL", "CreateDialogIndirectParamW", Replacement(hooks::CreateDialogIndirectParamW), nullptr},
};

// The exported address of a DLL's function, or null when the DLL is not loaded.
void* SystemAddress(const char* dllName, const char* funcName) {
  HMODULE exporter = ::GetModuleHandleA(dllName);
  return exporter ? reinterpret_cast<void*>(::GetProcAddress(exporter, funcName)) : nullptr;
}

const HookRow* FindRow(const char* dllName, const char* funcName) {
  if (!dllName || !funcName) return nullptr;
  for (const HookRow& row : g_rows)
    if (lstrcmpiA(row.module, dllName) == 0 && strcmp(row.function, funcName) == 0) return &row;
  return nullptr;
}

}  // namespace

HookRow* HookRows() { return g_rows; }

void* RealAddress(HookId id) {
  HookRow& row = g_rows[id];
  return row.real ? row.real : SystemAddress(row.module, row.function);
}

extern "C" {

void* HookProc_Install(HMODULE module, const char* dllName, const char* funcName, void* replacement) {
  if (!dllName || !funcName) return nullptr;
  void* real = SystemAddress(dllName, funcName);
  if (!real) return nullptr;
  return PatchImportEntries(module, real, replacement) ? real : nullptr;
}

void* HookProc_UnInstall(HMODULE module, const char* dllName, const char* funcName) {
  const HookRow* row = FindRow(dllName, funcName);
  if (!row) return nullptr;
  void* real = SystemAddress(dllName, funcName);
  if (!real) return nullptr;
  return PatchImportEntries(module, row->replacement, real) ? real : nullptr;
}

int _InitResTranslation(HMODULE module) {
  if (!module) return 0;
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(module, path, sizeof path);
  char line[MAX_PATH + 32];
  _snprintf(line, sizeof line, "-----wld init: %s\n", path);
  line[sizeof line - 1] = 0;
  ::OutputDebugStringA(line);
  LookUpExcludedModules();
  for (HookRow& row : g_rows)
    if (void* real = HookProc_Install(module, row.module, row.function, row.replacement)) row.real = real;
  Translation().NoteHookedModule(module);
  return 1;
}

int _DeInitResTranslation(HMODULE module) {
  if (!module) return 0;
  for (const HookRow& row : g_rows) {
    void* real = row.real ? row.real : SystemAddress(row.module, row.function);
    if (real) PatchImportEntries(module, row.replacement, real);
  }
  Translation().ForgetHookedModule(module);
  return 1;
}

int _LoadStringNotTrans(HINSTANCE module, UINT id, LPSTR buffer, int size) {
  return Real<decltype(&::LoadStringA)>(HOOK_LOAD_STRING_A)(module, id, buffer, size);
}

int MessageBoxInternalA(const void* params, int wide) {
  if (!params) return 0;
  if (wide) return ::MessageBoxIndirectW(static_cast<const MSGBOXPARAMSW*>(params));
  return ::MessageBoxIndirectA(static_cast<const MSGBOXPARAMSA*>(params));
}

}  // extern "C"

#define HOOK_TARGET_BUILD
#include "hook_target.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // the linker's symbol at this module's load address

HOOK_TARGET_API HMODULE Target_Module() { return reinterpret_cast<HMODULE>(&__ImageBase); }

HOOK_TARGET_API int Target_LoadStringA(HMODULE from, UINT id, char* buffer, int size) {
  return LoadStringA(from, id, buffer, size);
}

HOOK_TARGET_API HRSRC Target_FindResourceA(HMODULE from, LPCSTR name, LPCSTR type) {
  return FindResourceA(from, name, type);
}

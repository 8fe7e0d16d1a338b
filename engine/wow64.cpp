#include "engine/discovery.h"

namespace {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

// Looked up once: the entry point is missing on older 32-bit Windows.
IsWow64ProcessFn LookUpIsWow64Process() {
  HMODULE kernel32 = ::GetModuleHandleA("kernel32");
  if (!kernel32) return nullptr;
  return reinterpret_cast<IsWow64ProcessFn>(::GetProcAddress(kernel32, "IsWow64Process"));
}

const IsWow64ProcessFn isWow64Process = LookUpIsWow64Process();

}  // namespace

bool IsRunningUnderWow64() {
  if (!isWow64Process) return false;
  BOOL wow64 = FALSE;
  return isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

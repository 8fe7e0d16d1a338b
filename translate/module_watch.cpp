#include "translate/module_watch.h"

#include <winternl.h>

#include "translate/excluded_modules.h"

namespace {

// The loader's notification (ntdll, Windows Vista and later), looked up here only.
struct LoaderNotification {
  ULONG flags;
  const UNICODE_STRING* fullName;
  const UNICODE_STRING* baseName;
  void* base;
  ULONG imageSize;
};
enum { LOADER_MODULE_LOADED = 1, LOADER_MODULE_UNLOADED = 2 };
typedef VOID(CALLBACK* LoaderCallback)(ULONG reason, const LoaderNotification* data, void* context);
typedef LONG(NTAPI* RegisterFunction)(ULONG flags, LoaderCallback callback, void* context, void** cookie);
typedef LONG(NTAPI* UnregisterFunction)(void* cookie);

void* g_cookie = nullptr;

struct CachedName {
  HMODULE module;
  char name[MAX_PATH];
};
const int kCachedNames = 16;
CachedName g_names[kCachedNames];
int g_nextName = 0;

void ForgetName(HMODULE module) {
  for (CachedName& cached : g_names)
    if (cached.module == module) cached.module = nullptr;
}

VOID CALLBACK OnLoaderEvent(ULONG reason, const LoaderNotification* data, void*) {
  HMODULE module = static_cast<HMODULE>(data->base);
  if (reason == LOADER_MODULE_LOADED && data->baseName) {
    const int characters = data->baseName->Length / sizeof(WCHAR);
    ExcludedModuleLoaded(module, data->baseName->Buffer, characters);
  } else if (reason == LOADER_MODULE_UNLOADED) {
    ExcludedModuleUnloaded(module);
    ForgetName(module);
  }
}

void FileNameOf(HMODULE module, char* name) {
  char path[MAX_PATH] = "";
  const DWORD n = ::GetModuleFileNameA(module, path, sizeof path);
  if (n == 0 || n >= sizeof path) path[0] = 0;
  const char* start = path;
  for (const char* p = path; *p; ++p)
    if (*p == ':' || *p == '\\' || *p == '/') start = p + 1;
  lstrcpynA(name, start, MAX_PATH);
}

}  // namespace

bool WatchModuleLoads() {
  if (g_cookie) return true;
  HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  auto registerFunction =
      ntdll ? reinterpret_cast<RegisterFunction>(::GetProcAddress(ntdll, "LdrRegisterDllNotification"))
            : nullptr;
  if (!registerFunction || registerFunction(0, OnLoaderEvent, nullptr, &g_cookie) != 0) g_cookie = nullptr;
  return g_cookie != nullptr;
}

bool IsWatchingModuleLoads() { return g_cookie != nullptr; }

void StopWatchingModuleLoads() {
  if (!g_cookie) return;
  HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  auto unregisterFunction =
      ntdll ? reinterpret_cast<UnregisterFunction>(::GetProcAddress(ntdll, "LdrUnregisterDllNotification"))
            : nullptr;
  if (unregisterFunction) unregisterFunction(g_cookie);
  g_cookie = nullptr;
  for (CachedName& cached : g_names) cached.module = nullptr;
}

const char* ModuleBaseName(HMODULE module) {
  if (!module) module = ::GetModuleHandleA(nullptr);
  static char uncached[MAX_PATH];
  if (!IsWatchingModuleLoads()) {
    FileNameOf(module, uncached);
    return uncached;
  }
  for (const CachedName& cached : g_names)
    if (cached.module == module) return cached.name;
  CachedName& slot = g_names[g_nextName];
  g_nextName = (g_nextName + 1) % kCachedNames;
  slot.module = nullptr;
  FileNameOf(module, slot.name);
  slot.module = module;
  return slot.name;
}

#include "translate/excluded_modules.h"

#include "translate/module_watch.h"

namespace {

struct ExcludedModule {
  const char* name;
  HMODULE handle;
  bool lateLookup;
};

ExcludedModule g_excluded[] = {
    {"acadres.dll", nullptr, false}, {"acltres.dll", nullptr, false}, {"acopm.arx", nullptr, true},
    {"acad.exe", nullptr, false},    {"aclt.exe", nullptr, false},
};

// Compares a loader's counted wide name with an ASCII name, ignoring letter case.
bool SameName(const WCHAR* wide, int characters, const char* name) {
  int i = 0;
  for (; i < characters && name[i]; ++i) {
    WCHAR a = wide[i];
    char b = name[i];
    if (a >= L'A' && a <= L'Z') a = static_cast<WCHAR>(a - L'A' + L'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != static_cast<WCHAR>(static_cast<unsigned char>(b))) return false;
  }
  return i == characters && !name[i];
}

}  // namespace

void LookUpExcludedModules() {
  WatchModuleLoads();
  for (ExcludedModule& module : g_excluded) module.handle = ::GetModuleHandleA(module.name);
}

bool IsExcludedModule(HMODULE module) {
  if (!module) return false;
  const bool watching = IsWatchingModuleLoads();
  for (ExcludedModule& excluded : g_excluded) {
    // Asking the loader by name searches the disk: only while loads are not reported.
    if (!excluded.handle && excluded.lateLookup && !watching)
      excluded.handle = ::GetModuleHandleA(excluded.name);
    if (excluded.handle == module) return true;
  }
  return false;
}

void ExcludedModuleLoaded(HMODULE module, const WCHAR* baseName, int characters) {
  for (ExcludedModule& excluded : g_excluded)
    if (excluded.lateLookup && !excluded.handle && SameName(baseName, characters, excluded.name))
      excluded.handle = module;
}

void ExcludedModuleUnloaded(HMODULE module) {
  for (ExcludedModule& excluded : g_excluded)
    if (excluded.handle == module) excluded.handle = nullptr;
}

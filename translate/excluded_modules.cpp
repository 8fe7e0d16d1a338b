#include "translate/excluded_modules.h"

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

}  // namespace

void LookUpExcludedModules() {
  for (ExcludedModule& module : g_excluded) module.handle = ::GetModuleHandleA(module.name);
}

bool IsExcludedModule(HMODULE module) {
  if (!module) return false;
  for (ExcludedModule& excluded : g_excluded) {
    if (!excluded.handle && excluded.lateLookup) excluded.handle = ::GetModuleHandleA(excluded.name);
    if (excluded.handle == module) return true;
  }
  return false;
}

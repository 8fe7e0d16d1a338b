// Modules whose resources are never translated (AutoCAD's own).
#pragma once

#include <windows.h>

// Looks up the handles of the excluded modules that are loaded now.
void LookUpExcludedModules();
// True when module is one of them. An entry with late lookup whose handle is still unknown is
// looked up again at each check, or, while module loads are watched, as soon as it loads.
bool IsExcludedModule(HMODULE module);

// From the module watch.
void ExcludedModuleLoaded(HMODULE module, const WCHAR* baseName, int characters);
void ExcludedModuleUnloaded(HMODULE module);

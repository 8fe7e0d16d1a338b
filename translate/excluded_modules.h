// Modules whose resources are never translated (AutoCAD's own).
#pragma once

#include <windows.h>

// Looks up the handles of the excluded modules that are loaded now.
void LookUpExcludedModules();
// True when module is one of them; entries with late lookup are looked up again while unknown.
bool IsExcludedModule(HMODULE module);

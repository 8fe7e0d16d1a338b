// Module loads and unloads as the loader reports them, so that what the translation keeps per
// module (excluded handles, file names) stays right without asking the loader at every call.
#pragma once

#include <windows.h>

// Starts watching once; false when the system gives no load notifications.
bool WatchModuleLoads();
bool IsWatchingModuleLoads();
void StopWatchingModuleLoads();

// The file name of module (after the last ":", "\" or "/"), from a small cache while loads are
// watched; "" when the module has no file name. Valid until the next call.
const char* ModuleBaseName(HMODULE module);

// Rewriting entries of a module's import address table.
#pragma once

#include <windows.h>

// Every import address entry of module (over all its import descriptors) that holds from is
// made to hold to. False when module is not a 32-bit PE image, has no import directory, or an
// entry cannot be made writable; true otherwise, also when no entry held from.
bool PatchImportEntries(HMODULE module, const void* from, const void* to);

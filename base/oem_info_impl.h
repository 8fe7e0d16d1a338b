// Inside the product information: where the name comes from and how the version is read.
#pragma once

#include <windows.h>

#include "base/api.h"

// Loads string id into buffer (size bytes); null when the string does not exist.
using OemStringLoader = char* (*)(UINT id, char* buffer, int size);
// The application hands in its loader for the UI language; null goes back to the module's own
// string table. Either way the cached name is dropped. Exported for the program, which calls the
// library through its DLL; not part of the add-ons' interface.
TW_BASE_API void SetOemStringLoader(OemStringLoader loader);

// From the version resource of file path; what GetProductVersion answers, 0 when there is none.
DWORD ReadProductVersion(const char* path);
// Its "\StringFileInfo\040904E4\ProductVersion" into buffer (size bytes, cut to fit); "" when there
// is none.
void ReadProductVersionString(const char* path, char* buffer, int size);

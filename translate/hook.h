// Resource API interception: the hook table patched into modules' import address tables, the
// handles list of resource records and the untranslated loaders.
#pragma once

#include <windows.h>

#include "translate/api.h"

extern "C" {
// Points every import of funcName (from the loaded dllName) in module's import table at
// replacement. Returns the real function's address, or null when the DLL or the function is
// unknown, module's headers are not a 32-bit PE image, it has no imports, or an entry cannot
// be made writable.
TW_TRANSLATE_API void* HookProc_Install(HMODULE module, const char* dllName, const char* funcName,
                                        void* replacement);
// Writes the real address back over the hook table's replacement for that function (a row of
// the table); returns the real address, or null when the row is unknown or nothing could be read.
TW_TRANSLATE_API void* HookProc_UnInstall(HMODULE module, const char* dllName, const char* funcName);
// All rows of the hook table into module; 0 for a null module, else 1.
TW_TRANSLATE_API int _InitResTranslation(HMODULE module);
// The real functions back into every entry holding a replacement; 0 for a null module, else 1.
TW_TRANSLATE_API int _DeInitResTranslation(HMODULE module);
// LoadStringA without translation.
TW_TRANSLATE_API int _LoadStringNotTrans(HINSTANCE module, UINT id, LPSTR buffer, int size);
// The first resource record of the handles list (null when empty).
TW_TRANSLATE_API void* __GetHandlesList();
// Accepts a list and changes nothing.
TW_TRANSLATE_API void __SetHandlesList(void* list);
// MessageBoxIndirectA, or MessageBoxIndirectW when wide is non-zero.
TW_TRANSLATE_API int MessageBoxInternalA(const void* params, int wide);
}

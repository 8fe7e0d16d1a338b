// Dialog template translation: translated copies of DLGTEMPLATE and DLGTEMPLATEEX templates,
// and the dialog font functions.
#pragma once

#include <windows.h>

#include "translate/api.h"

extern "C" {
// A translated copy (free it with free) and its size in *size; the template itself and
// *size = 0 when the dictionary is empty and no dictionary font is in use; null when the copy
// cannot be allocated.
TW_TRANSLATE_API DLGTEMPLATE* TranslateDlgInternal(const DLGTEMPLATE* dialogTemplate, int* size);
// With the layout recorded under key (a resource context key) applied first; without one, as
// TranslateDlgInternal.
TW_TRANSLATE_API DLGTEMPLATE* TranslateDlgInternalPosition(const DLGTEMPLATE* dialogTemplate, const char* key,
                                                           int* size);
// No patching is done: returns null.
TW_TRANSLATE_API DLGTEMPLATE* PatchDlgTemplateInternal(const DLGTEMPLATE* dialogTemplate);
}

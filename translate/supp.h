// The exported face of the translation layer: the process-wide dictionary, the switch, and the
// set-up of the resource interception.
#pragma once

#include <windows.h>

#include "translate/api.h"

extern "C" {
// Reads the dictionary (null: "app.wld") unless one is loaded, hooks the MFC modules that are
// loaded and looks up the excluded modules; returns 1.
TW_TRANSLATE_API int Supp_Init(const char* path);
// Adds a dictionary to the loaded one, or Supp_Init when none is loaded.
TW_TRANSLATE_API int Supp_AddWld(const char* path);
// Hooks one module's import table; 0 for a null module.
TW_TRANSLATE_API int Supp_InitResTranslation(HINSTANCE module);
TW_TRANSLATE_API int Supp_IsTranslationEnable();
TW_TRANSLATE_API void Supp_SetTranslationEnable(int enable);
// The dictionary's dialog font.
TW_TRANSLATE_API HFONT Supp_GetFont();
// Returns 0.
TW_TRANSLATE_API int Supp_GetFontHeigth();
// Does nothing.
TW_TRANSLATE_API void Supp_SetDialogFont(HWND dialog);
// Moves dialog relative to owner (flags: 1 centre point; else 2 left, 4 right, 8 top, 16 bottom,
// centred where neither); size and z-order stay.
TW_TRANSLATE_API void Supp_SetDialogPos(HWND dialog, HWND owner, unsigned flags);
}

// In place; returns the bytes now in buf.
TW_TRANSLATE_API int Supp_Translate(char* buf, unsigned size);
// The translation, or text itself when there is none.
TW_TRANSLATE_API const char* Supp_Translate(const char* text);
// The menu and its pop-ups, without context.
TW_TRANSLATE_API int Supp_Translate(HMENU menu);
// The window's caption and its static and button children; every child gets the dictionary font.
TW_TRANSLATE_API int Supp_Translate(HWND window);

// The UI language and the resource loaders that honour it.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"

// The program's .ini file: beside the program, else in its parent folder, else "".
// Worked out once and kept for the life of the process.
const std::string& ProgramIniPath();

// The language named by the "Language" section of iniPath ("" reads as no file).
LANGID ChooseUiLanguage(const std::string& iniPath);

// The language every resource load uses; set once at start-up.
LANGID UiLanguage();
void SetUiLanguage(LANGID language);

// Text of string resource id in the UI language, in a shared buffer that the next call
// overwrites.
const char* LoadLangString(UINT id);
// The same into buffer (size bytes); nullptr when the string does not exist.
char* LoadLangString(UINT id, char* buffer, int size);
// The same as a std::string ("" when the string does not exist).
std::string LangString(UINT id);

// Dialog template id in the UI language, else in English US, else nullptr.
const DLGTEMPLATE* LoadLangDialog(UINT id);

// Menu id in the UI language, else in English US; empty when neither exists.
fw::Menu LoadLangMenu(UINT id);

// A string resource formatted with one %s / %d-style argument list.
std::string FormatLangString(UINT id, ...);

#include "translate/supp.h"

#include "translate/excluded_modules.h"
#include "translate/hook.h"
#include "translate/module_watch.h"
#include "translate/res_records.h"
#include "translate/supp_state.h"

namespace {

const char* const kHookedModules[] = {"mfc42d",  "mfco42d", "mfc42",  "cfc42", "comdlg32", "mfc70d",
                                      "mfco70d", "mfc70",   "mfco70", "mfc71", "mfco71",   "mfc80"};

// The dictionary exists before the program's start-up code runs.
[[maybe_unused]] TranslationState& g_builtAtStart = Translation();

}  // namespace

TranslationState& Translation() {
  static TranslationState state;
  return state;
}

TranslationState::~TranslationState() {
  for (QVPOSITION pos = m_hookedModules.GetStartPosition(); pos;) {
    unsigned long handle;
    const CXString* path = m_hookedModules.GetNextAssoc(pos, handle);
    HMODULE module = reinterpret_cast<HMODULE>(handle);
    // Still loaded: the same file is mapped at the same place.
    if (::GetModuleHandleA(*path) == module) _DeInitResTranslation(module);
  }
  FreeResourceRecords();
  StopWatchingModuleLoads();
}

void TranslationState::NoteHookedModule(HMODULE module) {
  char path[MAX_PATH] = "";
  const DWORD n = ::GetModuleFileNameA(module, path, sizeof path);
  if (n == 0 || n >= sizeof path) return;
  m_hookedModules.SetAt(static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(module)), CXString(path));
}

void TranslationState::ForgetHookedModule(HMODULE module) {
  m_hookedModules.RemoveKey(static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(module)));
}

bool IsTranslationActiveFor(HMODULE module) { return Translation().IsEnabled() && !IsExcludedModule(module); }

extern "C" {

int Supp_Init(const char* path) {
  if (!TranslationDictionary().Init(path ? path : "app.wld")) return 0;
  for (const char* name : kHookedModules)
    if (HMODULE module = ::GetModuleHandleA(name)) _InitResTranslation(module);
  LookUpExcludedModules();
  return 1;
}

int Supp_AddWld(const char* path) {
  CWld& dictionary = TranslationDictionary();
  if (!dictionary.IsLoaded()) return Supp_Init(path);
  return dictionary.Add(path);
}

int Supp_InitResTranslation(HINSTANCE module) { return module ? _InitResTranslation(module) : 0; }

int Supp_IsTranslationEnable() { return Translation().IsEnabled(); }

void Supp_SetTranslationEnable(int enable) { Translation().SetEnabled(enable); }

HFONT Supp_GetFont() { return TranslationDictionary().GetFont(); }

int Supp_GetFontHeigth() { return 0; }

void Supp_SetDialogFont(HWND) {}

}  // extern "C"

int Supp_Translate(char* buf, unsigned size) { return TranslationDictionary().Translate(buf, size); }

const char* Supp_Translate(const char* text) {
  const char* translation = TranslationDictionary().Translate(text, 1);
  return translation ? translation : text;
}

int Supp_Translate(HMENU menu) { return TranslationDictionary().Translate(menu); }

int Supp_Translate(HWND window) { return TranslationDictionary().Translate(window); }

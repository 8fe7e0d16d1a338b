// The process-wide state of the translation layer: the dictionary, the switch and the modules
// that got the hook table.
#pragma once

#include <windows.h>

#include "base/map.h"
#include "base/xstring.h"
#include "translate/wld.h"

class TranslationState {
 public:
  TranslationState() : m_hookedModules(CTMap<unsigned long, CXString>::DEFAULT_BUCKETS) {}
  // Takes the hook table out of every hooked module still loaded and frees the resource records
  // before the dictionary goes, so that no replacement outlives it.
  ~TranslationState();
  TranslationState(const TranslationState&) = delete;
  TranslationState& operator=(const TranslationState&) = delete;

  CWld& Dictionary() { return m_dictionary; }
  int IsEnabled() const { return m_enabled; }
  void SetEnabled(int enabled) { m_enabled = enabled; }
  void NoteHookedModule(HMODULE module);
  void ForgetHookedModule(HMODULE module);

 private:
  CWld m_dictionary;
  int m_enabled = 1;
  CTMap<unsigned long, CXString> m_hookedModules;  // module handle to its file path
};

// Built before the program's start-up code runs, destroyed at process exit.
TranslationState& Translation();
inline CWld& TranslationDictionary() { return Translation().Dictionary(); }

// The switch is on and module is not an excluded one (a null module counts as active).
bool IsTranslationActiveFor(HMODULE module);

// Shared pieces of the translation tests: the process-wide dictionary they agree on, the
// hooked test module, and a catcher for real message boxes.
#pragma once

#include "tests/support/test_paths.h"

#include <windows.h>

#include <string>
#include <vector>

// Every test that touches the process-wide dictionary loads this one, once.
extern const char kGlobalDictionary[];
extern const char kGlobalLayouts[];  // read with it from the same name with "dlg"
void EnsureGlobalDictionary();
// The hook table in hook_target.dll's import table (with the global dictionary).
void EnsureTargetHooked();

// The translation switch for the time of a scope.
class ScopedTranslationSwitch {
 public:
  explicit ScopedTranslationSwitch(int enable);
  ~ScopedTranslationSwitch();
  ScopedTranslationSwitch(const ScopedTranslationSwitch&) = delete;
  ScopedTranslationSwitch& operator=(const ScopedTranslationSwitch&) = delete;

 private:
  int previous_;
};

struct CaughtBox {
  std::string caption;
  std::string text;
};

// While it exists, every message box this thread opens is read and closed with OK as soon as
// it is activated, so a test never waits for a person.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher();
  ~MessageBoxCatcher();
  MessageBoxCatcher(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;
  const std::vector<CaughtBox>& boxes() const;

 private:
  HHOOK hook_;
};

std::string WindowText(HWND window);
std::string MenuText(HMENU menu, UINT position);
// A modeless dialog's procedure that does nothing.
INT_PTR CALLBACK ModelessDialogProc(HWND, UINT message, WPARAM, LPARAM);

// The import address entry of function (imported from dll) in module, or null.
void** ImportEntry(HMODULE module, const char* dll, const char* function);

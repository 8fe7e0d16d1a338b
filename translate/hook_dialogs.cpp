// Replacements for the dialog functions: templates from resources go through the recorded,
// translated load; templates given in memory are translated into a copy for the call.
#include <stdlib.h>

#include "translate/dlg_walk.h"
#include "translate/hook_replacements.h"
#include "translate/hook_rows.h"
#include "translate/res_records.h"
#include "translate/supp_state.h"

namespace {

// A dialog template found and loaded through the replacements, so that it is recorded and
// translated; null when the module has no such dialog.
struct LoadedDialog {
  HGLOBAL handle = nullptr;
  const DLGTEMPLATE* dialogTemplate = nullptr;
};

LoadedDialog LoadDialog(HMODULE module, HRSRC found) {
  LoadedDialog dialog;
  if (!found) return dialog;
  dialog.handle = hooks::LoadResource(module, found);
  if (dialog.handle)
    dialog.dialogTemplate = static_cast<const DLGTEMPLATE*>(hooks::LockResource(dialog.handle));
  return dialog;
}

// Gives the system back what it loaded; a translated copy stays with its record.
void ReleaseDialog(const LoadedDialog& dialog) {
  if (dialog.handle) hooks::FreeResource(dialog.handle);
}

// Runs a dialog function on a resource template: found and loaded through the replacements
// (recorded, translated, with its layout), then handed to the real indirect function. A module
// without that dialog goes to the real function as it is.
template <class Result, class Name>
Result FromResource(HookId namedRow, HookId indirectRow, HRSRC(WINAPI* find)(HMODULE, Name, Name),
                    Name dialogType, HINSTANCE module, Name name, HWND owner, DLGPROC procedure,
                    LPARAM param) {
  using Named = Result(WINAPI*)(HINSTANCE, Name, HWND, DLGPROC, LPARAM);
  using Indirect = Result(WINAPI*)(HINSTANCE, const DLGTEMPLATE*, HWND, DLGPROC, LPARAM);
  if (IsTranslationActiveFor(module)) {
    const LoadedDialog dialog = LoadDialog(module, find(module, name, dialogType));
    if (dialog.dialogTemplate) {
      const Result result =
          Real<Indirect>(indirectRow)(module, dialog.dialogTemplate, owner, procedure, param);
      ReleaseDialog(dialog);
      return result;
    }
  }
  return Real<Named>(namedRow)(module, name, owner, procedure, param);
}

// Runs a dialog function on a translated copy of an in-memory template, freed afterwards.
template <class Result>
Result FromMemory(HookId row, HINSTANCE module, const DLGTEMPLATE* dialogTemplate, HWND owner,
                  DLGPROC procedure, LPARAM param) {
  using Indirect = Result(WINAPI*)(HINSTANCE, const DLGTEMPLATE*, HWND, DLGPROC, LPARAM);
  if (!IsTranslationActiveFor(module))
    return Real<Indirect>(row)(module, dialogTemplate, owner, procedure, param);
  void* copy = nullptr;
  try {
    DialogWalk walk;
    walk.source = dialogTemplate;
    int size = 0;
    copy = WalkDialogTemplate(TranslationDictionary(), walk, &size);
  } catch (...) {  // no memory: the template as given
    copy = nullptr;
  }
  const DLGTEMPLATE* shown = copy ? static_cast<const DLGTEMPLATE*>(copy) : dialogTemplate;
  const Result result = Real<Indirect>(row)(module, shown, owner, procedure, param);
  free(copy);
  return result;
}

}  // namespace

namespace hooks {

HWND WINAPI CreateDialogParamA(HINSTANCE module, LPCSTR name, HWND owner, DLGPROC procedure, LPARAM param) {
  return FromResource<HWND, LPCSTR>(HOOK_CREATE_DIALOG_PARAM_A, HOOK_CREATE_DIALOG_INDIRECT_PARAM_A,
                                    FindResourceA, RT_DIALOG, module, name, owner, procedure, param);
}

HWND WINAPI CreateDialogParamW(HINSTANCE module, LPCWSTR name, HWND owner, DLGPROC procedure, LPARAM param) {
  return FromResource<HWND, LPCWSTR>(HOOK_CREATE_DIALOG_PARAM_W, HOOK_CREATE_DIALOG_INDIRECT_PARAM_W,
                                     FindResourceW, MAKEINTRESOURCEW(5), module, name, owner, procedure,
                                     param);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE module, LPCSTR name, HWND owner, DLGPROC procedure, LPARAM param) {
  return FromResource<INT_PTR, LPCSTR>(HOOK_DIALOG_BOX_PARAM_A, HOOK_DIALOG_BOX_INDIRECT_PARAM_A,
                                       FindResourceA, RT_DIALOG, module, name, owner, procedure, param);
}

INT_PTR WINAPI DialogBoxParamW(HINSTANCE module, LPCWSTR name, HWND owner, DLGPROC procedure, LPARAM param) {
  return FromResource<INT_PTR, LPCWSTR>(HOOK_DIALOG_BOX_PARAM_W, HOOK_DIALOG_BOX_INDIRECT_PARAM_W,
                                        FindResourceW, MAKEINTRESOURCEW(5), module, name, owner, procedure,
                                        param);
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE module, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                       DLGPROC procedure, LPARAM param) {
  return FromMemory<INT_PTR>(HOOK_DIALOG_BOX_INDIRECT_PARAM_A, module, dialogTemplate, owner, procedure,
                             param);
}

INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE module, LPCDLGTEMPLATEW dialogTemplate, HWND owner,
                                       DLGPROC procedure, LPARAM param) {
  return FromMemory<INT_PTR>(HOOK_DIALOG_BOX_INDIRECT_PARAM_W, module, dialogTemplate, owner, procedure,
                             param);
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE module, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                       DLGPROC procedure, LPARAM param) {
  return FromMemory<HWND>(HOOK_CREATE_DIALOG_INDIRECT_PARAM_A, module, dialogTemplate, owner, procedure,
                          param);
}

HWND WINAPI CreateDialogIndirectParamW(HINSTANCE module, LPCDLGTEMPLATEW dialogTemplate, HWND owner,
                                       DLGPROC procedure, LPARAM param) {
  return FromMemory<HWND>(HOOK_CREATE_DIALOG_INDIRECT_PARAM_W, module, dialogTemplate, owner, procedure,
                          param);
}

}  // namespace hooks

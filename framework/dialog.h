// Modal dialogs created from an in-memory template and run by their own message loop, so that
// PreTranslateMessage sees keys and posted messages before the dialog manager does.
#pragma once

#include <windows.h>

#include <exception>

#include "framework/data_exchange.h"
#include "framework/message_table.h"

namespace fw {

class Dialog {
 public:
  // The template (DLGTEMPLATE or DLGTEMPLATEEX) is read only while DoModal creates the window.
  explicit Dialog(const DLGTEMPLATE* dialogTemplate = nullptr, HWND owner = nullptr)
      : template_(dialogTemplate), owner_(owner) {}
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  void SetTemplate(const DLGTEMPLATE* dialogTemplate) { template_ = dialogTemplate; }
  void SetOwner(HWND owner) { owner_ = owner; }

  // Shows the dialog and returns what EndModal was given: IDOK, IDCANCEL, or -1 when the window
  // could not be created or the loop ended without EndModal (WM_QUIT, window destroyed). An exception
  // thrown by a handler closes the dialog and is thrown again from here.
  int DoModal();
  // Ends the modal loop once the current message has been handled.
  void EndModal(int result);

  HWND hwnd() const { return hwnd_; }
  HWND Item(int controlId) const { return hwnd_ ? GetDlgItem(hwnd_, controlId) : nullptr; }
  // Runs DoDataExchange; false when it refused the data.
  bool UpdateData(bool fromControls);

  // The Dialog that runs window hwnd, or null.
  static Dialog* FromHandle(HWND hwnd);

 protected:
  // Default: fill the controls; TRUE lets the dialog manager focus the first control.
  virtual BOOL OnInitDialog();
  // Default: take the controls' data and close with IDOK unless the exchange refused.
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(DataExchange& exchange) {}
  // Sees every message for the dialog and its controls before the dialog manager, also while a nested
  // dialog runs (not inside a message box's own loop); true = handled.
  virtual bool PreTranslateMessage(MSG& message) { return false; }
  // Hands the message to the derived class's message table (see message_table.h).
  virtual bool DispatchTable(const DialogMessage& message) { return false; }
  // Every message of the dialog procedure from WM_INITDIALOG on, except WM_NCDESTROY; the result goes
  // back to the dialog manager. Default: OnInitDialog, the message table, then OK and Cancel.
  virtual INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void RunModalLoop();
  // Keeps the first exception for DoModal and ends the dialog.
  void Abandon(std::exception_ptr error);
  void DestroyAndRestoreOwner(HWND owner, bool reenableOwner);

  const DLGTEMPLATE* template_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  bool ended_ = false;
  int result_ = -1;
  std::exception_ptr error_;
};

}  // namespace fw

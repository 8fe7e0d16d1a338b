#include "ui/main_dialog.h"

#include "framework/language.h"
#include "resources/resource.h"

CPManDlg::CPManDlg() : fw::Dialog(LoadLangDialog(IDD_MAIN)) {}

BOOL CPManDlg::OnInitDialog() {
  BOOL result = fw::Dialog::OnInitDialog();
  ::SetWindowTextA(hwnd(), LangString(IDS_APP_NAME).c_str());
  return result;
}

bool CPManDlg::PreTranslateMessage(MSG& message) {
  if (activationMessage_ != 0 && message.message == activationMessage_) {
    BringToFront();
    return true;
  }
  return false;
}

void CPManDlg::BringToFront() {
  if (::GetForegroundWindow() == hwnd()) return;
  ::SetForegroundWindow(hwnd());
  ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
}

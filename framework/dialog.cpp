#include "framework/dialog.h"

#include <string>
#include <utility>

#include "framework/app.h"

namespace fw {

Dialog::~Dialog() {
  // Deleted from inside one of its own handlers: later messages must not reach the object.
  if (hwnd_ && IsWindow(hwnd_)) SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
}

int Dialog::DoModal() {
  if (hwnd_ || !template_) return -1;
  ended_ = false;
  result_ = -1;
  error_ = nullptr;

  // The owner is the top-level window, which stays disabled while the dialog runs.
  HWND owner = owner_ ? GetAncestor(owner_, GA_ROOT) : nullptr;
  bool reenableOwner = owner && owner != GetDesktopWindow() && IsWindowEnabled(owner);
  if (reenableOwner) EnableWindow(owner, FALSE);

  HWND created = CreateDialogIndirectParamA(ApplicationInstance(), template_, owner,
                                            &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
  if (!created) {
    hwnd_ = nullptr;
    ended_ = true;
    result_ = -1;
  } else if (!ended_) {
    if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNORMAL);
    RunModalLoop();
  }
  DestroyAndRestoreOwner(owner, reenableOwner);
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
  return result_;
}

void Dialog::RunModalLoop() {
  MSG message;
  while (!ended_) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT belongs to the outermost loop: put it back for it.
      PostQuitMessage(static_cast<int>(message.wParam));
      EndModal(-1);
      break;
    }
    if (got == -1) {
      EndModal(-1);
      break;
    }
    // Whichever loop fetched it, a message goes first to the dialog it is for, so that a dialog
    // under a nested one still sees what is posted to it.
    bool handled = false;
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (Dialog* target = FromHandle(root)) {
      try {
        handled = target->PreTranslateMessage(message);
      } catch (...) {
        target->Abandon(std::current_exception());
        handled = true;
      }
    }
    if (ended_) break;
    if (handled || (hwnd_ && IsDialogMessageA(hwnd_, &message))) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Dialog::DestroyAndRestoreOwner(HWND owner, bool reenableOwner) {
  // The owner is enabled before the dialog goes, so that activation returns to it.
  if (reenableOwner) EnableWindow(owner, TRUE);
  if (hwnd_) {
    if (owner && GetActiveWindow() == hwnd_) SetActiveWindow(owner);
    HWND window = hwnd_;
    DestroyWindow(window);
    hwnd_ = nullptr;
  }
}

void Dialog::EndModal(int result) {
  if (ended_) return;  // the first reason to end wins
  result_ = result;
  ended_ = true;
  // Wakes the loop in case nothing else is queued.
  if (hwnd_) PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void Dialog::Abandon(std::exception_ptr error) {
  std::string line = "fw: dialog handler threw";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    line += std::string(": ") + e.what();
  } catch (...) {
  }
  line += "\n";
  OutputDebugStringA(line.c_str());
  if (!error_) error_ = error;
  EndModal(-1);
}

bool Dialog::UpdateData(bool fromControls) {
  DataExchange exchange(
      hwnd_, fromControls ? DataExchange::Direction::kFromControls : DataExchange::Direction::kToControls);
  DoDataExchange(exchange);
  return !exchange.Refused();
}

BOOL Dialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndModal(IDOK);
}

void Dialog::OnCancel() { EndModal(IDCANCEL); }

Dialog* Dialog::FromHandle(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return nullptr;
  if (GetWindowLongPtrA(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&Dialog::StaticDialogProc)) {
    return nullptr;
  }
  return reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* dialog;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<Dialog*>(lParam);
    dialog->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
  } else {
    dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!dialog) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT) and after detaching

  if (message == WM_NCDESTROY) {
    // Destroyed by someone else while running: the loop must not wait for it.
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    dialog->hwnd_ = nullptr;
    dialog->EndModal(-1);
    return FALSE;
  }
  // No exception may unwind through user32: keep it for DoModal and close the dialog.
  try {
    return dialog->WindowProc(message, wParam, lParam);
  } catch (...) {
    dialog->Abandon(std::current_exception());
    return TRUE;
  }
}

INT_PTR Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog();
  if (DispatchTable(DialogMessage{message, wParam, lParam})) {
    if (message == WM_NOTIFY) SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, 0);
    return TRUE;
  }
  if (message == WM_COMMAND && CommandCode(wParam, lParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case IDOK:
        OnOK();
        return TRUE;
      case IDCANCEL:
        OnCancel();
        return TRUE;
    }
  }
  return FALSE;
}

}  // namespace fw

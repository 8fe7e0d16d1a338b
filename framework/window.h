// Non-owning view of a window: the base of the control wrappers. It never destroys the window,
// and every call on a window that no longer exists answers with a failure value.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// The whole window text, however long (empty for no window).
std::string GetWindowTextString(HWND hwnd);

class WindowRef {
 public:
  WindowRef() = default;
  explicit WindowRef(HWND hwnd) : hwnd_(hwnd) {}
  // The control controlId of dialog (no window when the dialog has no such control).
  WindowRef(HWND dialog, int controlId) : hwnd_(dialog ? GetDlgItem(dialog, controlId) : nullptr) {}

  HWND hwnd() const { return hwnd_; }
  bool IsValid() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

  bool Enable(bool enable) const;
  bool IsEnabled() const { return IsValid() && IsWindowEnabled(hwnd_); }
  bool SetText(const std::string& text) const;
  std::string GetText() const { return IsValid() ? GetWindowTextString(hwnd_) : std::string(); }
  bool Focus() const {
    if (!IsValid()) return false;
    ::SetFocus(hwnd_);  // returns the previous focus, which may be none
    return ::GetFocus() == hwnd_;
  }

 protected:
  // Sends one message, or answers whenInvalid without sending when there is no window.
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, LRESULT whenInvalid) const {
    return IsValid() ? SendMessageA(hwnd_, message, wParam, lParam) : whenInvalid;
  }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace fw

#include "framework/window.h"

namespace fw {

std::string GetWindowTextString(HWND hwnd) {
  if (!hwnd) return std::string();
  // The length may be an overestimate for multibyte text; the copy says how much there is.
  int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

bool WindowRef::Enable(bool enable) const {
  if (!IsValid()) return false;
  EnableWindow(hwnd_, enable ? TRUE : FALSE);
  return true;
}

bool WindowRef::SetText(const std::string& text) const {
  return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), FALSE) != FALSE;
}

}  // namespace fw

#include "framework/subclass.h"

#include <commctrl.h>

#include <exception>
#include <string>

namespace fw {
namespace {

// One subclass of ours per window; the object rides in the reference data.
constexpr UINT_PTR kSubclassId = 0x7457;  // "tW"

}  // namespace

void ReportCurrentException(const char* where) {
  std::string line = where;
  try {
    throw;
  } catch (const std::exception& e) {
    line += std::string(": ") + e.what();
  } catch (...) {
  }
  line += "\n";
  OutputDebugStringA(line.c_str());
}

bool ReflectToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (!control || !IsWindow(control)) return false;
  LRESULT answer = SendMessageA(control, kReflectedMessageBase + message, wParam, lParam);
  if (answer == 0) return false;
  *result = answer;
  return true;
}

SubclassedWindow::~SubclassedWindow() { Detach(); }

bool SubclassedWindow::Attach(HWND window) {
  if (hwnd_ || !window || !IsWindow(window) || FromHandle(window)) return false;
  if (!SetWindowSubclass(window, &SubclassedWindow::SubclassProc, kSubclassId,
                         reinterpret_cast<DWORD_PTR>(this)))
    return false;
  hwnd_ = window;
  return true;
}

void SubclassedWindow::Detach() {
  if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &SubclassedWindow::SubclassProc, kSubclassId);
  hwnd_ = nullptr;
}

SubclassedWindow* SubclassedWindow::FromHandle(HWND window) {
  DWORD_PTR self = 0;
  if (!window || !GetWindowSubclass(window, &SubclassedWindow::SubclassProc, kSubclassId, &self))
    return nullptr;
  return reinterpret_cast<SubclassedWindow*>(self);
}

LRESULT SubclassedWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR data) {
  SubclassedWindow* self = reinterpret_cast<SubclassedWindow*>(data);
  if (message == WM_NCDESTROY) {
    // The subclass goes before the window does; the object learns of it last.
    RemoveWindowSubclass(window, &SubclassedWindow::SubclassProc, kSubclassId);
    self->hwnd_ = nullptr;
    LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    try {
      self->PostNcDestroy();
    } catch (...) {
      ReportCurrentException("fw: window handler threw");
    }
    return result;
  }
  // No exception may unwind through user32: the window then handles the message itself.
  try {
    return self->WindowProc(message, wParam, lParam);
  } catch (...) {
    ReportCurrentException("fw: window handler threw");
    return DefSubclassProc(window, message, wParam, lParam);
  }
}

void ExchangeControl(DataExchange& exchange, int controlId, SubclassedWindow& window) {
  if (exchange.FromControls() || exchange.Refused() || window.hwnd()) return;
  HWND dialog = exchange.DialogWindow();
  HWND control = dialog ? GetDlgItem(dialog, controlId) : nullptr;
  if (control) window.Attach(control);
}

}  // namespace fw

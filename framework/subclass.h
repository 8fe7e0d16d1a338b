// A C++ object attached to a window that already exists (a control of a dialog template): its
// WindowProc sees the window's messages first and hands on what it leaves with Default.
#pragma once

#include <windows.h>

#include "framework/data_exchange.h"

namespace fw {

// A parent hands some notifications back to the control they concern (WM_CTLCOLORSTATIC and the
// like) as this offset plus the message, so the control can answer for itself.
constexpr UINT kReflectedMessageBase = 0xBC00;

// Sends message reflected to control; true when the control answered with a non-zero result,
// which goes to *result. A control that does not handle reflections answers 0.
bool ReflectToControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

class SubclassedWindow {
 public:
  SubclassedWindow() = default;
  // Detaches from a window that still exists.
  virtual ~SubclassedWindow();
  SubclassedWindow(const SubclassedWindow&) = delete;
  SubclassedWindow& operator=(const SubclassedWindow&) = delete;

  // False when this object is attached already, window is not a window, or the window refuses.
  bool Attach(HWND window);
  void Detach();
  HWND hwnd() const { return hwnd_; }

  // The object attached to window, or null.
  static SubclassedWindow* FromHandle(HWND window);

 protected:
  // Default: hand every message on.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
  }
  // The window's own handling; only valid inside WindowProc.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone and this object detached; the object may delete itself here.
  virtual void PostNcDestroy() {}

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  HWND hwnd_ = nullptr;
};

// Inside a catch block: writes where and the exception's message to the debugger output.
void ReportCurrentException(const char* where);

// The data exchange's binding of control controlId to window: attaches when filling the controls
// and window is not attached yet; taking the data back leaves it alone.
void ExchangeControl(DataExchange& exchange, int controlId, SubclassedWindow& window);

}  // namespace fw

#include <gtest/gtest.h>

#include "program_driver.h"

namespace {

const char kAppName[] = "Orvane for AutoCAD";

// Waits (bounded) for the main dialog of processId to be shown.
HWND WaitForMainDialog(DWORD processId, DWORD timeoutMs = 30000) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    for (const auto& window : ProcessWindows(processId))
      if (window.second == kAppName) return window.first;
    ::Sleep(50);
  }
  return nullptr;
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window of the test itself that takes the foreground from the dialog.
class ForegroundThief {
 public:
  ForegroundThief() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TwForegroundThief";
    ::RegisterClassA(&windowClass);
    window_ = ::CreateWindowA("TwForegroundThief", "thief", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    ::SetForegroundWindow(window_);
    Pump();
  }
  ~ForegroundThief() { ::DestroyWindow(window_); }
  HWND get() const { return window_; }
  static void Pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  }

 private:
  HWND window_ = nullptr;
};

// Ends a started program that a failed test left running, so later tests start clean.
struct EndOnExit {
  HANDLE process;
  ~EndOnExit() {
    if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) ::TerminateProcess(process, 99);
  }
};

TEST(SingleInstanceE2E, SecondStartActivatesTheFirstAndEnds) {
  ProgramFolder folder;
  fw::Handle first = folder.Start("");
  ASSERT_TRUE(first);
  EndOnExit endFirst{first.get()};
  HWND dialog = WaitForMainDialog(::GetProcessId(first.get()));
  ASSERT_NE(nullptr, dialog) << "the first instance shows no dialog";

  ForegroundThief thief;
  ASSERT_EQ(thief.get(), ::GetForegroundWindow());

  fw::Handle second = folder.Start("");
  ASSERT_TRUE(second);
  EndOnExit endSecond{second.get()};
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(second.get(), 30000));
  DWORD exitCode = 99;
  ::GetExitCodeProcess(second.get(), &exitCode);
  EXPECT_EQ(0u, exitCode);

  // The first instance keeps running and comes to the front.
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(first.get(), 0));
  HWND foreground = nullptr;
  for (int i = 0; i < 100 && foreground != dialog; ++i) {
    ForegroundThief::Pump();
    ::Sleep(50);
    foreground = ::GetForegroundWindow();
  }
  EXPECT_EQ(dialog, foreground);

  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(first.get(), 30000));
  ::GetExitCodeProcess(first.get(), &exitCode);
  EXPECT_EQ(0u, exitCode);
}

}  // namespace

// A second start of the program brings the first one's dialog to the front and ends.
#include <gtest/gtest.h>

#include "program_driver.h"

namespace {

// Ends a started program that a failed test left running, so later tests start clean.
struct EndOnExit {
  HANDLE process;
  ~EndOnExit() {
    if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) ::TerminateProcess(process, 99);
  }
};

void PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

TEST(SingleInstanceE2E, SecondStartActivatesTheFirstAndEnds) {
  ProgramFolder folder;
  fw::Handle first = folder.Start("");
  ASSERT_TRUE(first);
  EndOnExit endFirst{first.get()};
  HWND dialog = nullptr;
  for (int i = 0; i < 600 && !dialog; ++i, ::Sleep(50))
    dialog = ::FindWindowA("#32770", "Orvane for AutoCAD");
  ASSERT_NE(nullptr, dialog) << "the first instance shows no dialog";

  // A window of the test takes the foreground from the dialog.
  HWND thief = ::CreateWindowA("STATIC", "thief", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::SetForegroundWindow(thief);
  PumpMessages();
  ASSERT_EQ(thief, ::GetForegroundWindow());

  fw::Handle second = folder.Start("");
  ASSERT_TRUE(second);
  EndOnExit endSecond{second.get()};
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(second.get(), 30000));
  DWORD exitCode = 99;
  ::GetExitCodeProcess(second.get(), &exitCode);
  EXPECT_EQ(0u, exitCode);

  // The first instance keeps running and comes to the front.
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(first.get(), 0));
  for (int i = 0; i < 100 && ::GetForegroundWindow() != dialog; ++i, ::Sleep(50)) PumpMessages();
  EXPECT_EQ(dialog, ::GetForegroundWindow());
  ::DestroyWindow(thief);

  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(first.get(), 30000));
  ::GetExitCodeProcess(first.get(), &exitCode);
  EXPECT_EQ(0u, exitCode);
}

}  // namespace

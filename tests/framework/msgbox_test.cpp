// The one message-box function: its hook, and the real box it shows without one.
#include "framework/msgbox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/window.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"

namespace {

TEST(MessageBoxHook, ReceivesTextAndFlagsAndAnswersForTheBox) {
  std::vector<std::string> calls;
  fw::MessageBoxHook previous = fw::SetMessageBoxHook([&](const std::string& text, UINT flags) {
    calls.push_back(text + "|" + std::to_string(flags));
    return IDNO;
  });
  EXPECT_EQ(IDNO, fw::MessageBoxApp(nullptr, "Delete the profile \"Work\"?", MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(IDNO, fw::MessageBoxApp(nullptr, "", MB_OK));
  EXPECT_TRUE(static_cast<bool>(fw::SetMessageBoxHook(previous))) << "the hook set above comes back";
  const std::vector<std::string> expected = {
      "Delete the profile \"Work\"?|" + std::to_string(MB_YESNO | MB_ICONQUESTION),
      "|" + std::to_string(MB_OK)};
  EXPECT_EQ(expected, calls);
}

// What the real box showed (title, owner, text), read from inside its own loop.
std::vector<std::string> seenBox;

void CALLBACK AnswerRealBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = fwtest::TopDialog();
  if (!box || !seenBox.empty()) return;
  const HWND owner = GetWindow(box, GW_OWNER);
  seenBox = {fw::GetWindowTextString(box), fw::GetWindowTextString(owner), fwtest::ControlText(box, 0xFFFF)};
  fwtest::Click(box, IDNO);
}

TEST(MessageBoxApp, RealBoxHasTheApplicationNameAsTitleAndTheGivenOwner) {
  struct TitledApp : fw::WinApp {
    BOOL InitInstance() override { return FALSE; }
  } app;
  app.SetAppName("Orvane for AutoCAD");
  fwtest::ScopedWindow owner(fwtest::CreatePlainWindow("owner", true));
  // A null owner takes the active window, so the box stays modal to what is open.
  for (HWND given : {owner.get(), static_cast<HWND>(nullptr)}) {
    SetForegroundWindow(owner.get());
    SetActiveWindow(owner.get());
    if (!given) ASSERT_EQ(owner.get(), GetActiveWindow());
    seenBox.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 10, &AnswerRealBox);
    int answer = fw::MessageBoxApp(given, "Apply changes before refresh?", MB_YESNOCANCEL | MB_ICONQUESTION);
    KillTimer(nullptr, timer);
    EXPECT_EQ(IDNO, answer);
    EXPECT_EQ((std::vector<std::string>{"Orvane for AutoCAD", "owner", "Apply changes before refresh?"}),
              seenBox)
        << (given ? "given owner" : "no owner");
  }
}

}  // namespace

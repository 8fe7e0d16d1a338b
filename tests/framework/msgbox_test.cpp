// The one message-box function: its hook, and the real box it shows without one.
#include "framework/msgbox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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

// What the real box showed, read from inside its own loop.
struct SeenBox {
  bool found = false;
  std::string title;
  HWND owner = nullptr;
  std::vector<std::string> texts;
};
SeenBox seenBox;

BOOL CALLBACK CollectText(HWND child, LPARAM) {
  seenBox.texts.push_back(fw::GetWindowTextString(child));
  return TRUE;
}

void CALLBACK AnswerRealBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = fwtest::TopDialog();
  if (!box || seenBox.found) return;
  seenBox.found = true;
  seenBox.title = fw::GetWindowTextString(box);
  seenBox.owner = GetWindow(box, GW_OWNER);
  EnumChildWindows(box, &CollectText, 0);
  fwtest::Click(box, IDNO);
}

TEST(MessageBoxApp, RealBoxHasTheApplicationNameAsTitleAndTheGivenOwner) {
  struct TitledApp : fw::WinApp {
    BOOL InitInstance() override { return FALSE; }
  } app;
  app.SetAppName("Orvane for AutoCAD");
  fwtest::ScopedWindow owner(fwtest::CreatePlainWindow("owner", true));
  struct Row {
    HWND owner;
    HWND activeBefore;
  };
  // A null owner takes the active window, so the box stays modal to what is open.
  const Row rows[] = {{owner.get(), nullptr}, {nullptr, owner.get()}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    if (rows[i].activeBefore) {
      SetForegroundWindow(rows[i].activeBefore);
      SetActiveWindow(rows[i].activeBefore);
      ASSERT_EQ(rows[i].activeBefore, GetActiveWindow()) << "row " << i;
    }
    seenBox = SeenBox();
    UINT_PTR timer = SetTimer(nullptr, 0, 10, &AnswerRealBox);
    int answer = fw::MessageBoxApp(rows[i].owner, "Do you want to apply changes before refresh?",
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    KillTimer(nullptr, timer);
    EXPECT_EQ(IDNO, answer) << "row " << i;
    EXPECT_TRUE(seenBox.found) << "row " << i;
    EXPECT_EQ("Orvane for AutoCAD", seenBox.title) << "row " << i;
    EXPECT_EQ(owner.get(), seenBox.owner) << "row " << i;
    EXPECT_NE(seenBox.texts.end(), std::find(seenBox.texts.begin(), seenBox.texts.end(),
                                             "Do you want to apply changes before refresh?"))
        << "row " << i;
  }
}

}  // namespace

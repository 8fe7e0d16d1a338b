// The one message-box function: its hook, and the real box it shows without one.
#include "framework/msgbox.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/window.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"

namespace {

TEST(MessageBoxHook, ReceivesTextAndFlagsAndAnswersForTheBox) {
  std::vector<std::pair<std::string, UINT>> calls;
  fw::MessageBoxHook previous = fw::SetMessageBoxHook([&](const std::string& text, UINT flags) {
    calls.emplace_back(text, flags);
    return IDNO;
  });
  EXPECT_EQ(IDNO, fw::MessageBoxApp(nullptr, "Are you sure you want to delete the profile \"Work\"?",
                                    MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(IDNO, fw::MessageBoxApp(nullptr, "", MB_OK));
  fw::MessageBoxHook mine = fw::SetMessageBoxHook(previous);
  EXPECT_TRUE(static_cast<bool>(mine));
  ASSERT_EQ(2u, calls.size());
  EXPECT_EQ("Are you sure you want to delete the profile \"Work\"?", calls[0].first);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), calls[0].second);
  EXPECT_EQ("", calls[1].first);
  EXPECT_EQ(static_cast<UINT>(MB_OK), calls[1].second);
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

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts) {
    if (t == text) return true;
  }
  return false;
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
    EXPECT_TRUE(Contains(seenBox.texts, "Do you want to apply changes before refresh?")) << "row " << i;
  }
}

}  // namespace

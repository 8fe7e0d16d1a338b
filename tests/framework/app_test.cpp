// The application object: RunApp, and the one message-box function with its hook and the real box
// it shows without one, titled with the application's name.
#include "framework/app.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/msgbox.h"
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

struct AppBehaviour {
  BOOL initResult;
  int exitCode;
  bool throwInInit, throwInExit;
};

class RecordingApp : public fw::WinApp {
 public:
  explicit RecordingApp(const AppBehaviour& behaviour) : behaviour_(behaviour) {}
  std::vector<std::string> calls;

  BOOL InitInstance() override {
    calls.push_back("init");
    if (behaviour_.throwInInit) throw std::runtime_error("init");
    return behaviour_.initResult;
  }
  int ExitInstance() override {
    calls.push_back("exit");
    if (behaviour_.throwInExit) throw 5;
    return behaviour_.exitCode;
  }

 private:
  AppBehaviour behaviour_;
};

TEST(RunApp, InitThenExitAndTheExitCodeComesFromExitInstance) {
  const struct {
    AppBehaviour behaviour;
    int expected;
  } rows[] = {
      {{FALSE, 0, false, false}, 0},
      {{FALSE, 3, false, false}, 3},
      {{TRUE, -5, false, false}, -5},
      {{FALSE, 0, true, false}, fw::kUncaughtExceptionExitCode},
      {{FALSE, 0, false, true}, fw::kUncaughtExceptionExitCode},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    RecordingApp app(rows[i].behaviour);
    EXPECT_EQ(rows[i].expected, fw::RunApp(app)) << "row " << i;
    EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.calls) << "row " << i;
  }
}

}  // namespace

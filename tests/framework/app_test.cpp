// The application object: RunApp, and the real message box shown when no hook answers, titled with
// the application's name.
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
    if (!given) {
      ASSERT_EQ(owner.get(), GetActiveWindow());
    }
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

// Records its calls and throws from the one named in throwIn.
struct RecordingApp : fw::WinApp {
  std::string throwIn;
  std::vector<std::string> calls;

  BOOL InitInstance() override {
    calls.push_back("init");
    if (throwIn == "init") throw std::runtime_error("init");
    return FALSE;  // what it answers does not matter: ExitInstance runs either way
  }
  int ExitInstance() override {
    calls.push_back("exit");
    if (throwIn == "exit") throw 5;  // not even a std::exception
    return -5;
  }
};

TEST(RunApp, InitThenExitAndTheExitCodeComesFromExitInstance) {
  const struct {
    const char* throwIn;
    int expected;
  } rows[] = {
      {"", -5},
      {"init", fw::kUncaughtExceptionExitCode},
      {"exit", fw::kUncaughtExceptionExitCode},
  };
  for (const auto& row : rows) {
    RecordingApp app;
    app.throwIn = row.throwIn;
    EXPECT_EQ(row.expected, fw::RunApp(app)) << row.throwIn;
    EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.calls) << row.throwIn;
  }
}

}  // namespace

// The application object and RunApp.
#include "framework/app.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class RecordingApp : public fw::WinApp {
 public:
  BOOL initResult = FALSE;
  int exitCode = 0;
  bool throwInInit = false;
  bool throwInExit = false;
  std::vector<std::string> calls;

  BOOL InitInstance() override {
    calls.push_back("init");
    if (throwInInit) throw std::runtime_error("init");
    return initResult;
  }
  int ExitInstance() override {
    calls.push_back("exit");
    if (throwInExit) throw 5;
    return exitCode;
  }
};

TEST(RunApp, InitThenExitAndTheExitCodeComesFromExitInstance) {
  struct Row {
    BOOL initResult;
    int exitCode;
    bool throwInInit;
    bool throwInExit;
    int expected;
  };
  const Row rows[] = {
      {FALSE, 0, false, false, 0},
      {TRUE, 0, false, false, 0},
      {FALSE, 3, false, false, 3},
      {TRUE, -5, false, false, -5},
      {FALSE, 0, true, false, fw::kUncaughtExceptionExitCode},
      {FALSE, 0, false, true, fw::kUncaughtExceptionExitCode},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    RecordingApp app;
    app.initResult = rows[i].initResult;
    app.exitCode = rows[i].exitCode;
    app.throwInInit = rows[i].throwInInit;
    app.throwInExit = rows[i].throwInExit;
    EXPECT_EQ(rows[i].expected, fw::RunApp(app)) << "row " << i;
    EXPECT_EQ((std::vector<std::string>{"init", "exit"}), app.calls) << "row " << i;
  }
}

}  // namespace

// The application object and RunApp.
#include "framework/app.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

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

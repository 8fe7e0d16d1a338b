#include "framework/app.h"

#include <exception>

namespace fw {
namespace {

WinApp* currentApp = nullptr;

std::string BaseNameWithoutExtension(const std::string& path) {
  size_t start = path.find_last_of("\\/:");
  start = start == std::string::npos ? 0 : start + 1;
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < start) dot = path.size();
  return path.substr(start, dot - start);
}

void ReportUncaught(const char* where) {
  std::string line = std::string("fw: ") + where + " ended by an exception";
  try {
    throw;
  } catch (const std::exception& e) {
    line += std::string(": ") + e.what();
  } catch (...) {
  }
  line += "\n";
  OutputDebugStringA(line.c_str());
}

}  // namespace

WinApp::WinApp()
    : instance_(GetModuleHandleA(nullptr)),
      programPath_(ModuleFilePath(nullptr)),
      appName_(BaseNameWithoutExtension(programPath_)) {
  currentApp = this;
}

WinApp::~WinApp() {
  if (currentApp == this) currentApp = nullptr;
}

int WinApp::ExitInstance() { return 0; }

WinApp* WinApp::Current() { return currentApp; }

int RunApp(WinApp& app, HINSTANCE instance) {
  currentApp = &app;
  if (instance) app.instance_ = instance;
  // No exception may leave WinMain: the C runtime would abort with a box nobody answers.
  bool failed = false;
  try {
    app.InitInstance();
  } catch (...) {
    ReportUncaught("InitInstance");
    failed = true;
  }
  int exitCode = kUncaughtExceptionExitCode;
  try {
    exitCode = app.ExitInstance();
  } catch (...) {
    ReportUncaught("ExitInstance");
    failed = true;
  }
  return failed ? kUncaughtExceptionExitCode : exitCode;
}

std::string ModuleFilePath(HMODULE module) {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD length = GetModuleFileNameA(module, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: try again with more room
  }
}

std::string ApplicationName() {
  if (currentApp) return currentApp->AppName();
  return BaseNameWithoutExtension(ModuleFilePath(nullptr));
}

HINSTANCE ApplicationInstance() { return currentApp ? currentApp->Instance() : GetModuleHandleA(nullptr); }

}  // namespace fw

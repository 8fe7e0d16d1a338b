// The application object that WinMain runs: InitInstance does the work, ExitInstance
// supplies the exit code.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// Exit code when InitInstance or ExitInstance ends with an exception instead of returning.
constexpr int kUncaughtExceptionExitCode = 255;

class WinApp {
 public:
  // The newest application object becomes the current one (the program has exactly one).
  WinApp();
  virtual ~WinApp();
  WinApp(const WinApp&) = delete;
  WinApp& operator=(const WinApp&) = delete;

  // The whole life of the program; its result does not change what RunApp does next.
  virtual BOOL InitInstance() = 0;
  // Returns the process exit code.
  virtual int ExitInstance();

  HINSTANCE Instance() const { return instance_; }
  const std::string& ProgramPath() const { return programPath_; }
  // The title of every message box; starts as the program file's base name.
  const std::string& AppName() const { return appName_; }
  void SetAppName(const std::string& name) { appName_ = name; }

  // The application object of the process, or null before one exists.
  static WinApp* Current();

 private:
  friend int RunApp(WinApp& app, HINSTANCE instance);

  HINSTANCE instance_;
  std::string programPath_;
  std::string appName_;
};

// Called by WinMain: InitInstance, then ExitInstance, whose result is returned. A null instance
// keeps the module handle of the program file.
int RunApp(WinApp& app, HINSTANCE instance = nullptr);

// The program file's full path, however long.
std::string ModuleFilePath(HMODULE module);

// The current application's name, or the program file's base name when there is no application.
std::string ApplicationName();

// The module that dialogs are created for: the current application's, else the program file's.
HINSTANCE ApplicationInstance();

}  // namespace fw

// The application object: picks the UI language, parses the command line and does
// exactly one thing: the dialog, a run, the report, a clean-up call or the usage text.
#pragma once

#include "app/command_line.h"
#include "app/script_output.h"
#include "base/handles.h"
#include "framework/app.h"

class CPManDlg;

class CPManDlgApp : public fw::WinApp {
 public:
  BOOL InitInstance() override;
  int ExitInstance() override;

  int exitCode() const { return exitCode_; }

 private:
  void InitializeLibraries();
  void SelectUiLanguage();
  void RunInteractive(CPManDlg& dialog);
  void RunCommandLineAction(const CPMCommandLineInfo& info, CPManDlg& dialog);

  fw::Handle instanceEvent_;  // marks the one interactive instance
  fw::Module richEdit_;
  bool oleInitialized_ = false;
  int exitCode_ = 0;
};

extern const char kInstanceEventName[];
extern const char kActivateMessageName[];

// Where the messages of a command-line action go. Normally a message box; in scripting
// mode (-quiet, and always for -apply and -check) a line on the caller's standard error
// and, with -log, a dated line appended to the log file, followed by a one-line summary.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"

// The exit codes of scripting mode (a run with -r exits with its run outcome instead).
enum ScriptExitCode {
  ExitDone = 0,            // done, or nothing to do
  ExitDifferences = 1,     // -check found differences
  ExitBadInput = 2,        // a bad argument, or an unreadable or malformed file
  ExitPartialFailure = 3,  // some products or profiles could not be changed
};

class ScriptOutput {
 public:
  ScriptOutput(bool quiet, const std::string& logFile);
  ScriptOutput(const ScriptOutput&) = delete;
  ScriptOutput& operator=(const ScriptOutput&) = delete;

  bool Quiet() const { return quiet_; }

  // A message box (an OK button unless flags say otherwise), or in scripting mode a line.
  void Message(const std::string& text, UINT boxFlags = MB_OK);
  // Scripting mode only: the last line, saying how the action ended.
  void Summary(const std::string& text);

 private:
  void WriteLine(const std::string& text);
  void WriteStandardError(const std::string& text);
  void AppendToLog(const std::string& text);

  bool quiet_;
  std::string logFile_;
  bool errorResolved_ = false;
  HANDLE error_ = nullptr;  // borrowed (inherited) or owned by console_
  fw::FileHandle console_;
};

// The caller's standard error: the handle it gave (a redirection or a pipe) when it can be
// written, else its console when it has one; null when there is neither.
HANDLE CallerStandardError(fw::FileHandle& console);

// "YYYY-MM-DD HH:MM:SS " for the local time now.
std::string LogTimestamp();

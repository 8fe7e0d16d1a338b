// Runs Tarnwick.exe as a script would: its standard error on a pipe, and every visible window
// of the process looked for from outside while it runs.
#pragma once

#include <string>
#include <vector>

#include "program_driver.h"

struct ScriptRun {
  bool Started = false;
  bool TimedOut = false;
  DWORD ExitCode = 0;
  std::string Error;                // everything written to standard error
  std::vector<std::string> Windows; // class names of the windows the process showed
};

// A process that shows a window is ended at once, so that a box nobody answers cannot
// hang the test.
ScriptRun RunScripted(const ProgramFolder& folder, const std::string& arguments, DWORD timeoutMs = 30000);

std::string ReadTextFile(const std::string& path);

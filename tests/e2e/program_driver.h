// Runs Tarnwick.exe as a separate process from a private copy of the program folder,
// answers its message boxes and reports what it showed and how it ended.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/handles.h"

struct ShownBox {
  std::string Title;
  std::string Text;
};

struct ProgramRun {
  bool Started = false;
  bool TimedOut = false;  // the program was killed after the time limit
  DWORD ExitCode = 0;
  std::vector<ShownBox> Boxes;
};

class ProgramFolder {
 public:
  // Copies Tarnwick.exe with the DLLs it needs beside it (QvApmReg.dll, the library and the
  // runtime) from the folder of the test program into a new private folder (a subfolder "bin" of
  // a fresh temporary folder).
  ProgramFolder();
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::string& Bin() const { return bin_; }        // with a trailing backslash
  const std::string& Parent() const { return parent_; }  // with a trailing backslash
  std::string Exe() const { return bin_ + "Tarnwick.exe"; }
  void WriteFile(const std::string& path, const std::string& contents) const;

  // Runs the program with arguments (as typed on a command line). answer picks the
  // button id for each dialog window (IDOK when unset; 0 leaves it open); the program is killed after
  // timeoutMs and the run marked as timed out.
  ProgramRun Run(const std::string& arguments, DWORD timeoutMs = 30000,
                 std::function<int(const ShownBox&)> answer = nullptr) const;

  // Starts the program without waiting.
  fw::Handle Start(const std::string& arguments) const;

 private:
  std::string parent_;
  std::string bin_;
};

// Top-level visible windows of a process, with their titles.
std::vector<std::pair<HWND, std::string>> ProcessWindows(DWORD processId);

// The text of a message box window (its static controls), "" when none.
std::string MessageBoxText(HWND box);

void DeleteTree(const std::string& folder);

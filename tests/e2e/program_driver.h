// Runs Tarnwick.exe as a separate process from a private copy of the program folder, with its
// standard error on a pipe as a script would have it, answers its dialogs and reports what it
// showed, wrote and how it ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "tests/support/scratch_folder.h"

struct ShownBox {
  std::string Title;
  std::string Text;  // its static controls
};

struct ProgramRun {
  DWORD ExitCode = 0xDEAD;      // 0xDEAD: it did not start; 99: it was killed after the time limit
  std::vector<ShownBox> Boxes;  // every dialog it showed, each answered with OK
  std::string Error;            // everything written to standard error
};

class ProgramFolder {
 public:
  // Copies Tarnwick.exe with the DLLs it needs beside it (QvApmReg.dll, the library and the
  // runtime) from the folder of the test program into the subfolder "bin" of a scratch folder.
  ProgramFolder();

  const std::string& Bin() const { return bin_; }        // with a trailing backslash
  const std::string& Parent() const { return parent_; }  // with a trailing backslash
  std::string Exe() const { return bin_ + "Tarnwick.exe"; }

  // Runs the program with arguments (as typed on a command line); it is killed after timeoutMs.
  ProgramRun Run(const std::string& arguments, DWORD timeoutMs = 30000) const;
  // Starts the program without waiting.
  fw::Handle Start(const std::string& arguments, HANDLE standardError = nullptr) const;

 private:
  ScratchFolder scratch_;
  std::string parent_;
  std::string bin_;
};

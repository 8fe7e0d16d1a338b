// The acad.exe AutoCAD stand-in beside the test program, kept running until the test lets it end.
#pragma once

#include <string>

#include "base/handles.h"
#include "tests/support/test_paths.h"

class RunningStandIn {
 public:
  // Starts the stand-in; its record and the file it waits for go into folder (trailing backslash).
  explicit RunningStandIn(const std::string& folder);
  ~RunningStandIn() { End(); }
  RunningStandIn(const RunningStandIn&) = delete;
  RunningStandIn& operator=(const RunningStandIn&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  // Lets it end and waits for it (at most 30 s); true when it has ended.
  bool End();

  // The folder of the test program, with a trailing backslash: the stand-ins sit there.
  static std::string ProgramFolder() { return TestProgramFolder(); }

 private:
  std::string waitFile_;
  fw::Handle process_;
};

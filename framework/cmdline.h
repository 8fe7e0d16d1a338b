// Command-line parsing in the manner of the classic application frameworks: every
// argument is handed to ParseParam in order, flags without their leading '-' or '/'.
#pragma once

namespace fw {

class CommandLineInfo {
 public:
  virtual ~CommandLineInfo() = default;
  // text: the argument (a flag without its '-' or '/'); isLast: whether it is the last one.
  virtual void ParseParam(const char* text, bool isFlag, bool isLast) = 0;
};

// Feeds argv[1..argc-1] to info.
void ParseCommandLine(CommandLineInfo& info, int argc, char** argv);

// Feeds the process's own arguments (the C runtime's __argc/__argv) to info.
void ParseCommandLine(CommandLineInfo& info);

}  // namespace fw

// Command-line parsing in the manner of the classic application frameworks: every
// argument is handed to ParseParam in order, flags without their leading '-' or '/'.
#pragma once

#include <string>

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

// text in double quotation marks by the Windows argument rules: a quote inside becomes \",
// backslashes before a quote or before the closing quote are doubled. The C runtime's
// argument splitting gives back exactly text.
std::string QuoteArgument(const std::string& text);

// Whether an argument needs quoting to come back whole: it holds a blank, a tab or a quote.
bool NeedsQuoting(const std::string& text);

}  // namespace fw

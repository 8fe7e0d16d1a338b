#include "framework/cmdline.h"

#include <stdlib.h>
#include <windows.h>

namespace fw {

void ParseCommandLine(CommandLineInfo& info, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i] ? argv[i] : "";
    bool isFlag = arg[0] == '-' || arg[0] == '/';
    info.ParseParam(isFlag ? arg + 1 : arg, isFlag, i == argc - 1);
  }
}

void ParseCommandLine(CommandLineInfo& info) { ParseCommandLine(info, __argc, __argv); }

std::string QuoteArgument(const std::string& text) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (::IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < text.size()) {
      // A double-byte character: its trail byte may look like a backslash but is not one.
      quoted.append(backslashes, '\\');
      backslashes = 0;
      quoted.append(text, i++, 2);
      continue;
    }
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only in front of a quote: there each one is doubled.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  quoted += '"';
  return quoted;
}

bool NeedsQuoting(const std::string& text) { return text.find_first_of(" \t\"") != std::string::npos; }

}  // namespace fw

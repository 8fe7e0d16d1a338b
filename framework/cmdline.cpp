#include "framework/cmdline.h"

#include <stdlib.h>

namespace fw {

void ParseCommandLine(CommandLineInfo& info, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i] ? argv[i] : "";
    bool isFlag = arg[0] == '-' || arg[0] == '/';
    info.ParseParam(isFlag ? arg + 1 : arg, isFlag, i == argc - 1);
  }
}

void ParseCommandLine(CommandLineInfo& info) { ParseCommandLine(info, __argc, __argv); }

}  // namespace fw

// Where the main dialog's help lives and how the help engine is asked to open its topic.
#pragma once

#include <string>

// The help file of the program at programPath: the same path with ".hlp" for ".exe"; for a
// program inside an ".alx" folder, its base name with ".hlp" in the parent of that folder.
std::string HelpFilePath(const std::string& programPath);

// The user guide beside the program: its base name with ".html".
std::string UserGuidePath(const std::string& programPath);

// What Help opens: the help file when it exists, else the user guide when it exists, else
// nothing (an empty path).
struct HelpChoice {
  enum Kind { kNothing, kHelpFile, kUserGuide };
  Kind kind = kNothing;
  std::string path;
};
HelpChoice ChooseHelp(const std::string& programPath);

// The help engine's macro that opens topic in helpFile, with every backslash doubled and every
// slash written as two backslashes, as the macro language reads them.
std::string HelpJumpMacro(const std::string& helpFile, const std::string& topic);

// The main dialog's help topic.
extern const char kMainHelpTopic[];

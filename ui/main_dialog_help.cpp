#include "ui/main_dialog_help.h"

#include <string.h>
#include <windows.h>

const char kMainHelpTopic[] = "TarnwickMain";

namespace {

bool EndsWithIgnoringCase(const std::string& text, const char* tail) {
  const size_t length = strlen(tail);
  return text.size() >= length && _stricmp(text.c_str() + text.size() - length, tail) == 0;
}

bool ContainsIgnoringCase(const std::string& text, const char* part) {
  const size_t length = strlen(part);
  for (size_t at = 0; at + length <= text.size(); ++at)
    if (_strnicmp(text.c_str() + at, part, length) == 0) return true;
  return false;
}

}  // namespace

std::string HelpFilePath(const std::string& programPath) {
  const size_t slash = programPath.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? std::string() : programPath.substr(0, slash);
  std::string baseName = programPath.substr(slash == std::string::npos ? 0 : slash + 1);
  if (EndsWithIgnoringCase(baseName, ".exe")) baseName.erase(baseName.size() - 4);

  if (ContainsIgnoringCase(programPath, ".alx")) {
    const size_t parentEnd = folder.find_last_of("\\/");
    const std::string parent =
        parentEnd == std::string::npos ? std::string() : folder.substr(0, parentEnd + 1);
    return parent + baseName + ".hlp";
  }
  if (!EndsWithIgnoringCase(programPath, ".exe")) return programPath + ".hlp";
  return programPath.substr(0, programPath.size() - 4) + ".hlp";
}

std::string HelpJumpMacro(const std::string& helpFile, const std::string& topic) {
  const std::string macro = "JumpID(\"" + helpFile + "\",\"" + topic + "\")";
  std::string escaped;
  for (size_t i = 0; i < macro.size(); ++i) {
    const char c = macro[i];
    if (::IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < macro.size()) {
      escaped += c;
      escaped += macro[++i];  // a trail byte may look like a backslash
    } else if (c == '\\' || c == '/') {
      escaped += "\\\\";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

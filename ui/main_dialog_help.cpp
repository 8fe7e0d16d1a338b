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

// The program's folder with its last separator (empty for a bare name) and its file name
// without ".exe".
void SplitProgramPath(const std::string& programPath, std::string& folder, std::string& baseName) {
  const size_t nameStart = programPath.find_last_of("\\/") + 1;  // 0 without a separator
  folder = programPath.substr(0, nameStart);
  baseName = programPath.substr(nameStart);
  if (EndsWithIgnoringCase(baseName, ".exe")) baseName.erase(baseName.size() - 4);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string HelpFilePath(const std::string& programPath) {
  std::string folder, baseName;
  SplitProgramPath(programPath, folder, baseName);
  if (ContainsIgnoringCase(programPath, ".alx")) {
    const std::string folderName = folder.substr(0, folder.empty() ? 0 : folder.size() - 1);
    const size_t parentEnd = folderName.find_last_of("\\/");
    const std::string parent =
        parentEnd == std::string::npos ? std::string() : folderName.substr(0, parentEnd + 1);
    return parent + baseName + ".hlp";
  }
  if (!EndsWithIgnoringCase(programPath, ".exe")) return programPath + ".hlp";
  return programPath.substr(0, programPath.size() - 4) + ".hlp";
}

std::string UserGuidePath(const std::string& programPath) {
  std::string folder, baseName;
  SplitProgramPath(programPath, folder, baseName);
  return folder + baseName + ".html";
}

HelpChoice ChooseHelp(const std::string& programPath) {
  HelpChoice choice;
  choice.path = HelpFilePath(programPath);
  if (FileExists(choice.path)) {
    choice.kind = HelpChoice::kHelpFile;
    return choice;
  }
  choice.path = UserGuidePath(programPath);
  choice.kind = FileExists(choice.path) ? HelpChoice::kUserGuide : HelpChoice::kNothing;
  if (choice.kind == HelpChoice::kNothing) choice.path.clear();
  return choice;
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

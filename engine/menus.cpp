#include "engine/menus.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "engine/registry_io.h"

namespace {

const size_t kMenuTextBytes = 520;
const int kPopLimit = 500;
// Numbers with more digits are not taken, so that the next number still fits an int.
const size_t kMaxNumberDigits = 9;

bool EqualIgnoringCase(const char* a, const char* b, int length) {
  return ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a, length, b, length) == CSTR_EQUAL;
}

// text begins with prefix, ignoring case.
bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         EqualIgnoringCase(text.data(), prefix.data(), static_cast<int>(prefix.size()));
}

// The number formed by the leading digits of text from position at; -1 when there are
// none or too many.
int LeadingNumber(const std::string& text, size_t at) {
  int number = 0;
  size_t digits = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) {
    if (digits == kMaxNumberDigits) return -1;
    number = number * 10 + (text[at] - '0');
  }
  return digits == 0 ? -1 : number;
}

// The pull-down number of a "***POPn" line head (the first nine bytes of a line).
int PopNumberOfLine(const std::string& head) {
  if (!StartsWithIgnoringCase(head, "***POP")) return -1;
  return LeadingNumber(head.substr(6, 3), 0);
}

// Drops ".mnu", ".mns" or ".mnc" (as written) from the end.
std::string WithoutMenuExtension(const std::string& menuSpec) {
  static const char* const kExtensions[] = {".mnu", ".mns", ".mnc"};
  for (const char* extension : kExtensions)
    if (menuSpec.size() >= 4 && menuSpec.compare(menuSpec.size() - 4, 4, extension) == 0)
      return menuSpec.substr(0, menuSpec.size() - 4);
  return menuSpec;
}

// "menuGroup Pop{number}": pull-down menu number of the group.
std::string PopText(const std::string& menuGroup, int number) {
  return menuGroup + " Pop" + std::to_string(number);
}

bool FitsMenuText(const std::string& text) { return text.size() < kMenuTextBytes; }

}  // namespace

int ReadMenuPopNumbers(const std::string& menuFile, std::vector<int>& numbers) {
  numbers.clear();
  std::ifstream file(menuFile, std::ios::binary);
  if (!file) return 0;
  // Only the first nine bytes of a line matter; long lines are not kept in memory.
  std::string head;
  std::streambuf* in = file.rdbuf();
  for (;;) {
    int c = in->sbumpc();
    if (c == std::char_traits<char>::eof() || c == '\n') {
      if (!head.empty() && head.back() == '\r') head.pop_back();
      int number = PopNumberOfLine(head);
      if (number >= 1 && number < kPopLimit) numbers.push_back(number);
      head.clear();
      if (c == std::char_traits<char>::eof()) break;
    } else if (head.size() < 10) {
      head.push_back(static_cast<char>(c));
    }
  }
  return static_cast<int>(numbers.size());
}

bool FindMenuGroup(HKEY profileKey, const std::string& menuSpec, int& maxGroup, int& maxPop) {
  fw::RegKey menus = reg::OpenKey(profileKey, "Menus", KEY_READ);
  if (!menus) return false;
  char name[kMenuTextBytes];
  char data[kMenuTextBytes];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name;
    DWORD dataSize = sizeof data;
    DWORD type = REG_NONE;
    LONG result = ::RegEnumValueA(menus.get(), i, name, &nameLength, nullptr, &type,
                                  reinterpret_cast<BYTE*>(data), &dataSize);
    if (result == ERROR_MORE_DATA) continue;  // too large to be one of ours: skipped
    if (result != ERROR_SUCCESS) break;
    if (type != REG_SZ) continue;
    const std::string valueName(name, nameLength);
    const std::string text(data, strnlen(data, dataSize));
    if (StartsWithIgnoringCase(valueName, "Group")) {
      if (StartsWithIgnoringCase(text, menuSpec)) return true;
      int number = LeadingNumber(valueName, 5);
      if (number > maxGroup) maxGroup = number;
    } else if (StartsWithIgnoringCase(valueName, "Pop")) {
      int number = LeadingNumber(valueName, 3);
      if (number < kPopLimit && number > maxPop) maxPop = number;
    }
  }
  return false;
}

bool WriteMenuGroup(HKEY profileKey, const std::string& menuGroup, const std::string& menuFile,
                    int groupNumber, int popBase) {
  const std::string groupText = menuGroup + " " + menuFile;
  // A text the next search could not read back would be added again on every run.
  if (!FitsMenuText(groupText) || !FitsMenuText(PopText(menuGroup, kPopLimit - 1))) return false;
  fw::RegKey menus = reg::OpenKey(profileKey, "Menus", KEY_SET_VALUE);
  if (!menus) return false;
  reg::WriteString(menus.get(), ("Group" + std::to_string(groupNumber)).c_str(), groupText);
  std::vector<int> pops;
  ReadMenuPopNumbers(menuFile, pops);
  for (size_t i = 0; i < pops.size(); ++i)
    reg::WriteString(menus.get(), ("Pop" + std::to_string(popBase + 1 + static_cast<int>(i))).c_str(),
                     PopText(menuGroup, pops[i]));
  return true;
}

void LoadAppMenus(const std::vector<PMApplication>& applications, const std::vector<PMAcadAppLink>& links,
                  const std::string& profileKeyPath) {
  for (const PMApplication& application : applications) {
    // A menu group without its file cannot be configured.
    const size_t menus = std::min(application.MenuGroups.size(), application.MenuFiles.size());
    for (const PMAcadAppLink& link : links) {
      if (link.Name != application.Name) continue;
      for (size_t k = 0; k < menus; ++k) {
        if (link.State != LinkLinked || link.MenuLoaded != 0) continue;
        fw::RegKey profile = reg::OpenKey(HKEY_CURRENT_USER, profileKeyPath, KEY_ALL_ACCESS);
        if (!profile) continue;
        int maxGroup = 0, maxPop = 0;
        const std::string menuSpec =
            WithoutMenuExtension(application.MenuGroups[k] + " " + application.MenuFiles[k]);
        if (!FindMenuGroup(profile.get(), menuSpec, maxGroup, maxPop))
          WriteMenuGroup(profile.get(), application.MenuGroups[k], application.MenuFiles[k], maxGroup + 1,
                         maxPop);
      }
    }
  }
}

#include "regdll/products_ini.h"

#include <cstring>

#include "regdll/names.h"

namespace qvreg {

namespace {

constexpr size_t kMaxSectionName = 1023;
// A section's key list larger than this is not a Products.ini section.
constexpr DWORD kMaxKeyList = 1024 * 1024;
// Value texts are read into this buffer; anything that fills it is over-long anyway.
constexpr DWORD kValueBuffer = 4096;
// The program reads Loader0, Loader1... up to this many.
constexpr int kMaxNumberedLoaders = 65535;

const char* const kTextsAfterLoaders[] = {"CommandGroups", "Modules",         "MenuGroup",
                                          "MenuFile",      "Template",        "LargeIconName",
                                          "SmallIconName", "ShortcutIconName"};

// The key names of one section, read once; values are fetched per key.
class IniSection {
 public:
  IniSection(const std::string& path, const std::string& section) : path_(path), section_(section) {}

  // False when the section cannot be listed whole.
  bool Load() {
    for (DWORD size = 4096; size <= kMaxKeyList; size *= 2) {
      std::vector<char> buffer(size);
      const DWORD length =
          ::GetPrivateProfileStringA(section_.c_str(), nullptr, "", buffer.data(), size, path_.c_str());
      if (length + 2 >= size) continue;  // truncated: the list ends in two zeros only when it fit
      for (const char* key = buffer.data(); *key != '\0'; key += std::strlen(key) + 1)
        keys_.emplace_back(key);
      return true;
    }
    return false;
  }

  const std::vector<std::string>& Keys() const { return keys_; }

  bool Has(const std::string& key) const {
    for (const std::string& present : keys_)
      if (EqualNoCase(present, key)) return true;
    return false;
  }

  // False when the text is longer than maxLength; value holds it otherwise.
  bool Get(const std::string& key, size_t maxLength, std::string& value) const {
    std::vector<char> buffer(kValueBuffer);
    const DWORD length = ::GetPrivateProfileStringA(section_.c_str(), key.c_str(), "", buffer.data(),
                                                    kValueBuffer, path_.c_str());
    if (length > maxLength) return false;
    value.assign(buffer.data(), length);
    return true;
  }

 private:
  std::string path_;
  std::string section_;
  std::vector<std::string> keys_;
};

// Decimal digits only, at most 4294967295.
bool ParseNumber(const std::string& text, DWORD& number) {
  if (text.empty() || text.size() > 10) return false;
  unsigned long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 0xFFFFFFFFull) return false;
  number = static_cast<DWORD>(value);
  return true;
}

// Appends the text of key when it is present and not empty; false when it is too long.
bool TakeText(const IniSection& section, const std::string& key, AppRegistration& app) {
  if (!section.Has(key)) return true;
  std::string text;
  if (!section.Get(key, kMaxValueText, text)) return false;
  if (!text.empty()) app.texts.emplace_back(key, text);
  return true;
}

// An empty or missing number is no number; a malformed one is an error.
bool TakeNumber(const IniSection& section, const std::string& key, std::optional<DWORD>& number) {
  if (!section.Has(key)) return true;
  std::string text;
  if (!section.Get(key, kMaxValueText, text)) return false;
  if (text.empty()) return true;
  DWORD value = 0;
  if (!ParseNumber(text, value)) return false;
  number = value;
  return true;
}

}  // namespace

bool ResolveIniPath(const char* path, std::string& fullPath) {
  if (path == nullptr) return false;
  const size_t length = strnlen(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  char full[MAX_PATH];
  const DWORD fullLength = ::GetFullPathNameA(path, MAX_PATH, full, nullptr);
  if (fullLength == 0 || fullLength >= MAX_PATH) return false;
  const DWORD attributes = ::GetFileAttributesA(full);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  fullPath.assign(full, fullLength);
  return true;
}

bool IsValidSectionName(const char* section) {
  if (section == nullptr) return false;
  const size_t length = strnlen(section, kMaxSectionName + 1);
  return length > 0 && length <= kMaxSectionName;
}

bool ReadAppRegistration(const std::string& iniPath, const std::string& sectionName, AppRegistration& app) {
  IniSection section(iniPath, sectionName);
  if (!section.Load() || section.Keys().empty()) return false;
  app.texts.clear();
  if (!TakeText(section, "Loader", app)) return false;
  // The program stops reading at the first missing number, so the numbers end at the first gap.
  for (int index = 0; index < kMaxNumberedLoaders; ++index) {
    const size_t taken = app.texts.size();
    if (!TakeText(section, "Loader" + std::to_string(index), app)) return false;
    if (app.texts.size() == taken) break;
  }
  for (const char* key : kTextsAfterLoaders)
    if (!TakeText(section, key, app)) return false;
  return TakeNumber(section, "Unloadable", app.unloadable) &&
         TakeNumber(section, "StdLoadOrder", app.stdLoadOrder);
}

bool ReadPlatformEntries(const std::string& iniPath, const std::string& sectionName,
                         std::vector<std::pair<std::string, std::string>>& entries) {
  IniSection section(iniPath, sectionName);
  if (!section.Load() || section.Keys().empty()) return false;
  entries.clear();
  for (const std::string& application : section.Keys()) {
    bool listed = false;
    for (const auto& entry : entries) listed = listed || EqualNoCase(entry.first, application);
    if (listed) continue;  // a repeated name has the value of its first line
    std::string target;
    if (!IsValidKeyName(application) || !section.Get(application, kMaxSectionName, target) || target.empty())
      return false;
    entries.emplace_back(application, target);
  }
  return true;
}

}  // namespace qvreg

#include "regdll/names.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace qvreg {

namespace {

// An id is three key names and two separators; anything longer is refused unread.
constexpr size_t kMaxIdLength = 3 * kMaxKeyName + 2;

const char* const kBases[] = {"AutoCAD", "AutoCAD LT"};

std::vector<std::string> SplitPath(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = FindSeparator(text, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

size_t FindSeparator(const std::string& text, size_t from) {
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == '\\') return i;
    if (::IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) ++i;
  }
  return std::string::npos;
}

bool IsValidKeyName(const std::string& name) {
  if (name.empty() || name.size() > kMaxKeyName) return false;
  return SplitPath(name).size() == 1;
}

bool IsValidKeyName(const char* name) {
  if (name == nullptr) return false;
  const size_t length = strnlen(name, kMaxKeyName + 1);
  return length <= kMaxKeyName && IsValidKeyName(std::string(name, length));
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool AcadId::Parse(const char* text) {
  text_.clear();
  releaseEnd_ = 0;
  if (text == nullptr) return false;
  const size_t length = strnlen(text, kMaxIdLength + 1);
  if (length > kMaxIdLength) return false;
  const std::string id(text, length);
  const std::vector<std::string> parts = SplitPath(id);
  if (parts.size() != 3) return false;
  for (const std::string& part : parts)
    if (!IsValidKeyName(part)) return false;
  bool knownBase = false;
  for (const char* base : kBases) knownBase = knownBase || EqualNoCase(parts[0], base);
  if (!knownBase) return false;
  text_ = id;
  releaseEnd_ = parts[0].size() + 1 + parts[1].size();
  return true;
}

std::string AcadId::ProductKey() const { return "Software\\Autodesk\\" + text_; }

std::string AcadId::ProfilesKey() const { return ProductKey() + "\\Profiles"; }

std::string AcadId::ProfileKey(const std::string& profile) const { return ProfilesKey() + "\\" + profile; }

std::string AcadId::ReleasePrefix() const { return text_.substr(0, releaseEnd_ + 1); }

std::string AcadId::ReleaseName() const { return text_.substr(0, releaseEnd_); }

std::string ApplicationRoot(const std::string& productKey) {
  const bool qvApps =
      productKey.find("\\R15.0\\") != std::string::npos || productKey.find("\\R8\\") != std::string::npos;
  return productKey + (qvApps ? "\\QVApps\\Tarnwick" : "\\Applications\\Tarnwick");
}

std::string ProfileLinksKey(const std::string& profileKey) { return profileKey + "\\Tarnwick\\Applications"; }

}  // namespace qvreg

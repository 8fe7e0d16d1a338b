#include "engine/same_name.h"

#include <windows.h>

namespace {

bool ToWide(const std::string& text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  const int length = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return false;
  wide.resize(length);
  return ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                               &wide[0], length) == length;
}

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  std::wstring wideA, wideB;
  if (!ToWide(a, wideA) || !ToWide(b, wideB)) return a == b;
  return ::CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

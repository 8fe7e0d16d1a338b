#include "engine/wildcard.h"

#include <windows.h>
#include <mbstring.h>

#include <vector>

namespace {

// The characters of a multibyte text, each upper-cased as one unit.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (size_t i = 0; i < text.size();) {
    const size_t length = ::IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1;
    std::string character = text.substr(i, length);
    ::CharUpperBuffA(&character[0], static_cast<DWORD>(character.size()));
    characters.push_back(character);
    i += length;
  }
  return characters;
}

}  // namespace

bool MatchesWildcard(const std::string& pattern, const std::string& name) {
  const std::vector<std::string> p = Characters(pattern);
  const std::vector<std::string> n = Characters(name);
  // Greedy with one back-track point: the last "*" seen absorbs one more character.
  size_t pi = 0, ni = 0, starAt = std::string::npos, starName = 0;
  while (ni < n.size()) {
    if (pi < p.size() && p[pi] == "*") {
      starAt = pi++;
      starName = ni;
    } else if (pi < p.size() && (p[pi] == "?" || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (starAt != std::string::npos) {
      pi = starAt + 1;
      ni = ++starName;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == "*") ++pi;
  return pi == p.size();
}

bool IsValidWildcard(const std::string& pattern) {
  if (pattern.empty()) return false;
  for (const std::string& character : Characters(pattern))
    if (character.size() == 1 && (static_cast<BYTE>(character[0]) < 0x20 || character == "[" || character == "]"))
      return false;
  return true;
}

bool SameName(const std::string& a, const std::string& b) {
  return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                  reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
}

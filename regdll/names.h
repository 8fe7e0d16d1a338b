// Names handed to the library: product ids, profile and application names, Products.ini sections.
#pragma once

#include <string>

namespace qvreg {

// The registry refuses longer key names; such names are turned away before any access.
constexpr size_t kMaxKeyName = 255;

// One registry key component: 1 to 255 bytes and no backslash, so it cannot reach outside its parent.
// Double-byte aware: a trail byte 0x5C belongs to its character and is no separator.
bool IsValidKeyName(const char* name);
bool IsValidKeyName(const std::string& name);

// Position of the first backslash at or after from (a character boundary) that is a whole character,
// not the trail byte of a double-byte character; npos when there is none.
size_t FindSeparator(const std::string& text, size_t from);

// Byte comparison ignoring case in the ANSI code page, as the registry compares key names.
bool EqualNoCase(const std::string& a, const std::string& b);

// A product id "AutoCAD\R16.0\ACAD-201:409": base ("AutoCAD" or "AutoCAD LT"), release, product.
class AcadId {
 public:
  // False, leaving the id empty, unless text is base\release\product made of valid key names.
  bool Parse(const char* text);

  const std::string& Text() const { return text_; }
  // "Software\Autodesk\" + id, the same path below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
  std::string ProductKey() const;
  std::string ProfilesKey() const;
  std::string ProfileKey(const std::string& profile) const;
  // "AutoCAD\R16.0\": what a Products.ini section names after "Products\".
  std::string ReleasePrefix() const;
  // "AutoCAD\R16.0": what a Products.ini section names after "Platform\".
  std::string ReleaseName() const;

 private:
  std::string text_;
  size_t releaseEnd_ = 0;  // position of the last backslash
};

// The application root of a product key: "\QVApps\Tarnwick" for R15.0 and R8, else "\Applications\Tarnwick".
std::string ApplicationRoot(const std::string& productKey);

// The links of a profile, below HKEY_CURRENT_USER.
std::string ProfileLinksKey(const std::string& profileKey);

}  // namespace qvreg

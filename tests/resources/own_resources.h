// Reads the resources linked into this test program, which are the program's own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace restest {

constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 1033
constexpr WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);     // 1049
constexpr WORD kLanguages[] = {kEnglish, kRussian};

// A resource's bytes as stored in the module; valid while the module is loaded.
struct ResourceBytes {
  const uint8_t* data = nullptr;
  DWORD size = 0;
};

// The resource of exactly this type, name and language; nothing when absent.
std::optional<ResourceBytes> FindOwnResource(LPCSTR type, LPCSTR name, WORD language);
std::optional<ResourceBytes> FindOwnResource(LPCSTR type, WORD id, WORD language);

// String `id` from its string block in `language`, as stored (UTF-16); nothing when the
// block is missing or malformed, empty when the slot is empty.
std::optional<std::u16string> LoadBlockString(UINT id, WORD language);

// Conversions for comparisons and readable failure messages.
std::string ToAnsi(const std::u16string& text);
std::string ToUtf8(const std::u16string& text);

}  // namespace restest

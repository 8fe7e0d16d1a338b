#include "tests/resources/own_resources.h"

#include <vector>

namespace restest {

std::optional<ResourceBytes> FindOwnResource(LPCSTR type, LPCSTR name, WORD language) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceExA(self, type, name, language);
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(self, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return ResourceBytes{static_cast<const uint8_t*>(data), SizeofResource(self, found)};
}

std::optional<ResourceBytes> FindOwnResource(LPCSTR type, WORD id, WORD language) {
  return FindOwnResource(type, MAKEINTRESOURCEA(id), language);
}

std::optional<std::u16string> LoadBlockString(UINT id, WORD language) {
  // A block holds 16 counted UTF-16 strings; block n holds the ids (n - 1) * 16 to n * 16 - 1.
  auto block = FindOwnResource(RT_STRING, static_cast<WORD>(id / 16 + 1), language);
  if (!block) return std::nullopt;
  size_t units = block->size / 2;
  auto unit_at = [&](size_t i) {
    return static_cast<char16_t>(block->data[2 * i] | (block->data[2 * i + 1] << 8));
  };
  size_t pos = 0;
  for (UINT slot = 0; slot < 16; ++slot) {
    if (pos >= units) return std::nullopt;
    size_t length = unit_at(pos++);
    if (length > units - pos) return std::nullopt;
    if (slot == id % 16) {
      std::u16string text;
      for (size_t i = 0; i < length; ++i) text.push_back(unit_at(pos + i));
      return text;
    }
    pos += length;
  }
  return std::nullopt;
}

static std::string FromUtf16(const std::u16string& text, UINT code_page) {
  if (text.empty()) return std::string();
  auto wide = reinterpret_cast<LPCWSTR>(text.data());
  int length =
      WideCharToMultiByte(code_page, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::vector<char> out(length > 0 ? length : 0);
  if (length > 0) {
    WideCharToMultiByte(code_page, 0, wide, static_cast<int>(text.size()), out.data(), length, nullptr,
                        nullptr);
  }
  return std::string(out.begin(), out.end());
}

std::string ToAnsi(const std::u16string& text) { return FromUtf16(text, CP_ACP); }
std::string ToUtf8(const std::u16string& text) { return FromUtf16(text, CP_UTF8); }

}  // namespace restest

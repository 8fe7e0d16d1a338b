#include "translate/string_block.h"

#include <string.h>

#include "base/xstring.h"
#include "translate/wld.h"

namespace {

const int kStringsPerBlock = 16;
const int kLongestTranslatedString = 1024;

struct Slot {
  const WCHAR* original;
  int originalLength;
  const char* translation;  // null: the original is kept
  int length;               // characters written
};

// The translation of one string, or null.
const char* TranslateString(const CWld& dictionary, const WCHAR* text, int length, const char* context) {
  if (length <= 0 || length > kLongestTranslatedString) return nullptr;
  char ansi[kLongestTranslatedString * 2 + 1];
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, length, ansi, sizeof ansi - 1, nullptr, nullptr);
  if (bytes <= 0) return nullptr;
  ansi[bytes] = 0;
  return dictionary.TranslateInContext(ansi, context);
}

}  // namespace

void* TranslateStringBlock(const CWld& dictionary, const void* block, size_t limit, const char* context,
                           DWORD* size) {
  *size = 0;
  if (!block || !dictionary.HasEntries()) return nullptr;
  Slot slots[kStringsPerBlock] = {};
  const BYTE* p = static_cast<const BYTE*>(block);
  size_t offset = 0;
  int total = 0;
  for (Slot& slot : slots) {
    if (limit && offset + sizeof(WORD) > limit) return nullptr;
    WORD length;
    memcpy(&length, p + offset, sizeof length);
    offset += sizeof(WORD);
    if (limit && length * sizeof(WCHAR) > limit - offset) return nullptr;
    slot.original = reinterpret_cast<const WCHAR*>(p + offset);
    slot.originalLength = length;
    offset += length * sizeof(WCHAR);
    slot.translation = TranslateString(dictionary, slot.original, length, context);
    slot.length =
        slot.translation ? ::MultiByteToWideChar(CP_ACP, 0, slot.translation, -1, nullptr, 0) - 1 : length;
    if (slot.length < 0 || slot.length > 0xFFFF) {
      slot.translation = nullptr;
      slot.length = length;
    }
    total += slot.length;
  }
  const DWORD bytes = static_cast<DWORD>(2 * (total + kStringsPerBlock) + 16);
  BYTE* copy = static_cast<BYTE*>(::LocalAlloc(LPTR, bytes));
  if (!copy) return nullptr;
  WCHAR* out = reinterpret_cast<WCHAR*>(copy);
  for (const Slot& slot : slots) {
    *out++ = static_cast<WCHAR>(slot.length);
    if (slot.translation)
      ::MultiByteToWideChar(CP_ACP, 0, slot.translation, -1, out, slot.length + 1);
    else
      memcpy(out, slot.original, slot.length * sizeof(WCHAR));
    out += slot.length;
  }
  *size = static_cast<DWORD>(2 * (total + kStringsPerBlock));
  return copy;
}

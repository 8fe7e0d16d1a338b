#include "engine/registry_io.h"

#include <cstring>
#include <vector>

namespace reg {

namespace {

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

fw::RegKey OpenKey(HKEY root, const std::string& path, REGSAM access) {
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.reset();
  return key;
}

fw::RegKey CreateKey(HKEY root, const std::string& path, REGSAM access) {
  fw::RegKey key;
  if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
    key.reset();
  return key;
}

bool ReadString(HKEY key, const char* name, size_t capacity, std::string& out, TypeRule rule) {
  std::vector<char> buffer(capacity);
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(capacity);
  if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return false;
  if (rule == TypeRule::Exact && !IsStringType(type)) return false;
  if (size > capacity) return false;
  const void* zero = std::memchr(buffer.data(), '\0', size);
  if (zero) {
    out.assign(buffer.data(), static_cast<const char*>(zero) - buffer.data());
    return true;
  }
  // Stored without a terminating zero: the text fits only if a zero would still fit.
  if (size >= capacity) return false;
  out.assign(buffer.data(), size);
  return true;
}

bool ValueExists(HKEY key, const char* name) {
  return ::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool ReadDword(HKEY key, const char* name, DWORD& out, TypeRule rule) {
  DWORD value = 0;
  DWORD type = REG_NONE;
  DWORD size = sizeof value;
  if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
    return false;
  if (rule == TypeRule::Exact && type != REG_DWORD) return false;
  if (size != sizeof value) return false;
  out = value;
  return true;
}

LONG WriteString(HKEY key, const char* name, const std::string& text) {
  return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

bool EnumSubkey(HKEY key, DWORD index, size_t capacity, std::string& name) {
  std::vector<char> buffer(capacity);
  DWORD length = static_cast<DWORD>(capacity);
  if (::RegEnumKeyExA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
      ERROR_SUCCESS)
    return false;
  name.assign(buffer.data(), length < capacity ? length : capacity - 1);
  return true;
}

}  // namespace reg

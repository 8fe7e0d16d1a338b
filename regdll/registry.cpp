#include "regdll/registry.h"

namespace qvreg {

namespace {

// Key names are at most 255 characters, which take up to 510 bytes in a double-byte code page.
constexpr DWORD kNameBuffer = 1024;
// Value names may be up to 16383 characters.
constexpr DWORD kValueNameBuffer = 32768;
constexpr DWORD kMaxStringBytes = 64 * 1024;

}  // namespace

bool IsRunningUnderWow64() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  static const auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
      ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "IsWow64Process"));
  BOOL wow64 = FALSE;
  return isWow64Process != nullptr && isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

std::vector<RegistryView> MachineViews() {
  std::vector<RegistryView> views{0};
  if (IsRunningUnderWow64()) views.push_back(KEY_WOW64_64KEY);
  return views;
}

LONG OpenKey(HKEY root, const std::string& path, REGSAM access, fw::RegKey& key) {
  return ::RegOpenKeyExA(root, path.c_str(), 0, access, key.put());
}

bool KeyExists(HKEY root, const std::string& path, RegistryView view) {
  fw::RegKey key;
  return OpenKey(root, path, KEY_READ | view, key) == ERROR_SUCCESS;
}

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[kNameBuffer];
    DWORD length = kNameBuffer;
    const LONG result = ::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

std::vector<std::string> ValueNames(HKEY key) {
  std::vector<std::string> names;
  std::vector<char> name(kValueNameBuffer);
  for (DWORD index = 0;; ++index) {
    DWORD length = kValueNameBuffer;
    const LONG result = ::RegEnumValueA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), length);
  }
  return names;
}

LONG ReadRawValue(HKEY key, const std::string& name, RawValue& value) {
  // The size may change between the two calls; retry a few times rather than trust the first.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG result = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS) return result;
    std::vector<BYTE> data(size + 1);
    DWORD read = size + 1;
    result = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &read);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return result;
    data.resize(read);
    value.type = type;
    value.data = std::move(data);
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

bool ReadDword(HKEY key, const std::string& name, DWORD& value) {
  DWORD type = REG_NONE;
  DWORD data = 0;
  DWORD size = sizeof data;
  if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof data)
    return false;
  value = data;
  return true;
}

bool ReadString(HKEY key, const std::string& name, std::string& value) {
  RawValue raw;
  if (ReadRawValue(key, name, raw) != ERROR_SUCCESS || (raw.type != REG_SZ && raw.type != REG_EXPAND_SZ) ||
      raw.data.size() > kMaxStringBytes)
    return false;
  std::string text(raw.data.begin(), raw.data.end());
  // Stored text may or may not carry its terminating zero; it ends at the first one either way.
  const size_t end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  value = text;
  return true;
}

LONG DeleteTree(HKEY parent, const std::string& path, RegistryView view) {
  fw::RegKey key;
  // Enumerating is all this handle does; the deletion asks for DELETE on the key itself.
  LONG result = OpenKey(parent, path, KEY_READ | view, key);
  if (result != ERROR_SUCCESS) return result;
  for (;;) {
    char name[kNameBuffer];
    DWORD length = kNameBuffer;
    result = ::RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) return result;
    result = DeleteTree(key.get(), std::string(name, length), view);
    if (result != ERROR_SUCCESS) return result;
  }
  key.reset();
  return ::RegDeleteKeyExA(parent, path.c_str(), view, 0);
}

}  // namespace qvreg

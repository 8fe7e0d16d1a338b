#include "registry_seed.h"

#include "base/handles.h"

namespace {

void DeleteTree(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS | view, key.put()) != ERROR_SUCCESS) return;
  char name[512];
  for (;;) {
    DWORD size = sizeof name;
    if (::RegEnumKeyExA(key.get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteTree(root, path + "\\" + name, view);
  }
  key.reset();
  size_t slash = path.find_last_of('\\');
  fw::RegKey parent;
  if (slash == std::string::npos) {
    ::RegDeleteKeyExA(root, path.c_str(), view, 0);
  } else if (::RegOpenKeyExA(root, path.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS | view, parent.put()) ==
             ERROR_SUCCESS) {
    ::RegDeleteKeyExA(parent.get(), path.substr(slash + 1).c_str(), view, 0);
  }
}

fw::RegKey Create(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key;
  ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, key.put(), nullptr);
  return key;
}

}  // namespace

RegistrySeed::~RegistrySeed() {
  for (auto it = owned_.rbegin(); it != owned_.rend(); ++it) DeleteTree(it->root, it->path, it->view);
}

void RegistrySeed::Own(HKEY root, const std::string& path, REGSAM view) {
  DeleteTree(root, path, view);
  owned_.push_back({root, path, view});
}

void RegistrySeed::CreateKey(HKEY root, const std::string& path, REGSAM view) { Create(root, path, view); }

void RegistrySeed::SetString(HKEY root, const std::string& path, const char* name, const std::string& value,
                             REGSAM view) {
  fw::RegKey key = Create(root, path, view);
  ::RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void RegistrySeed::SetDword(HKEY root, const std::string& path, const char* name, DWORD value, REGSAM view) {
  fw::RegKey key = Create(root, path, view);
  ::RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key;
  return ::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) == ERROR_SUCCESS;
}

bool ReadString(HKEY root, const std::string& path, const char* name, std::string* value, REGSAM view) {
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) return false;
  char buffer[4096] = "";
  DWORD size = sizeof buffer - 1, type = 0;
  if (::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  *value = buffer;
  return true;
}

bool ReadDword(HKEY root, const std::string& path, const char* name, DWORD* value, REGSAM view) {
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) return false;
  DWORD size = sizeof *value, type = 0;
  return ::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
             ERROR_SUCCESS &&
         type == REG_DWORD;
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path, REGSAM view) {
  std::vector<std::string> names;
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) return names;
  char name[512];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    if (::RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(name);
  }
  return names;
}

std::vector<std::pair<std::string, std::string>> Values(HKEY root, const std::string& path, REGSAM view) {
  std::vector<std::pair<std::string, std::string>> values;
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) != ERROR_SUCCESS) return values;
  char name[512];
  BYTE data[4096];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
    if (::RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    data[dataSize] = 0;
    std::string text = type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data))
                                         : std::string(reinterpret_cast<char*>(data));
    values.emplace_back(name, text);
  }
  return values;
}

std::string UniqueName(const char* head) {
  static int counter = 0;
  return std::string(head) + std::to_string(::GetCurrentProcessId()) + "X" + std::to_string(++counter);
}

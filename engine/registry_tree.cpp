#include "engine/registry_tree.h"

#include <string>

#include "base/handles.h"

namespace {

const DWORD kCopyNameBytes = 256;
const DWORD kCopyDataBytes = 1024;

LONG CopyValues(HKEY source, HKEY target) {
  char name[kCopyNameBytes];
  BYTE data[kCopyDataBytes];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = kCopyNameBytes;
    DWORD dataSize = kCopyDataBytes;
    DWORD type = REG_NONE;
    LONG result = ::RegEnumValueA(source, i, name, &nameLength, nullptr, &type, data, &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (result != ERROR_SUCCESS) return result;
    result = ::RegSetValueExA(target, name, 0, type, data, dataSize);
    if (result != ERROR_SUCCESS) return result;
  }
}

// The first subkey name at index; ERROR_NO_MORE_ITEMS when there is none.
LONG SubkeyAt(HKEY key, DWORD index, std::string& name) {
  char buffer[kCopyNameBytes];
  DWORD length = kCopyNameBytes;
  LONG result = ::RegEnumKeyExA(key, index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) name.assign(buffer, length);
  return result;
}

}  // namespace

LONG CopyRegistryTree(HKEY source, HKEY target) {
  LONG result = CopyValues(source, target);
  if (result != ERROR_SUCCESS) return result;
  std::string name;
  for (DWORD i = 0;; ++i) {
    result = SubkeyAt(source, i, name);
    if (result == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (result != ERROR_SUCCESS) return result;
    fw::RegKey sourceChild;
    result = ::RegOpenKeyExA(source, name.c_str(), 0, KEY_READ, sourceChild.put());
    if (result != ERROR_SUCCESS) return result;
    fw::RegKey targetChild;
    result = ::RegCreateKeyExA(target, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                               nullptr, targetChild.put(), nullptr);
    if (result != ERROR_SUCCESS) return result;
    result = CopyRegistryTree(sourceChild.get(), targetChild.get());
    if (result != ERROR_SUCCESS) return result;
  }
}

LONG DeleteRegistryTree(HKEY parent, const char* name) {
  // An empty name would open the parent itself and empty it.
  if (!name || !*name) return ERROR_INVALID_PARAMETER;
  {
    fw::RegKey key;
    LONG result = ::RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, key.put());
    if (result != ERROR_SUCCESS) return result;
    std::string child;
    while (SubkeyAt(key.get(), 0, child) == ERROR_SUCCESS) {
      result = DeleteRegistryTree(key.get(), child.c_str());
      if (result != ERROR_SUCCESS) return result;
    }
  }
  return ::RegDeleteKeyA(parent, name);
}

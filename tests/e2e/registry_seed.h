// Keys that a whole-program test seeds in the prefix's registry and removes afterwards, on the
// shared registry helpers.
#pragma once

#include <string>
#include <vector>

#include "tests/support/private_registry.h"

class RegistrySeed : public seed::OwnedKeys {
 public:
  void SetString(HKEY root, const std::string& path, const std::string& name, const std::string& value,
                 REGSAM view = 0) {
    seed::SetString(root, path, name, value, view);
  }
  void SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value, REGSAM view = 0) {
    seed::SetDword(root, path, name, value, view);
  }
  void CreateKey(HKEY root, const std::string& path, REGSAM view = 0) { seed::CreatePath(root, path, view); }
};

using inspect::KeyExists;
using inspect::SubkeyNames;
using seed::UniqueName;

// Reading back: false when missing or of another type.
inline bool ReadString(HKEY root, const std::string& path, const std::string& name, std::string* value,
                       REGSAM view = 0) {
  const StoredValue stored = inspect::Value(root, path, name, view);
  if (stored.type != REG_SZ) return false;
  *value = inspect::Text(root, path, name, view);
  return true;
}
inline bool ReadDword(HKEY root, const std::string& path, const std::string& name, DWORD* value, REGSAM view = 0) {
  const StoredValue stored = inspect::Value(root, path, name, view);
  if (stored.type != REG_DWORD || stored.bytes.size() != sizeof *value) return false;
  stored.bytes.copy(reinterpret_cast<char*>(value), sizeof *value);
  return true;
}

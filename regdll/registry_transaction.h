// Registry writes that are undone together unless the whole call succeeds: keys this transaction
// created are deleted again and every value it set or deleted gets its former content back.
#pragma once

#include <string>
#include <vector>

#include "regdll/registry.h"

namespace qvreg {

class RegistryTransaction {
 public:
  RegistryTransaction() = default;
  ~RegistryTransaction();
  RegistryTransaction(const RegistryTransaction&) = delete;
  RegistryTransaction& operator=(const RegistryTransaction&) = delete;

  // root must stay open as long as the transaction. Paths are relative to root.
  // Opens root\path, creating the missing keys one level at a time.
  bool CreateKey(HKEY root, const std::string& path, RegistryView view);
  bool SetString(HKEY root, const std::string& path, RegistryView view, const std::string& name,
                 const std::string& text);
  bool SetDword(HKEY root, const std::string& path, RegistryView view, const std::string& name, DWORD value);
  // A value that is not there counts as deleted.
  bool DeleteValue(HKEY root, const std::string& path, RegistryView view, const std::string& name);

  // Keeps everything written so far.
  void Commit();
  // Undoes everything written so far; also done by the destructor unless committed.
  void Rollback();

 private:
  struct Location {
    HKEY root;
    std::string path;
    RegistryView view;
  };
  struct SavedValue {
    Location key;
    std::string name;
    bool existed;
    RawValue value;
  };

  bool SetValue(const Location& where, const std::string& name, DWORD type, const void* data, DWORD size);
  // Opens the key for writing and remembers the value's current content.
  bool Save(const Location& where, const std::string& name, fw::RegKey& key);

  std::vector<Location> createdKeys_;
  std::vector<SavedValue> savedValues_;
};

}  // namespace qvreg

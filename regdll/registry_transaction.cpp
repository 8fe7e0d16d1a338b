#include "regdll/registry_transaction.h"

#include "regdll/names.h"

namespace qvreg {

RegistryTransaction::~RegistryTransaction() { Rollback(); }

bool RegistryTransaction::CreateKey(HKEY root, const std::string& path, RegistryView view) {
  // One level at a time, so that every key this call brings into being is known and can be removed.
  for (size_t start = 0;;) {
    const size_t end = FindSeparator(path, start);
    const std::string prefix = path.substr(0, end);
    fw::RegKey key;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(root, prefix.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | view,
                          nullptr, key.put(), &disposition) != ERROR_SUCCESS)
      return false;
    if (disposition == REG_CREATED_NEW_KEY) createdKeys_.push_back(Location{root, prefix, view});
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

bool RegistryTransaction::Save(const Location& where, const std::string& name, fw::RegKey& key) {
  if (OpenKey(where.root, where.path, KEY_QUERY_VALUE | KEY_SET_VALUE | where.view, key) != ERROR_SUCCESS)
    return false;
  SavedValue saved{where, name, false, RawValue()};
  const LONG result = ReadRawValue(key.get(), name, saved.value);
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) return false;
  saved.existed = result == ERROR_SUCCESS;
  savedValues_.push_back(std::move(saved));
  return true;
}

bool RegistryTransaction::SetValue(const Location& where, const std::string& name, DWORD type,
                                   const void* data, DWORD size) {
  fw::RegKey key;
  if (!Save(where, name, key)) return false;
  return ::RegSetValueExA(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

bool RegistryTransaction::SetString(HKEY root, const std::string& path, RegistryView view,
                                    const std::string& name, const std::string& text) {
  return SetValue(Location{root, path, view}, name, REG_SZ, text.c_str(),
                  static_cast<DWORD>(text.size() + 1));
}

bool RegistryTransaction::SetDword(HKEY root, const std::string& path, RegistryView view,
                                   const std::string& name, DWORD value) {
  return SetValue(Location{root, path, view}, name, REG_DWORD, &value, sizeof value);
}

bool RegistryTransaction::DeleteValue(HKEY root, const std::string& path, RegistryView view,
                                      const std::string& name) {
  fw::RegKey key;
  if (!Save(Location{root, path, view}, name, key)) return false;
  const LONG result = ::RegDeleteValueA(key.get(), name.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

void RegistryTransaction::Commit() {
  createdKeys_.clear();
  savedValues_.clear();
}

void RegistryTransaction::Rollback() {
  // Latest first, so a value touched twice ends with what it held before the first touch.
  for (auto it = savedValues_.rbegin(); it != savedValues_.rend(); ++it) {
    fw::RegKey key;
    if (OpenKey(it->key.root, it->key.path, KEY_SET_VALUE | it->key.view, key) != ERROR_SUCCESS) continue;
    if (it->existed)
      ::RegSetValueExA(key.get(), it->name.c_str(), 0, it->value.type, it->value.data.data(),
                       static_cast<DWORD>(it->value.data.size()));
    else
      ::RegDeleteValueA(key.get(), it->name.c_str());
  }
  // Deepest first: a key is always created after its parent.
  for (auto it = createdKeys_.rbegin(); it != createdKeys_.rend(); ++it)
    DeleteTree(it->root, it->path, it->view);
  Commit();
}

}  // namespace qvreg

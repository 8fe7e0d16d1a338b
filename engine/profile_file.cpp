// Profile trees between the registry and profile files.
#include "engine/profile_file.h"

#include "engine/profiles.h"
#include "engine/registry_io.h"
#include "engine/registry_tree.h"

namespace {

// Key names of up to 255 characters, which in a double-byte code page take up to twice the bytes.
const DWORD kKeyNameBytes = 2 * 256;

LONG ReadValues(HKEY key, std::vector<RegistryValue>& values) {
  DWORD nameChars = 0;
  DWORD dataBytes = 0;
  LONG result = ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   &nameChars, &dataBytes, nullptr, nullptr);
  if (result != ERROR_SUCCESS) return result;
  std::vector<char> name(2 * nameChars + 2);
  std::vector<BYTE> data(dataBytes + 2);
  for (DWORD i = 0;;) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    result = ::RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (result == ERROR_MORE_DATA) {
      // Changed meanwhile, or longer once converted: retry the same value with room to spare.
      name.resize(name.size() * 2);
      data.resize(data.size() * 2 > dataSize ? data.size() * 2 : dataSize + 2);
      continue;
    }
    if (result != ERROR_SUCCESS) return result;
    values.push_back(RegistryValue{std::string(name.data(), nameLength), type,
                                   std::string(reinterpret_cast<const char*>(data.data()), dataSize)});
    ++i;
  }
}

LONG ReadKey(HKEY key, const std::string& path, std::vector<ProfileTreeKey>& keys) {
  keys.push_back(ProfileTreeKey{path, {}});
  LONG result = ReadValues(key, keys.back().Values);
  if (result != ERROR_SUCCESS) return result;
  char name[kKeyNameBytes];
  for (DWORD i = 0;; ++i) {
    DWORD length = kKeyNameBytes;
    result = ::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (result != ERROR_SUCCESS) return result;
    const std::string child(name, length);
    fw::RegKey childKey;
    result = ::RegOpenKeyExA(key, child.c_str(), 0, KEY_READ, childKey.put());
    if (result != ERROR_SUCCESS) return result;
    result = ReadKey(childKey.get(), path.empty() ? child : path + "\\" + child, keys);
    if (result != ERROR_SUCCESS) return result;
  }
}

DWORD WriteWholeFile(const std::string& file, const std::string& text) {
  fw::FileHandle handle(
      ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return ::GetLastError();
  DWORD written = 0;
  DWORD error = ERROR_SUCCESS;
  if (!::WriteFile(handle.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
    error = ::GetLastError();
  else if (written != text.size())
    error = ERROR_DISK_FULL;
  else if (!::FlushFileBuffers(handle.get()))
    error = ::GetLastError();
  handle.reset();
  // A half-written profile file must not pass for a whole one.
  if (error != ERROR_SUCCESS) ::DeleteFileA(file.c_str());
  return error;
}

bool ReadWholeFile(const std::string& file, std::string& text, ProfileFileError& error) {
  fw::FileHandle handle(::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  error = ProfileFileError();
  LARGE_INTEGER size = {};
  if (!handle || !::GetFileSizeEx(handle.get(), &size)) {
    error.Problem = ProfileFileProblem::Unreadable;
    return false;
  }
  if (size.QuadPart > static_cast<LONGLONG>(kMaxProfileFileBytes)) {
    error.Problem = ProfileFileProblem::TooLarge;
    return false;
  }
  text.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!text.empty() && (!::ReadFile(handle.get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr) ||
                        read != text.size())) {
    error.Problem = ProfileFileProblem::Unreadable;
    return false;
  }
  return true;
}

LONG CreateAndWrite(const std::string& path, const ProfileTree& tree) {
  fw::RegKey profile = reg::CreateKey(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS);
  if (!profile) return ERROR_ACCESS_DENIED;
  return WriteProfileTree(profile.get(), tree);
}

}  // namespace

LONG ReadProfileTree(HKEY root, const std::string& path, ProfileTree& tree) {
  fw::RegKey key;
  LONG result = ::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put());
  if (result != ERROR_SUCCESS) return result;
  std::vector<ProfileTreeKey> keys;
  result = ReadKey(key.get(), std::string(), keys);
  if (result == ERROR_SUCCESS) tree.Keys.swap(keys);
  return result;
}

LONG WriteProfileTree(HKEY profileKey, const ProfileTree& tree) {
  for (const ProfileTreeKey& treeKey : tree.Keys) {
    fw::RegKey created;
    HKEY key = profileKey;
    if (!treeKey.Path.empty()) {
      LONG result = ::RegCreateKeyExA(profileKey, treeKey.Path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, created.put(), nullptr);
      if (result != ERROR_SUCCESS) return result;
      key = created.get();
    }
    for (const RegistryValue& value : treeKey.Values) {
      LONG result = ::RegSetValueExA(key, value.Name.c_str(), 0, value.Type,
                                     reinterpret_cast<const BYTE*>(value.Data.data()),
                                     static_cast<DWORD>(value.Data.size()));
      if (result != ERROR_SUCCESS) return result;
    }
  }
  return ERROR_SUCCESS;
}

DWORD ExportProfile(const std::string& key, const std::string& name, const std::string& file,
                    const StringList& notes) {
  if (!IsProfileName(name)) return ERROR_INVALID_NAME;
  ProfileTree tree;
  tree.Name = name;
  tree.Notes = notes;
  const LONG result = ReadProfileTree(HKEY_CURRENT_USER, ProfileKeyPath(key, name), tree);
  if (result != ERROR_SUCCESS) return static_cast<DWORD>(result);
  std::string text;
  if (!FormatProfileFile(tree, text)) return ERROR_INVALID_NAME;
  return WriteWholeFile(file, text);
}

bool LoadProfileFile(const std::string& file, ProfileTree& tree, ProfileFileError& error) {
  std::string text;
  return ReadWholeFile(file, text, error) && ParseProfileFile(text, tree, error);
}

LONG PutProfileTree(const std::string& key, const std::string& name, const ProfileTree& tree) {
  if (!IsProfileName(name)) return ERROR_INVALID_NAME;
  const std::string path = ProfileKeyPath(key, name);
  ProfileTree previous;
  const LONG read = ReadProfileTree(HKEY_CURRENT_USER, path, previous);
  // A profile that cannot be read whole could not be put back: it is left alone.
  if (read != ERROR_SUCCESS && read != ERROR_FILE_NOT_FOUND) return read;
  const bool replacing = read == ERROR_SUCCESS;
  fw::RegKey profiles = reg::CreateKey(HKEY_CURRENT_USER, ProfilesKeyPath(key), KEY_ALL_ACCESS);
  if (!profiles) return ERROR_ACCESS_DENIED;
  LONG result = replacing ? DeleteRegistryTree(profiles.get(), name.c_str()) : ERROR_SUCCESS;
  if (result == ERROR_SUCCESS) result = CreateAndWrite(path, tree);
  if (result != ERROR_SUCCESS) {
    // Nothing half-written stays; a replaced profile comes back as it was.
    DeleteRegistryTree(profiles.get(), name.c_str());
    if (replacing) CreateAndWrite(path, previous);
  }
  return result;
}

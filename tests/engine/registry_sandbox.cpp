#include "registry_sandbox.h"

#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <cstdio>

namespace {

const char kScratchBase[] = "Software\\TarnwickTests";

fw::RegKey CreateOrFail(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key;
  LONG result = ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS | view, nullptr, key.put(), nullptr);
  EXPECT_EQ(ERROR_SUCCESS, result) << "creating " << path;
  return key;
}

std::string Hex(const std::string& bytes) {
  std::string text;
  char digits[4];
  for (unsigned char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", c);
    text += digits;
  }
  return text;
}

void DumpKey(HKEY key, const std::string& relative, std::string& out) {
  for (DWORD i = 0;; ++i) {
    char name[16384];
    DWORD nameLength = sizeof name;
    DWORD type = 0, size = 0;
    if (::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::string data(size, '\0');
    nameLength = sizeof name;
    ::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    data.resize(size);
    out += relative + "|" + name + "|" + std::to_string(type) + "|" + Hex(data) + "\n";
  }
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameLength = sizeof name;
    if (::RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    fw::RegKey child;
    if (::RegOpenKeyExA(key, name, 0, KEY_READ, child.put()) != ERROR_SUCCESS) {
      out += relative + "\\" + name + " (unreadable)\n";
      continue;
    }
    out += relative + "\\" + name + "\n";
    DumpKey(child.get(), relative + "\\" + name, out);
  }
}

}  // namespace

RegistrySandbox::RegistrySandbox() {
  scratchPath_ = std::string(kScratchBase) + "\\engine-" + std::to_string(::GetCurrentProcessId());
  RemoveTree(HKEY_CURRENT_USER, scratchPath_);
  fw::RegKey machine = CreateOrFail(HKEY_CURRENT_USER, scratchPath_ + "\\HKLM", 0);
  fw::RegKey user = CreateOrFail(HKEY_CURRENT_USER, scratchPath_ + "\\HKCU", 0);
  EXPECT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine.get()));
  EXPECT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_CURRENT_USER, user.get()));
}

RegistrySandbox::~RegistrySandbox() {
  ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RemoveTree(HKEY_CURRENT_USER, scratchPath_);
}

// Gives everybody full access again to a key that denies reading.
static void AllowEverything(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC | view, key.put()) != ERROR_SUCCESS) return;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KA;;;WD)", SDDL_REVISION_1, &descriptor,
                                                              nullptr))
    return;
  ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  ::LocalFree(descriptor);
}

void RemoveTree(HKEY root, const std::string& path, REGSAM view) {
  {
    fw::RegKey key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put()) == ERROR_ACCESS_DENIED) {
      AllowEverything(root, path, view);
      ::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.put());
    }
    if (key) {
      char name[256];
      std::string previous;
      for (;;) {
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
          break;
        if (previous == name) break;  // it could not be removed
        previous = name;
        RemoveTree(root, path + "\\" + name, view);
      }
    }
  }
  ::RegDeleteKeyExA(root, path.c_str(), view, 0);
}

namespace seed {

void CreatePath(HKEY root, const std::string& path, REGSAM view) { CreateOrFail(root, path, view); }

void SetString(HKEY root, const std::string& path, const char* name, const std::string& text, REGSAM view) {
  fw::RegKey key = CreateOrFail(root, path, view);
  EXPECT_EQ(ERROR_SUCCESS,
            ::RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)))
      << path << " " << name;
}

void SetDword(HKEY root, const std::string& path, const char* name, DWORD value) {
  fw::RegKey key = CreateOrFail(root, path, 0);
  EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key.get(), name, 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&value), sizeof value));
}

void SetRaw(HKEY root, const std::string& path, const char* name, DWORD type, const std::string& bytes) {
  fw::RegKey key = CreateOrFail(root, path, 0);
  EXPECT_EQ(ERROR_SUCCESS,
            ::RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())));
}

void DenyReading(HKEY root, const std::string& path) {
  fw::RegKey key = CreateOrFail(root, path, 0);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;KR;;;WD)(A;;KA;;;WD)",
                                                                     SDDL_REVISION_1, &descriptor, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor));
  ::LocalFree(descriptor);
  fw::RegKey probe;
  ASSERT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, probe.put()))
      << "the registry does not honour the denying security descriptor";
}

}  // namespace seed

namespace inspect {

bool KeyExists(HKEY root, const std::string& path) {
  fw::RegKey key;
  LONG result = ::RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put());
  return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

bool RawValue(HKEY root, const std::string& path, const char* name, DWORD& type, std::string& bytes) {
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  if (::RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  bytes.assign(size, '\0');
  if (::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) !=
      ERROR_SUCCESS)
    return false;
  bytes.resize(size);
  return true;
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> ValueNames(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
  std::vector<char> name(16384);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(name.size());
    if (::RegEnumValueA(key.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.emplace_back(name.data(), length);
  }
  return names;
}

std::string DumpTree(HKEY root, const std::string& path) {
  fw::RegKey key;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return "(missing)";
  std::string out;
  DumpKey(key.get(), "", out);
  return out;
}

}  // namespace inspect

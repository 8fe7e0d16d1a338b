#include "regdll_fixture.h"

#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

std::ostream& operator<<(std::ostream& out, const StoredValue& value) {
  if (!value.exists) return out << "(missing)";
  out << "type " << value.type << " bytes [";
  for (unsigned char c : value.bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", c);
    out << hex << (c >= 0x20 && c < 0x7F ? std::string("'") + static_cast<char>(c) + "' " : std::string(" "));
  }
  return out << "]";
}

StoredValue Sz(const std::string& text) { return StoredValue{true, REG_SZ, text + std::string(1, '\0')}; }

StoredValue Dword(DWORD value) {
  return StoredValue{true, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

StoredValue Missing() { return StoredValue{}; }

namespace {

LONG SetAccess(HKEY root, const std::string& path, const char* sddl, REGSAM view) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr))
    return static_cast<LONG>(::GetLastError());
  fw::RegKey key;
  LONG result = ::RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC | view, key.put());
  if (result == ERROR_SUCCESS) result = ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  ::LocalFree(descriptor);
  return result;
}

}  // namespace

void RegdllTest::SetUp() {
  static int counter = 0;
  const std::string unique = std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
  registry_.reset(new PrivateRegistry("regdll"));
  ASSERT_TRUE(registry_->ok());

  char temp[MAX_PATH];
  ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, temp));
  folder_ = std::string(temp) + "regdll-" + unique + "\\";
  ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
}

void RegdllTest::TearDown() {
  registry_.reset();
  EXPECT_EQ(ERROR_SUCCESS, PrivateRegistry::LastCleanup());
  if (folder_.empty()) return;
  WIN32_FIND_DATAA found;
  fw::FindHandle find(::FindFirstFileA((folder_ + "*").c_str(), &found));
  if (find) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        ::DeleteFileA((folder_ + found.cFileName).c_str());
    } while (::FindNextFileA(find.get(), &found));
  }
  find.reset();
  ::RemoveDirectoryA(folder_.c_str());
}

std::string RegdllTest::RawMachinePath(REGSAM view, const std::string& path) {
  const std::string software = "Software\\";
  if (view == k64 || path.compare(0, software.size(), software) != 0) return path;
  return "Software\\Wow6432Node\\" + path.substr(software.size());
}

void RegdllTest::CreateKey(HKEY root, const std::string& path, REGSAM view, bool isVolatile) {
  fw::RegKey key;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, isVolatile ? REG_OPTION_VOLATILE : 0,
                              KEY_ALL_ACCESS | view, nullptr, key.put(), nullptr))
      << path;
}

void RegdllTest::SetRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
                        const std::string& bytes, REGSAM view) {
  fw::RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                             nullptr, key.put(), nullptr))
      << path;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegSetValueExA(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())))
      << path << " " << name;
}

void RegdllTest::SetString(HKEY root, const std::string& path, const std::string& name,
                           const std::string& text, REGSAM view) {
  SetRaw(root, path, name, REG_SZ, text + std::string(1, '\0'), view);
}

void RegdllTest::SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value,
                          REGSAM view) {
  SetRaw(root, path, name, REG_DWORD, Dword(value).bytes, view);
}

void RegdllTest::Restrict(HKEY root, const std::string& path, const char* sddl, REGSAM view) {
  ASSERT_EQ(ERROR_SUCCESS, SetAccess(root, path, sddl, view)) << path;
}

bool RegdllTest::Exists(HKEY root, const std::string& rawPath) {
  fw::RegKey key;
  return ::RegOpenKeyExA(root, rawPath.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) == ERROR_SUCCESS;
}

StoredValue RegdllTest::Value(HKEY root, const std::string& rawPath, const std::string& name) {
  fw::RegKey key;
  if (::RegOpenKeyExA(root, rawPath.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS)
    return Missing();
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return Missing();
  std::string bytes(size, '\x5A');
  if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                         &size) != ERROR_SUCCESS)
    return Missing();
  bytes.resize(size);
  return StoredValue{true, type, bytes};
}

std::vector<std::string> RegdllTest::ValueNames(HKEY root, const std::string& rawPath) {
  std::vector<std::string> names;
  fw::RegKey key;
  if (::RegOpenKeyExA(root, rawPath.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS)
    return names;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD length = sizeof name;
    if (::RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> RegdllTest::Subkeys(HKEY root, const std::string& rawPath) {
  std::vector<std::string> names;
  fw::RegKey key;
  if (::RegOpenKeyExA(root, rawPath.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS)
    return names;
  for (DWORD index = 0;; ++index) {
    char name[1024];
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void RegdllTest::CreateProduct(const std::string& acadId, REGSAM view) {
  const std::string key = "Software\\Autodesk\\" + acadId;
  SetString(HKEY_LOCAL_MACHINE, key, "ProductName", "Product " + acadId, view);
  SetString(HKEY_LOCAL_MACHINE, key, "Location", "C:\\Acad", view);
}

std::string RegdllTest::ProfileKey(const std::string& acadId, const std::string& profile) {
  return "Software\\Autodesk\\" + acadId + "\\Profiles\\" + profile;
}

std::string RegdllTest::LinksKey(const std::string& acadId, const std::string& profile) {
  return ProfileKey(acadId, profile) + "\\Tarnwick\\Applications";
}

void RegdllTest::CreateProfile(const std::string& acadId, const std::string& profile) {
  SetString(HKEY_CURRENT_USER, ProfileKey(acadId, profile), "", "Profile " + profile);
}

std::vector<std::string> RegdllTest::LinkOrder(const std::string& acadId, const std::string& profile) {
  struct Link {
    std::string name;
    unsigned long long order;
  };
  std::vector<Link> links;
  const std::string linksKey = LinksKey(acadId, profile);
  for (const std::string& name : Subkeys(HKEY_CURRENT_USER, linksKey)) {
    const StoredValue order = Value(HKEY_CURRENT_USER, linksKey + "\\" + name, "LoadOrder");
    DWORD number = 0;
    if (order.exists && order.type == REG_DWORD && order.bytes.size() == 4)
      memcpy(&number, order.bytes.data(), 4);
    links.push_back(Link{name, number == 0 ? ~0ull : number});
  }
  std::stable_sort(links.begin(), links.end(),
                   [](const Link& a, const Link& b) { return a.order < b.order; });
  std::vector<std::string> names;
  for (const Link& link : links) names.push_back(link.name);
  return names;
}

std::string RegdllTest::WriteFile(const std::string& name, const std::string& bytes) {
  const std::string path = folder_ + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  EXPECT_TRUE(out.good()) << path;
  return path;
}

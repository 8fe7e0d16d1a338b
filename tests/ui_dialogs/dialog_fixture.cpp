#include "tests/ui_dialogs/dialog_fixture.h"

#include <ole2.h>

#include <algorithm>
#include <utility>

#include "tests/framework/windowed_test.h"
#include "tests/support/folder_tree.h"

namespace world {

const char kAcadId[] = "AutoCAD\\R16.1\\ACAD-301:409";
const char kAcadName[] = "AutoCAD 2005";
const char kLtId[] = "AutoCAD LT\\R10\\ACADLT-301:409";
const char kLtName[] = "AutoCAD LT 2005";

std::string ProductKey(const std::string& acadId) { return "Software\\Autodesk\\" + acadId; }
std::string ProfilesKey(const std::string& acadId) { return ProductKey(acadId) + "\\Profiles"; }
std::string ProfileKey(const std::string& acadId, const std::string& profile) {
  return ProfilesKey(acadId) + "\\" + profile;
}
std::string LinkKey(const std::string& acadId, const std::string& profile, const std::string& application) {
  return ProfileKey(acadId, profile) + "\\Tarnwick\\Applications\\" + application;
}

}  // namespace world

void DialogTest::SetUp() {
  // Its two views stay apart, so the 32-bit products are not found again by the 64-bit scan.
  registry_.reset(new PrivateRegistry("ui_dialogs"));
  ASSERT_TRUE(registry_->ok());
  // The user's application-data folder, where applies keep their backups, is a private one too.
  char temp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, temp);
  static int serial = 0;
  appData_ = std::string(temp) + "tw-dialogs-" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(++serial) + "\\";
  ASSERT_TRUE(::CreateDirectoryA(appData_.c_str(), nullptr)) << appData_;
  SetString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
            "AppData", appData_.substr(0, appData_.size() - 1));
  oleInitialized_ = SUCCEEDED(::OleInitialize(nullptr));
  fwtest::InitControlsOnce();
}

void DialogTest::TearDown() {
  if (oleInitialized_) ::OleUninitialize();
  registry_.reset();
  EXPECT_EQ(ERROR_SUCCESS, PrivateRegistry::LastCleanup());
  if (!appData_.empty()) RemoveFolderTree(appData_);
}

void DialogTest::SetRaw(HKEY root, const std::string& path, const char* name, DWORD type,
                        const std::string& bytes) {
  fw::RegKey key;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr))
      << path;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())))
      << path << " " << name;
}

void DialogTest::SetString(HKEY root, const std::string& path, const char* name, const std::string& text) {
  SetRaw(root, path, name, REG_SZ, text + std::string(1, '\0'));
}

void DialogTest::SetDword(HKEY root, const std::string& path, const char* name, DWORD value) {
  SetRaw(root, path, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void DialogTest::SeedProduct(const std::string& acadId, const std::string& productName) {
  const std::string key = world::ProductKey(acadId);
  SetString(HKEY_LOCAL_MACHINE, key, "ProductName", productName);
  SetString(HKEY_LOCAL_MACHINE, key, "Location", "C:\\Program Files\\" + productName);
}

void DialogTest::SeedApplication(const std::string& acadId, const std::string& application,
                                 DWORD stdLoadOrder) {
  const std::string root = world::ProductKey(acadId) + "\\Applications\\Tarnwick";
  SetString(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + application, "Loader",
            "C:\\Apps\\" + application + ".arx");
  SetDword(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", application.c_str(), stdLoadOrder);
}

void DialogTest::SeedProfile(const std::string& acadId, const std::string& profile,
                             const std::string& description) {
  SetString(HKEY_CURRENT_USER, world::ProfileKey(acadId, profile), "", description);
  // Something of AutoCAD's own, which copies must carry along.
  SetString(HKEY_CURRENT_USER, world::ProfileKey(acadId, profile) + "\\General", "Color",
            profile + " colour");
}

void DialogTest::SeedCurrentProfile(const std::string& acadId, const std::string& profile) {
  SetString(HKEY_CURRENT_USER, world::ProfilesKey(acadId), "", profile);
}

void DialogTest::SeedLink(const std::string& acadId, const std::string& profile,
                          const std::string& application, DWORD loadOrder, DWORD menuLoaded) {
  const std::string key = world::LinkKey(acadId, profile, application);
  if (loadOrder != 0) SetDword(HKEY_CURRENT_USER, key, "LoadOrder", loadOrder);
  SetDword(HKEY_CURRENT_USER, key, "MenuLoaded", menuLoaded);
}

void DialogTest::SeedWorld() {
  using namespace world;
  SeedProduct(kAcadId, kAcadName);
  SeedApplication(kAcadId, "Alpha", 10);
  SeedApplication(kAcadId, "Beta", 20);
  SeedApplication(kAcadId, "Gamma", 30);
  SeedCurrentProfile(kAcadId, "Default");
  SeedProfile(kAcadId, "Default", "The default profile");
  SeedProfile(kAcadId, "Home", "");
  SeedProfile(kAcadId, "Work", "Office work");
  SeedLink(kAcadId, "Default", "Alpha", 1);
  SeedLink(kAcadId, "Default", "Beta", 2, 1);
  // Linked, but never ordered.
  SeedLink(kAcadId, "Work", "Alpha", 0);
  SeedLink(kAcadId, "Work", "Beta", 0);
  SeedLink(kAcadId, "Work", "Gamma", 0);

  SeedProduct(kLtId, kLtName);
  SeedApplication(kLtId, "Alpha", 10);
  SeedCurrentProfile(kLtId, "Drafting");
  SeedProfile(kLtId, "Drafting", "Drafting work");
  SeedProfile(kLtId, "Plot", "Plotting");
  SeedLink(kLtId, "Plot", "Alpha", 1);
}

void DialogTest::SeedCurAcad(const std::string& productName) {
  SetString(HKEY_CURRENT_USER, "Software\\Brevent Software\\Tarnwick\\1.0", "CurAcad", productName);
}

std::string DialogTest::StringValue(const std::string& path, const char* name) {
  fw::RegKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
    return "(missing)";
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return "(missing)";
  std::string bytes(size, '\x5A');
  if (::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) !=
      ERROR_SUCCESS)
    return "(missing)";
  bytes.resize(size);
  if (type != REG_SZ) return "(type " + std::to_string(type) + ")";
  // Stored with exactly one terminating zero, as the program writes strings.
  if (bytes.empty() || bytes.back() != '\0') return "(unterminated)";
  bytes.pop_back();
  return bytes;
}

std::string DialogTest::DwordValue(const std::string& path, const char* name) {
  fw::RegKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
    return "(missing)";
  DWORD type = 0, value = 0, size = sizeof value;
  if (::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
      ERROR_SUCCESS)
    return "(missing)";
  if (type != REG_DWORD || size != sizeof value) return "(not a dword)";
  return std::to_string(value);
}

bool DialogTest::KeyExists(const std::string& path) {
  fw::RegKey key;
  return ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::vector<std::string> DialogTest::Subkeys(const std::string& path) {
  std::vector<std::string> names;
  fw::RegKey key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
  for (DWORD index = 0;; ++index) {
    char name[1024];
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  return names;
}

std::string DialogTest::StoredLinks(const std::string& acadId, const std::string& profile) {
  std::vector<std::pair<DWORD, std::string>> links;
  const std::string linksKey = world::ProfileKey(acadId, profile) + "\\Tarnwick\\Applications";
  for (const std::string& name : Subkeys(linksKey)) {
    const std::string order = DwordValue(linksKey + "\\" + name, "LoadOrder");
    links.emplace_back(order == "(missing)" ? 0 : std::stoul(order), name);
  }
  std::stable_sort(links.begin(), links.end(), [](const auto& a, const auto& b) {
    return a.first != 0 && (b.first == 0 || a.first < b.first);
  });
  std::string text;
  for (const auto& link : links)
    text += (text.empty() ? "" : " ") + link.second + "=" + std::to_string(link.first);
  return text;
}

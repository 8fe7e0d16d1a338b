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

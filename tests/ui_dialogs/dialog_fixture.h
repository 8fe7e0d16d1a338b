// What every test of the dialogs needs: private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees
// (the registration library runs in this process and is redirected with it), OLE, the common
// controls, and a small installation of two AutoCAD products to seed them with.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/private_registry.h"

using seed::SetDword;
using seed::SetRaw;
using seed::SetString;

// The seeded world: product keys and the names the tests refer to.
namespace world {

extern const char kAcadId[];  // AutoCAD 2005: applications Alpha, Beta, Gamma; profiles Default, Home, Work
extern const char kAcadName[];
extern const char kLtId[];  // AutoCAD LT 2005: application Alpha; profiles Drafting, Plot
extern const char kLtName[];

std::string ProductKey(const std::string& acadId);
std::string ProfilesKey(const std::string& acadId);
std::string ProfileKey(const std::string& acadId, const std::string& profile);
std::string LinkKey(const std::string& acadId, const std::string& profile, const std::string& application);

}  // namespace world

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Products go into the 32-bit view only.
  static void SeedProduct(const std::string& acadId, const std::string& productName);
  static void SeedApplication(const std::string& acadId, const std::string& application, DWORD stdLoadOrder);
  static void SeedProfile(const std::string& acadId, const std::string& profile,
                          const std::string& description);
  static void SeedCurrentProfile(const std::string& acadId, const std::string& profile);
  // loadOrder 0 stores no LoadOrder value.
  static void SeedLink(const std::string& acadId, const std::string& profile, const std::string& application,
                       DWORD loadOrder, DWORD menuLoaded = 0);
  // Both products with their applications, profiles and links (see world above).
  static void SeedWorld();
  static void SeedCurAcad(const std::string& productName);

  // The private application-data folder that the shell reports, with a trailing backslash.
  const std::string& AppData() const { return appData_; }

  // Reading back below HKEY_CURRENT_USER.
  static std::string StringValue(const std::string& path, const std::string& name) {
    return inspect::Text(HKEY_CURRENT_USER, path, name);
  }
  static bool KeyExists(const std::string& path) { return inspect::KeyExists(HKEY_CURRENT_USER, path); }
  static std::vector<std::string> Subkeys(const std::string& path) {
    return inspect::SubkeyNames(HKEY_CURRENT_USER, path);
  }
  // The profile's links by LoadOrder as the program reads them back, "name=order" each.
  static std::string StoredLinks(const std::string& acadId, const std::string& profile) {
    return inspect::LinkOrder(HKEY_CURRENT_USER, world::ProfileKey(acadId, profile) + "\\Tarnwick\\Applications");
  }

 private:
  std::unique_ptr<PrivateRegistry> registry_;
  std::string appData_;
  bool oleInitialized_ = false;
};

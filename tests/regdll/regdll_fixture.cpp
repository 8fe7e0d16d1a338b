#include "regdll_fixture.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/support/folder_tree.h"

void RegdllTest::SetUp() {
  registry_.reset(new PrivateRegistry("regdll"));
  ASSERT_TRUE(registry_->ok());
  char temp[MAX_PATH];
  ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, temp));
  folder_ = std::string(temp) + seed::UniqueName("regdll-") + "\\";
  ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
}

void RegdllTest::TearDown() {
  registry_.reset();
  EXPECT_EQ(ERROR_SUCCESS, PrivateRegistry::LastCleanup());
  RemoveFolderTree(folder_);
}

std::vector<std::string> RegdllTest::ValueNames(HKEY root, const std::string& rawPath) {
  std::vector<std::string> names = inspect::ValueNames(root, rawPath, k64);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> RegdllTest::Subkeys(HKEY root, const std::string& rawPath) {
  std::vector<std::string> names = inspect::SubkeyNames(root, rawPath, k64);
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
  std::vector<std::string> names;
  std::istringstream links(inspect::LinkOrder(HKEY_CURRENT_USER, LinksKey(acadId, profile), k64));
  for (std::string link; links >> link;) names.push_back(link.substr(0, link.rfind('=')));
  return names;
}

std::string RegdllTest::WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream(folder_ + name, std::ios::binary) << bytes;
  return folder_ + name;
}

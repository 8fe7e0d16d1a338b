// The registration library's tests: it runs in this process, so the private registry reaches it as
// well; its two machine views are apart, and reads go to the raw paths (RawMachinePath).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "regdll/QvApmReg.h"
#include "tests/support/private_registry.h"
#include "tests/support/scratch_folder.h"

using seed::SetDword;
using seed::SetRaw;
using seed::SetString;
using Names = std::vector<std::string>;

class RegdllTest : public ::testing::Test {
 protected:
  static constexpr REGSAM k32 = 0;
  static constexpr REGSAM k64 = KEY_WOW64_64KEY;
  // Access lists (SDDL) that TearDown can still remove: Wine lets the owner delete whatever the list
  // says, but a key that cannot be read cannot be emptied.
  static constexpr const char* kReadAndDelete = "D:(A;;KRSDWD;;;WD)";
  static constexpr const char* kUnreadable = "D:(A;;WD;;;WD)";

  void SetUp() override { ASSERT_TRUE(registry_->ok()); }
  void TearDown() override {
    registry_.reset();
    EXPECT_EQ(ERROR_SUCCESS, PrivateRegistry::LastCleanup());
  }

  static std::string RawMachinePath(REGSAM view, const std::string& path) {
    return PrivateRegistry::RawMachinePath(view, path);
  }
  // Reads without any redirection: machine paths must be raw paths. Names come sorted.
  static StoredValue Value(HKEY root, const std::string& rawPath, const std::string& name) {
    return inspect::Value(root, rawPath, name, k64);
  }
  static Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
  }
  static Names ValueNames(HKEY root, const std::string& rawPath) {
    return Sorted(inspect::ValueNames(root, rawPath, k64));
  }
  static Names Subkeys(HKEY root, const std::string& rawPath) {
    return Sorted(inspect::SubkeyNames(root, rawPath, k64));
  }

  // Every value below rawPath, one line each in name order: "key\\name=text", with "#n" for a DWORD.
  static std::string Tree(HKEY root, const std::string& rawPath, const std::string& relative = "") {
    std::string text;
    for (const std::string& name : ValueNames(root, rawPath)) {
      const StoredValue value = Value(root, rawPath, name);
      DWORD number = 0;
      memcpy(&number, value.bytes.data(), std::min<size_t>(value.bytes.size(), sizeof number));
      text +=
          relative + name + "=" +
          (value == Dword(number) ? "#" + std::to_string(number) : inspect::Text(root, rawPath, name, k64)) +
          "\n";
    }
    for (const std::string& key : Subkeys(root, rawPath))
      text += Tree(root, rawPath + "\\" + key, relative + key + "\\");
    return text;
  }

  // A product key with the values discovery needs, in the given view.
  static void CreateProduct(const std::string& acadId, REGSAM view) {
    SetString(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\" + acadId, "ProductName", "Product " + acadId, view);
  }
  static std::string ProfileKey(const std::string& acadId, const std::string& profile) {
    return "Software\\Autodesk\\" + acadId + "\\Profiles\\" + profile;
  }
  static void CreateProfile(const std::string& acadId, const std::string& profile) {
    SetString(HKEY_CURRENT_USER, ProfileKey(acadId, profile), "", "Profile " + profile);
  }
  static std::string LinksKey(const std::string& acadId, const std::string& profile) {
    return ProfileKey(acadId, profile) + "\\Tarnwick\\Applications";
  }

  std::unique_ptr<PrivateRegistry> registry_{new PrivateRegistry("regdll")};
  ScratchFolder folder_;
};

// The registration library's tests: it runs in this process, so the private registry reaches it as
// well; its two machine views are apart, and reads go to the raw paths (RawMachinePath).
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

class RegdllTest : public ::testing::Test {
 protected:
  static constexpr REGSAM k32 = 0;
  static constexpr REGSAM k64 = KEY_WOW64_64KEY;

  void SetUp() override;
  void TearDown() override;

  static std::string RawMachinePath(REGSAM view, const std::string& path) {
    return PrivateRegistry::RawMachinePath(view, path);
  }
  static void CreateKey(HKEY root, const std::string& path, REGSAM view = 0, bool isVolatile = false) {
    seed::CreatePath(root, path, view, isVolatile ? REG_OPTION_VOLATILE : 0);
  }
  // Access lists (SDDL) that TearDown can still remove: Wine lets the owner delete whatever the list
  // says, but a key that cannot be read cannot be emptied.
  static constexpr const char* kReadAndDelete = "D:(A;;KRSDWD;;;WD)";
  static constexpr const char* kUnreadable = "D:(A;;WD;;;WD)";

  // Reads without any redirection: machine paths must be raw paths. Names come sorted.
  static bool Exists(HKEY root, const std::string& rawPath) { return inspect::KeyExists(root, rawPath, k64); }
  static StoredValue Value(HKEY root, const std::string& rawPath, const std::string& name) {
    return inspect::Value(root, rawPath, name, k64);
  }
  static std::vector<std::string> ValueNames(HKEY root, const std::string& rawPath);
  static std::vector<std::string> Subkeys(HKEY root, const std::string& rawPath);

  // A product key with the values discovery needs, in the given view.
  void CreateProduct(const std::string& acadId, REGSAM view);
  // HKCU\Software\Autodesk\<id>\Profiles\<profile> with a description.
  void CreateProfile(const std::string& acadId, const std::string& profile);
  static std::string ProfileKey(const std::string& acadId, const std::string& profile);
  static std::string LinksKey(const std::string& acadId, const std::string& profile);
  // The profile's links in the order the program reads them back: by LoadOrder, those without one last.
  static std::vector<std::string> LinkOrder(const std::string& acadId, const std::string& profile);

  // Writes a file into this test's own folder and returns its full path.
  std::string WriteFile(const std::string& name, const std::string& bytes);
  const std::string& Folder() const { return folder_; }

 private:
  std::unique_ptr<PrivateRegistry> registry_;
  std::string folder_;
};

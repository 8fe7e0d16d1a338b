// Private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees for the registration library's tests.
// The library runs in this process, so the redirection of the predefined keys reaches it as well.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/handles.h"
#include "tests/support/private_registry.h"

// A value as found in the registry: missing, or its type and bytes.
struct StoredValue {
  bool exists = false;
  DWORD type = REG_NONE;
  std::string bytes;
  bool operator==(const StoredValue& other) const {
    return exists == other.exists && (!exists || (type == other.type && bytes == other.bytes));
  }
};
std::ostream& operator<<(std::ostream& out, const StoredValue& value);

StoredValue Sz(const std::string& text);  // REG_SZ with its terminating zero
StoredValue Dword(DWORD value);
StoredValue Missing();

class RegdllTest : public ::testing::Test {
 protected:
  static constexpr REGSAM k32 = 0;
  static constexpr REGSAM k64 = KEY_WOW64_64KEY;

  void SetUp() override;
  void TearDown() override;

  // Where a key of the given view really lives in the private machine tree.
  static std::string RawMachinePath(REGSAM view, const std::string& path);

  // Creates the key (and its parents) through the normal view-aware functions.
  void CreateKey(HKEY root, const std::string& path, REGSAM view = 0, bool isVolatile = false);
  void SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text,
                 REGSAM view = 0);
  void SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value, REGSAM view = 0);
  void SetRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::string& bytes, REGSAM view = 0);

  // Gives the key a new access list (SDDL); TearDown can still remove it as long as it grants WD.
  static constexpr const char* kReadAndDelete = "D:(A;;KRSDWD;;;WD)";
  // Wine lets the owner delete whatever the list says; a key that cannot be read cannot be emptied.
  static constexpr const char* kUnreadable = "D:(A;;WD;;;WD)";
  void Restrict(HKEY root, const std::string& path, const char* sddl, REGSAM view = 0);

  // Reads without any redirection: machine paths must be raw paths (RawMachinePath).
  static bool Exists(HKEY root, const std::string& rawPath);
  static StoredValue Value(HKEY root, const std::string& rawPath, const std::string& name);
  static std::vector<std::string> ValueNames(HKEY root, const std::string& rawPath);
  static std::vector<std::string> Subkeys(HKEY root, const std::string& rawPath);

  // A product key with the values discovery needs, in the given view.
  void CreateProduct(const std::string& acadId, REGSAM view);
  // HKCU\Software\Autodesk\<id>\Profiles\<profile>, with the Profiles default value when current.
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

// Profiles: listing, copying (merging, limits), deleting.
#include "engine/profiles.h"

#include <gtest/gtest.h>

#include "engine/registry_tree.h"
#include "engine_test.h"

namespace {

const std::string kProfiles = std::string(kKey) + "\\Profiles";

std::string Profile(const std::string& name) { return kProfiles + "\\" + name; }

class ProfilesTest : public ::testing::Test {
 protected:
  RegistrySandbox sandbox_;
  StringList names_{"stale"};
  StringList descriptions_{"stale"};
  std::string current_ = "unchanged";
};

// Descriptions that do not fit or are not text read as empty (and unreadable); a profile that
// cannot be opened ends the listing.
TEST_F(ProfilesTest, ListsNamesDescriptionsAndCurrentProfile) {
  seed::SetString(HKEY_CURRENT_USER, kProfiles, "", std::string(259, 'c'));
  seed::SetString(HKEY_CURRENT_USER, Profile("First"), "", "one");
  seed::CreatePath(HKEY_CURRENT_USER, Profile("Second"));
  seed::SetString(HKEY_CURRENT_USER, Profile("Third"), "", std::string(519, 'd'));
  seed::SetString(HKEY_CURRENT_USER, Profile("Zz"), "", std::string(520, 'd'));
  seed::SetDword(HKEY_CURRENT_USER, Profile("Zz2"), "", 5);
  seed::SetRaw(HKEY_CURRENT_USER, Profile("Zz3"), "", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  seed::CreatePath(HKEY_CURRENT_USER, Profile("Zz4"));
  seed::CreatePath(HKEY_CURRENT_USER, Profile("Zz5"));
  seed::DenyReading(HKEY_CURRENT_USER, Profile("Zz4"));
  std::vector<bool> unreadable{true};
  EXPECT_EQ(6, ReadProfiles(kKey, names_, descriptions_, current_, &unreadable));
  EXPECT_EQ((StringList{"First", "Second", "Third", "Zz", "Zz2", "Zz3"}), names_);
  EXPECT_EQ((StringList{"one", "", std::string(519, 'd'), "", "", ""}), descriptions_);
  EXPECT_EQ((std::vector<bool>{false, false, false, true, true, true}), unreadable)
      << "a missing one is empty";
  EXPECT_EQ(std::string(259, 'c'), current_);
}

TEST_F(ProfilesTest, WithoutCurrentProfileValueThereAreNoProfiles) {
  const std::pair<DWORD, std::string> rows[] = {
      {REG_NONE, "(no value)"},
      {REG_SZ, std::string(260, 'c') + '\0'},
      {REG_DWORD, std::string("\1\0\0\0", 4)},
      {REG_NONE, "(no key)"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    RemoveTree(HKEY_CURRENT_USER, kProfiles);
    if (i < 3) seed::CreatePath(HKEY_CURRENT_USER, Profile("First"));
    if (rows[i].first != REG_NONE)
      seed::SetRaw(HKEY_CURRENT_USER, kProfiles, "", rows[i].first, rows[i].second);
    names_ = {"stale"};
    EXPECT_EQ(0, ReadProfiles(kKey, names_, descriptions_, current_)) << "row " << i;
    EXPECT_TRUE(names_.empty()) << "row " << i;
    EXPECT_EQ("unchanged", current_) << "row " << i;
  }
}

// A copy merges onto an existing profile: its own values and keys stay, equal names are replaced.
TEST_F(ProfilesTest, CopyOntoAnExistingProfileMerges) {
  seed::SetString(HKEY_CURRENT_USER, Profile("Source"), "Text", "value");
  seed::SetRaw(HKEY_CURRENT_USER, Profile("Source"), "Exactly1024", REG_BINARY, std::string(1024, 'e'));
  seed::SetString(HKEY_CURRENT_USER, Profile("Source") + "\\General", "Color", "red");
  seed::CreatePath(HKEY_CURRENT_USER, Profile("Source") + "\\Empty\\Deeper");
  seed::SetString(HKEY_CURRENT_USER, Profile("Target"), "Text", "old");
  seed::SetString(HKEY_CURRENT_USER, Profile("Target") + "\\General", "Font", "kept");
  ASSERT_TRUE(CopyProfile(kKey, "Source", "Target"));
  seed::SetString(HKEY_CURRENT_USER, Profile("Source") + "\\General", "Font", "kept");
  EXPECT_EQ(inspect::DumpTree(HKEY_CURRENT_USER, Profile("Source")),
            inspect::DumpTree(HKEY_CURRENT_USER, Profile("Target")));

  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, kProfiles);
  for (const char* from : {"Missing", "", "Source\\General"})
    EXPECT_FALSE(CopyProfile(kKey, from, "New")) << from;
  for (const char* to : {"", "Source\\Nested"}) EXPECT_FALSE(CopyProfile(kKey, "Source", to)) << to;
  EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, kProfiles));
}

TEST_F(ProfilesTest, AValueOverTheCopyLimitsStopsTheCopy) {
  const std::pair<std::string, std::string> rows[] = {
      {"M", std::string(1025, 'b')},       // data of 1025 bytes
      {"M" + std::string(255, 'n'), "x"},  // a name of 256 bytes
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    RemoveTree(HKEY_CURRENT_USER, kProfiles);
    const std::string source = Profile("Source");
    seed::SetRaw(HKEY_CURRENT_USER, source, "A", REG_BINARY, "1");
    seed::SetRaw(HKEY_CURRENT_USER, source, rows[i].first.c_str(), REG_BINARY, rows[i].second);
    seed::SetRaw(HKEY_CURRENT_USER, source, "Z", REG_BINARY, "3");
    seed::CreatePath(HKEY_CURRENT_USER, source + "\\Sub");
    EXPECT_FALSE(CopyProfile(kKey, "Source", "Target")) << "row " << i;
    // Enumeration gives A, the large value, Z (by creation and by name): A is copied.
    EXPECT_EQ("|A|3|31\n", inspect::DumpTree(HKEY_CURRENT_USER, Profile("Target"))) << "row " << i;
  }
}

TEST_F(ProfilesTest, DeleteRemovesOnlyTheNamedProfileAndRefusesTheRest) {
  std::string path = Profile("Doomed");
  for (int level = 0; level < 4; ++level) {
    path += "\\L" + std::to_string(level);
    seed::SetString(HKEY_CURRENT_USER, path, "v", "x");
    seed::CreatePath(HKEY_CURRENT_USER, path + "\\Sibling");
  }
  seed::SetString(HKEY_CURRENT_USER, Profile("Kept") + "\\General", "Color", "red");
  const std::string kept = inspect::DumpTree(HKEY_CURRENT_USER, Profile("Kept"));
  EXPECT_TRUE(DeleteProfileKey(kKey, NamedProfile("Doomed", ProfileStored, "Kept")))
      << "the Name, never the pending new name";
  EXPECT_FALSE(DeleteProfileKey(kKey, NamedProfile("Doomed")));
  EXPECT_FALSE(DeleteProfileKey(kKey, NamedProfile("")));
  EXPECT_FALSE(DeleteProfileKey(kKey, NamedProfile("Kept\\General")));
  EXPECT_FALSE(DeleteProfileKey("Software\\Nothing", NamedProfile("Kept")));
  EXPECT_EQ((std::vector<std::string>{"Kept"}), inspect::SubkeyNames(HKEY_CURRENT_USER, kProfiles));
  EXPECT_EQ(kept, inspect::DumpTree(HKEY_CURRENT_USER, Profile("Kept")));

  fw::RegKey profiles;
  ::RegOpenKeyExA(HKEY_CURRENT_USER, kProfiles.c_str(), 0, KEY_ALL_ACCESS, profiles.put());
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, DeleteRegistryTree(profiles.get(), "Missing"));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, DeleteRegistryTree(profiles.get(), ""));
  // A subkey that cannot be opened stops the delete with its error; the rest stays.
  seed::CreatePath(HKEY_CURRENT_USER, Profile("Kept") + "\\Locked\\Inner");
  seed::DenyReading(HKEY_CURRENT_USER, Profile("Kept") + "\\Locked");
  EXPECT_EQ(ERROR_ACCESS_DENIED, DeleteRegistryTree(profiles.get(), "Kept"));
  EXPECT_FALSE(DeleteProfileKey(kKey, NamedProfile("Kept")));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Kept")));
}

}  // namespace

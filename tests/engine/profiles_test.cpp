// Profiles: listing, copying (merging, limits), deleting, current profile, descriptions.
#include "engine/profiles.h"

#include <gtest/gtest.h>

#include "engine/registry_tree.h"
#include "registry_sandbox.h"

namespace {

const char kKey[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
const std::string kProfiles = std::string(kKey) + "\\Profiles";

std::string Profile(const std::string& name) { return kProfiles + "\\" + name; }

std::string Joined(const StringList& list) {
  std::string text;
  for (const std::string& item : list) text += item + ";";
  return text;
}

PMAcadProfile Record(const std::string& name, const std::string& newName = "") {
  PMAcadProfile profile;
  profile.Name = name;
  profile.NewName = newName;
  return profile;
}

// A profile with values of several types, a default value and nested subkeys.
void SeedRichProfile(const std::string& name) {
  const std::string path = Profile(name);
  seed::SetString(HKEY_CURRENT_USER, path, "", "Description of " + name);
  seed::SetString(HKEY_CURRENT_USER, path, "Text", "value");
  seed::SetDword(HKEY_CURRENT_USER, path, "Number", 42);
  seed::SetRaw(HKEY_CURRENT_USER, path, "Bytes", REG_BINARY, std::string("\0\1\2\3", 4));
  seed::SetRaw(HKEY_CURRENT_USER, path, "Multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  seed::SetRaw(HKEY_CURRENT_USER, path, "Exactly1024", REG_BINARY, std::string(1024, 'e'));
  seed::SetString(HKEY_CURRENT_USER, path + "\\General", "Color", "red");
  seed::SetDword(HKEY_CURRENT_USER, path + "\\Tarnwick\\Applications\\App1", "LoadOrder", 1);
  seed::SetDword(HKEY_CURRENT_USER, path + "\\Tarnwick\\Applications\\App2", "LoadOrder", 2);
  seed::CreatePath(HKEY_CURRENT_USER, path + "\\Empty\\Deeper\\Deepest");
}

class ProfilesTest : public ::testing::Test {
 protected:
  RegistrySandbox sandbox_;
  StringList names_{"stale"};
  StringList descriptions_{"stale"};
  std::string current_ = "unchanged";
};

TEST_F(ProfilesTest, ListsNamesDescriptionsAndCurrentProfile) {
  seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "Second");
  seed::SetString(HKEY_CURRENT_USER, Profile("First"), "", "one");
  seed::CreatePath(HKEY_CURRENT_USER, Profile("Second"));  // no description
  seed::SetString(HKEY_CURRENT_USER, Profile("Third"), "", std::string(519, 'd'));
  seed::SetString(HKEY_CURRENT_USER, Profile("Zz"), "", std::string(520, 'd'));  // does not fit: empty
  seed::SetDword(HKEY_CURRENT_USER, Profile("Zz2"), "", 5);                      // not text: empty
  seed::SetRaw(HKEY_CURRENT_USER, Profile("Zz3"), "", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  std::vector<bool> unreadable{true};
  EXPECT_EQ(6, ReadProfiles(kKey, names_, descriptions_, current_, &unreadable));
  EXPECT_EQ("First;Second;Third;Zz;Zz2;Zz3;", Joined(names_));
  EXPECT_EQ("one;;" + std::string(519, 'd') + ";;;;", Joined(descriptions_));
  EXPECT_EQ((std::vector<bool>{false, false, false, true, true, true}), unreadable) << "a missing one is empty";
  EXPECT_EQ("Second", current_);
}

TEST_F(ProfilesTest, WithoutCurrentProfileValueThereAreNoProfiles) {
  const struct {
    const char* what;
    DWORD type;
    std::string bytes;
  } rows[] = {
      {"missing", REG_NONE, ""},
      {"too long", REG_SZ, std::string(260, 'c') + '\0'},
      {"a number", REG_DWORD, std::string("\1\0\0\0", 4)},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    RemoveTree(HKEY_CURRENT_USER, kProfiles);
    seed::CreatePath(HKEY_CURRENT_USER, Profile("First"));
    if (rows[i].type != REG_NONE) seed::SetRaw(HKEY_CURRENT_USER, kProfiles, "", rows[i].type, rows[i].bytes);
    names_ = {"stale"};
    EXPECT_EQ(0, ReadProfiles(kKey, names_, descriptions_, current_)) << rows[i].what;
    EXPECT_TRUE(names_.empty()) << rows[i].what;
    EXPECT_EQ("unchanged", current_) << rows[i].what;
  }
  RemoveTree(HKEY_CURRENT_USER, kProfiles);
  EXPECT_EQ(0, ReadProfiles(kKey, names_, descriptions_, current_)) << "no Profiles key";
  EXPECT_EQ("unchanged", current_);
}

TEST_F(ProfilesTest, TheLongestCurrentProfileThatFitsIsRead) {
  seed::SetString(HKEY_CURRENT_USER, kProfiles, "", std::string(259, 'c'));
  EXPECT_EQ(0, ReadProfiles(kKey, names_, descriptions_, current_));
  EXPECT_EQ(std::string(259, 'c'), current_);
}

TEST_F(ProfilesTest, AProfileThatCannotBeOpenedEndsTheListing) {
  seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "A");
  seed::SetString(HKEY_CURRENT_USER, Profile("A"), "", "a");
  seed::SetString(HKEY_CURRENT_USER, Profile("B"), "", "b");
  seed::SetString(HKEY_CURRENT_USER, Profile("C"), "", "c");
  seed::DenyReading(HKEY_CURRENT_USER, Profile("B"));
  EXPECT_EQ(1, ReadProfiles(kKey, names_, descriptions_, current_));
  EXPECT_EQ("A;", Joined(names_));
  EXPECT_EQ("a;", Joined(descriptions_));
}

TEST_F(ProfilesTest, CopyMakesAFullCopy) {
  SeedRichProfile("Source");
  ASSERT_TRUE(CopyProfile(kKey, "Source", "Target"));
  const std::string copied = inspect::DumpTree(HKEY_CURRENT_USER, Profile("Target"));
  EXPECT_EQ(inspect::DumpTree(HKEY_CURRENT_USER, Profile("Source")), copied);
  EXPECT_NE(std::string::npos, copied.find("\\Empty\\Deeper\\Deepest\n")) << copied;
  EXPECT_NE(std::string::npos, copied.find("|Exactly1024|3|")) << "1024 bytes still fit";
}

TEST_F(ProfilesTest, CopyOntoAnExistingProfileMerges) {
  SeedRichProfile("Source");
  seed::SetString(HKEY_CURRENT_USER, Profile("Target"), "Text", "old");
  seed::SetString(HKEY_CURRENT_USER, Profile("Target"), "OnlyInTarget", "kept");
  seed::SetString(HKEY_CURRENT_USER, Profile("Target") + "\\General", "Font", "kept");
  seed::CreatePath(HKEY_CURRENT_USER, Profile("Target") + "\\TargetOnly");
  ASSERT_TRUE(CopyProfile(kKey, "Source", "Target"));
  EXPECT_EQ(Sz("value"), inspect::Value(HKEY_CURRENT_USER, Profile("Target"), "Text"));
  EXPECT_EQ(Sz("kept"), inspect::Value(HKEY_CURRENT_USER, Profile("Target"), "OnlyInTarget"));
  EXPECT_TRUE(inspect::Value(HKEY_CURRENT_USER, Profile("Target") + "\\General", "Font").exists);
  EXPECT_EQ(Sz("red"), inspect::Value(HKEY_CURRENT_USER, Profile("Target") + "\\General", "Color"));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Target") + "\\TargetOnly"));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Target") + "\\Empty\\Deeper\\Deepest"));
}

TEST_F(ProfilesTest, AValueOverTheCopyLimitsStopsTheCopy) {
  const struct {
    const char* what;
    std::string name;
    std::string bytes;
  } rows[] = {
      {"data of 1025 bytes", "M", std::string(1025, 'b')},
      {"a name of 256 bytes", "M" + std::string(255, 'n'), "x"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    RemoveTree(HKEY_CURRENT_USER, kProfiles);
    const std::string source = Profile("Source");
    seed::SetRaw(HKEY_CURRENT_USER, source, "A", REG_BINARY, "1");
    seed::SetRaw(HKEY_CURRENT_USER, source, rows[i].name.c_str(), REG_BINARY, rows[i].bytes);
    seed::SetRaw(HKEY_CURRENT_USER, source, "Z", REG_BINARY, "3");
    seed::CreatePath(HKEY_CURRENT_USER, source + "\\Sub");
    EXPECT_FALSE(CopyProfile(kKey, "Source", "Target")) << rows[i].what;
    // Enumeration gives A, the large value, Z (by creation and by name): A is copied.
    EXPECT_EQ("|A|3|31\n", inspect::DumpTree(HKEY_CURRENT_USER, Profile("Target"))) << rows[i].what;

    fw::RegKey from, to;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, source.c_str(), 0, KEY_READ, from.put());
    ::RegOpenKeyExA(HKEY_CURRENT_USER, Profile("Target").c_str(), 0, KEY_ALL_ACCESS, to.put());
    EXPECT_EQ(ERROR_MORE_DATA, CopyRegistryTree(from.get(), to.get())) << rows[i].what;
  }
}

TEST_F(ProfilesTest, CopyFailsWithoutSourceAndForNamesOutsideProfiles) {
  SeedRichProfile("Source");
  seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "Source");
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, kProfiles);
  EXPECT_FALSE(CopyProfile(kKey, "Missing", "Target"));
  EXPECT_FALSE(CopyProfile(kKey, "Source", ""));
  EXPECT_FALSE(CopyProfile(kKey, "", "Target"));
  EXPECT_FALSE(CopyProfile(kKey, "Source", "Source\\Nested"));
  EXPECT_FALSE(CopyProfile(kKey, "Source\\General", "Target"));
  EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, kProfiles));
}

TEST_F(ProfilesTest, DeleteRemovesEveryLevelAndOnlyTheNamedProfile) {
  SeedRichProfile("Doomed");
  SeedRichProfile("Kept");
  std::string path = Profile("Doomed");
  for (int level = 0; level < 8; ++level) {
    path += "\\L" + std::to_string(level);
    seed::SetString(HKEY_CURRENT_USER, path, "v", "x");
    seed::CreatePath(HKEY_CURRENT_USER, path + "\\Sibling");
  }
  const std::string kept = inspect::DumpTree(HKEY_CURRENT_USER, Profile("Kept"));
  // The record's Name is deleted, never its pending new name.
  EXPECT_TRUE(DeleteProfileKey(kKey, Record("Doomed", "Kept")));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Doomed")));
  EXPECT_EQ(kept, inspect::DumpTree(HKEY_CURRENT_USER, Profile("Kept")));
  EXPECT_FALSE(DeleteProfileKey(kKey, Record("Doomed")));
}

TEST_F(ProfilesTest, DeleteRefusesNamesOutsideProfilesAndReportsFailures) {
  SeedRichProfile("Kept");
  seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "Kept");
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, kProfiles);
  EXPECT_FALSE(DeleteProfileKey(kKey, Record("")));
  EXPECT_FALSE(DeleteProfileKey(kKey, Record("Kept\\General")));
  EXPECT_FALSE(DeleteProfileKey("Software\\Nothing", Record("Kept")));
  EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, kProfiles));

  fw::RegKey profiles;
  ::RegOpenKeyExA(HKEY_CURRENT_USER, kProfiles.c_str(), 0, KEY_ALL_ACCESS, profiles.put());
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, DeleteRegistryTree(profiles.get(), "Missing"));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, DeleteRegistryTree(profiles.get(), ""));
  // A subkey that cannot be opened stops the delete with its error; the rest stays.
  seed::CreatePath(HKEY_CURRENT_USER, Profile("Kept") + "\\Locked\\Inner");
  seed::DenyReading(HKEY_CURRENT_USER, Profile("Kept") + "\\Locked");
  EXPECT_EQ(ERROR_ACCESS_DENIED, DeleteRegistryTree(profiles.get(), "Kept"));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Kept")));
  EXPECT_FALSE(DeleteProfileKey(kKey, Record("Kept")));
}

TEST_F(ProfilesTest, CurrentProfileAndDescriptionAreWrittenAsTerminatedText) {
  seed::CreatePath(HKEY_CURRENT_USER, Profile("A"));
  ASSERT_TRUE(SetCurrentProfile(kKey, "A"));
  ASSERT_TRUE(WriteProfileDescription(kKey, "A", "My profile"));
  EXPECT_EQ(Sz("A"), inspect::Value(HKEY_CURRENT_USER, kProfiles, ""));
  EXPECT_EQ(Sz("My profile"), inspect::Value(HKEY_CURRENT_USER, Profile("A"), ""));

  EXPECT_FALSE(WriteProfileDescription(kKey, "Missing", "x"));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Missing")));
  EXPECT_FALSE(SetCurrentProfile("Software\\Nothing", "A"));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, "Software\\Nothing"));
}

}  // namespace

// Applying the model: profile copies, renames, deletions, descriptions, the current
// profile and the registration calls, against the registry and the recording library.
#include "engine/apply.h"

#include <gtest/gtest.h>

#include "engine/configuration.h"
#include "engine_test.h"
#include "fake_library.h"

namespace {

const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";
const std::string kProfiles = std::string(kKey) + "\\Profiles";

std::string Profile(const std::string& name) { return kProfiles + "\\" + name; }

PMAcadProfile Record(const std::string& name, LONG state = ProfileStored) {
  PMAcadProfile profile = NamedProfile(name, state);
  profile.Description = "description of " + name;
  profile.Links = {{"App1", 0, 0, 0, -1, LinkLinked}, {"App2", 0, 0, 0, -1, LinkNotLinked}};
  return profile;
}

std::string Call(const char* what, const std::string& profile, const char* app) {
  const bool reg = what[0] == '+';
  return std::string(reg ? "RegisterAppInProfileEx|" : "UnregAppInProfile|") + kId + "|" + profile + "|" +
         app + (reg ? "|0\n" : "\n");
}

std::string Registered(const std::string& profile) {
  return Call("+", profile, "App1") + Call("-", profile, "App2");
}

class ApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    product_.Key = kKey;
    product_.CurrentProfile = "A";
    seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "A");
    for (const std::string name : {"A", "Other"}) {
      seed::SetString(HKEY_CURRENT_USER, Profile(name), "", "stored description of " + name);
      seed::SetString(HKEY_CURRENT_USER, Profile(name) + "\\General", "Color", name + " red");
      seed::SetDword(HKEY_CURRENT_USER, Profile(name) + "\\Tarnwick\\Applications\\App1", "LoadOrder", 1);
      seed::CreatePath(HKEY_CURRENT_USER, Profile(name) + "\\Deep\\Deeper\\Deepest");
    }
    original_ = inspect::DumpTree(HKEY_CURRENT_USER, Profile("A"));
  }
  void Apply() {
    model_ = {product_};
    ApplyChanges(model_, fake_.Library());
  }
  // The profile's tree equals A's as seeded, apart from the description.
  void ExpectCopyOfA(const std::string& name, const std::string& description) {
    EXPECT_EQ(Sz(description), inspect::Value(HKEY_CURRENT_USER, Profile(name), "")) << name;
    seed::SetString(HKEY_CURRENT_USER, Profile(name), "", "stored description of A");
    EXPECT_EQ(original_, inspect::DumpTree(HKEY_CURRENT_USER, Profile(name))) << name;
  }

  RegistrySandbox sandbox_;
  FakeRegistrationLibrary fake_;
  PMAcad product_;
  ConfigurationModel model_;
  std::string original_;
};

// A rename that only changes letter case keeps the profile as it is.
TEST_F(ApplyTest, RenameCopiesDeletesTheOldNameAndRegistersTheNewOne) {
  const std::string other = inspect::DumpTree(HKEY_CURRENT_USER, Profile("Other"));
  product_.Profiles = {Record("A"), Record("Other")};
  product_.Profiles[0].NewName = "B";
  product_.Profiles[0].Description = "renamed";
  product_.Profiles[1].NewName = "OTHER";
  product_.Profiles[1].Description = "stored description of Other";
  product_.CurrentProfile = "B";
  Apply();
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("A")));
  ExpectCopyOfA("B", "renamed");
  EXPECT_EQ(other, inspect::DumpTree(HKEY_CURRENT_USER, Profile("OTHER")));
  EXPECT_EQ(Sz("B"), inspect::Value(HKEY_CURRENT_USER, kProfiles, ""));
  EXPECT_EQ(Registered("B") + Registered("OTHER"), fake_.Log());
  EXPECT_EQ("B/0 OTHER/0", Shown(model_[0]));
}

TEST_F(ApplyTest, NewCopyOfAProfileDeletedInTheSameApplyKeepsItsContent) {
  PMAcadProfile created = Record("C", ProfileCreate);
  created.SourceName = "A";
  product_.Profiles = {Record("Other"), created, Record("A", ProfileDelete)};
  product_.CurrentProfile = "C";
  Apply();
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("A")));
  ExpectCopyOfA("C", "description of C");
  EXPECT_EQ(Registered("Other") + Registered("C"), fake_.Log()) << "the deleted profile is not registered";
  EXPECT_EQ("Other/0 C/0", Shown(model_[0]));
  EXPECT_EQ(Sz("C"), inspect::Value(HKEY_CURRENT_USER, kProfiles, ""));
}

// Links: an unchecked one leaves only its own profile, an enabled one is registered and Linked;
// applying the result again repeats the same calls and changes nothing.
TEST_F(ApplyTest, LinksAreRegisteredInListOrderAndASecondApplyRepeatsThem) {
  // First in the model, and without keys: neither its current profile nor a description creates them.
  PMAcad lt;
  lt.Key = "Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-1:409";
  lt.CurrentProfile = "X";
  lt.Profiles = {Record("X")};
  product_.Profiles = {Record("A"), Record("Other")};
  product_.Profiles[0].Links[0].State = LinkNotLinked;
  product_.Profiles[1].Links[1].State = LinkEnable;
  model_ = {lt, product_};
  ApplyChanges(model_, fake_.Library());
  const std::string firstLog = fake_.Log();
  const std::string firstTree = inspect::DumpTree(HKEY_CURRENT_USER, "Software\\Autodesk");
  EXPECT_EQ(
      "RegisterAppInProfileEx|AutoCAD LT\\R9\\ACADLT-1:409|X|App1|0\n"
      "UnregAppInProfile|AutoCAD LT\\R9\\ACADLT-1:409|X|App2\n" +
          Call("-", "A", "App1") + Call("-", "A", "App2") + Call("+", "Other", "App1") +
          Call("+", "Other", "App2"),
      firstLog);
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, lt.Key));
  EXPECT_EQ(LinkLinked, model_[1].Profiles[1].Links[1].State) << "an enabled link is linked afterwards";
  EXPECT_EQ(Sz("description of Other"), inspect::Value(HKEY_CURRENT_USER, Profile("Other"), ""));

  fake_.Reset();
  ApplyChanges(model_, fake_.Library());
  EXPECT_EQ(firstLog, fake_.Log());
  EXPECT_EQ(firstTree, inspect::DumpTree(HKEY_CURRENT_USER, "Software\\Autodesk"));
  // Without the library the calls do nothing, and fail nothing.
  ApplyChanges(model_, MissingRegistrationLibrary());
  EXPECT_EQ(firstTree, inspect::DumpTree(HKEY_CURRENT_USER, "Software\\Autodesk"));
}

// Not rolled back: a rename whose copy fails keeps the old profile and the partial copy; a copy
// from nowhere counts as stored; a failed delete drops the record.
TEST_F(ApplyTest, FailuresAreNotRolledBackAndRecordsStillSettle) {
  seed::SetRaw(HKEY_CURRENT_USER, Profile("A") + "\\General", "Huge", REG_BINARY, std::string(2000, 'h'));
  const std::string a = inspect::DumpTree(HKEY_CURRENT_USER, Profile("A"));
  PMAcadProfile fromNowhere = Record("New", ProfileCreate);
  fromNowhere.SourceName = "Missing";
  product_.Profiles = {Record("Ghost", ProfileDelete), fromNowhere, Record("A")};
  product_.Profiles[2].NewName = "B";
  Apply();
  EXPECT_EQ(a, inspect::DumpTree(HKEY_CURRENT_USER, Profile("A")));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("B")));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("New")));
  EXPECT_EQ("New/0 B/0", Shown(model_[0]));
  EXPECT_EQ(Registered("New") + Registered("B"), fake_.Log());
}

// A description that could not be read is written over only when the user gives one.
TEST_F(ApplyTest, AnUnreadDescriptionIsKeptUntilOneIsGiven) {
  seed::SetRaw(HKEY_CURRENT_USER, Profile("Other"), "", REG_MULTI_SZ, std::string("one\0two\0\0", 9));
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, kProfiles);
  product_.Profiles = {Record("A"), Record("Other")};
  product_.Profiles[0].Description = "stored description of A";
  product_.Profiles[1].Description = "";
  product_.Profiles[1].DescriptionUnread = true;
  Apply();
  EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, kProfiles));
  model_[0].Profiles[1].Description = "typed";
  ApplyChanges(model_, fake_.Library());
  EXPECT_EQ(Sz("typed"), inspect::Value(HKEY_CURRENT_USER, Profile("Other"), ""));
}

}  // namespace

// Applying the model: profile copies, renames, deletions, descriptions, the current
// profile and the registration calls, against the registry and the recording library.
#include "engine/apply.h"
#include "engine/configuration.h"

#include <gtest/gtest.h>

#include "fake_library.h"
#include "registry_sandbox.h"

namespace {

const char kKey[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";
const std::string kProfiles = std::string(kKey) + "\\Profiles";

std::string Profile(const std::string& name) { return kProfiles + "\\" + name; }

void SeedProfile(const std::string& name) {
  const std::string path = Profile(name);
  seed::SetString(HKEY_CURRENT_USER, path, "", "stored description of " + name);
  seed::SetString(HKEY_CURRENT_USER, path + "\\General", "Color", name + " red");
  seed::SetDword(HKEY_CURRENT_USER, path + "\\Tarnwick\\Applications\\App1", "LoadOrder", 1);
  seed::CreatePath(HKEY_CURRENT_USER, path + "\\Deep\\Deeper\\Deepest");
}

PMAcadAppLink Link(const std::string& name, LONG state) {
  PMAcadAppLink link;
  link.Name = name;
  link.State = state;
  return link;
}

PMAcadProfile Record(const std::string& name, LONG state = ProfileStored) {
  PMAcadProfile profile;
  profile.Name = name;
  profile.Description = "description of " + name;
  profile.State = state;
  profile.Links = {Link("App1", LinkLinked), Link("App2", LinkNotLinked)};
  return profile;
}

std::string Names(const PMAcad& product) {
  std::string text;
  for (const PMAcadProfile& p : product.Profiles)
    text += p.Name + "/" + std::to_string(p.State) + "/" + p.NewName + " ";
  return text;
}

std::string Registered(const std::string& profile) {
  return std::string("RegisterAppInProfileEx|") + kId + "|" + profile + "|App1|0\n" + "UnregAppInProfile|" +
         kId + "|" + profile + "|App2\n";
}

std::string Text(HKEY root, const std::string& path) {
  const StoredValue value = inspect::Value(root, path, "");
  if (!value.exists) return "(missing)";
  return value.type == REG_SZ ? value.bytes : "(not text)";
}

class ApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    product_.Key = kKey;
    product_.CurrentProfile = "A";
    seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "A");
    SeedProfile("A");
    SeedProfile("Other");
  }
  void Apply() {
    model_ = {product_};
    ApplyChanges(model_, fake_.Library());
  }

  RegistrySandbox sandbox_;
  FakeRegistrationLibrary fake_;
  PMAcad product_;
  ConfigurationModel model_;
};

TEST_F(ApplyTest, RenameCopiesDeletesTheOldNameAndRegistersTheNewOne) {
  const std::string original = inspect::DumpTree(HKEY_CURRENT_USER, Profile("A"));
  product_.Profiles = {Record("A"), Record("Other")};
  product_.Profiles[0].NewName = "B";
  product_.Profiles[0].Description = "renamed";
  product_.CurrentProfile = "B";
  Apply();
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("A")));
  std::string copied = inspect::DumpTree(HKEY_CURRENT_USER, Profile("B"));
  EXPECT_EQ(std::string("renamed", 8), Text(HKEY_CURRENT_USER, Profile("B")));
  // Apart from the description, B is what A was.
  seed::SetString(HKEY_CURRENT_USER, Profile("B"), "", "stored description of A");
  EXPECT_EQ(original, inspect::DumpTree(HKEY_CURRENT_USER, Profile("B")));
  EXPECT_EQ(std::string("B", 2), Text(HKEY_CURRENT_USER, kProfiles));
  EXPECT_EQ(Registered("B") + Registered("Other"), fake_.Log());
  EXPECT_EQ("B/0/ Other/0/ ", Names(model_[0]));
}

TEST_F(ApplyTest, NewCopyOfAProfileDeletedInTheSameApplyKeepsItsContent) {
  const std::string original = inspect::DumpTree(HKEY_CURRENT_USER, Profile("A"));
  PMAcadProfile created = Record("C", ProfileCreate);
  created.SourceName = "A";
  product_.Profiles = {Record("Other"), created, Record("A", ProfileDelete)};
  product_.CurrentProfile = "C";
  Apply();
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("A")));
  EXPECT_EQ(std::string("description of C", 17), Text(HKEY_CURRENT_USER, Profile("C")));
  seed::SetString(HKEY_CURRENT_USER, Profile("C"), "", "stored description of A");
  EXPECT_EQ(original, inspect::DumpTree(HKEY_CURRENT_USER, Profile("C")));
  EXPECT_EQ(Registered("Other") + Registered("C"), fake_.Log()) << "the deleted profile is not registered";
  EXPECT_EQ("Other/0/ C/0/ ", Names(model_[0]));
  EXPECT_EQ(std::string("C", 2), Text(HKEY_CURRENT_USER, kProfiles));
}

TEST_F(ApplyTest, ApplyingTwiceRepeatsTheSameWritesAndChangesNothingElse) {
  product_.Profiles = {Record("A"), Record("Other")};
  product_.Profiles[1].Links[1].State = LinkEnable;
  Apply();
  const std::string firstLog = fake_.Log();
  const std::string firstTree = inspect::DumpTree(HKEY_CURRENT_USER, kProfiles);
  EXPECT_EQ(Registered("A") + "RegisterAppInProfileEx|" + kId + "|Other|App1|0\n" +
                "RegisterAppInProfileEx|" + kId + "|Other|App2|0\n",
            firstLog);
  EXPECT_EQ(LinkLinked, model_[0].Profiles[1].Links[1].State) << "an enabled link is linked afterwards";
  EXPECT_EQ(LinkNotLinked, model_[0].Profiles[0].Links[1].State);
  EXPECT_EQ(std::string("description of Other", 21), Text(HKEY_CURRENT_USER, Profile("Other")));

  fake_.Reset();
  ApplyChanges(model_, fake_.Library());
  EXPECT_EQ(firstLog, fake_.Log());
  EXPECT_EQ(firstTree, inspect::DumpTree(HKEY_CURRENT_USER, kProfiles));
}

TEST_F(ApplyTest, AnApplicationUncheckedInOneProfileLeavesOnlyThatProfile) {
  product_.Profiles = {Record("A"), Record("Other")};
  product_.Profiles[0].Links[0].State = LinkNotLinked;
  Apply();
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("A") + "\\Tarnwick\\Applications\\App1"));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Other") + "\\Tarnwick\\Applications\\App1"));
  EXPECT_EQ(std::string("UnregAppInProfile|") + kId + "|A|App1\n" + "UnregAppInProfile|" + kId + "|A|App2\n" +
                Registered("Other"),
            fake_.Log());
}

TEST_F(ApplyTest, ARenameWhoseCopyFailsKeepsTheOldProfile) {
  seed::SetRaw(HKEY_CURRENT_USER, Profile("A") + "\\General", "Huge", REG_BINARY, std::string(2000, 'h'));
  const std::string original = inspect::DumpTree(HKEY_CURRENT_USER, Profile("A"));
  product_.Profiles = {Record("A")};
  product_.Profiles[0].NewName = "B";
  Apply();
  EXPECT_EQ(original, inspect::DumpTree(HKEY_CURRENT_USER, Profile("A")));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("B"))) << "the partial copy stays";
  EXPECT_EQ("B/0/ ", Names(model_[0]));
}

TEST_F(ApplyTest, ARenameThatOnlyChangesLetterCaseKeepsTheProfile) {
  const std::string original = inspect::DumpTree(HKEY_CURRENT_USER, Profile("A"));
  product_.Profiles = {Record("A")};
  product_.Profiles[0].NewName = "a";
  product_.Profiles[0].Description = "stored description of A";
  product_.CurrentProfile = "a";
  Apply();
  EXPECT_EQ(original, inspect::DumpTree(HKEY_CURRENT_USER, Profile("a")));
  EXPECT_EQ("a/0/ ", Names(model_[0]));
  EXPECT_EQ(Registered("a"), fake_.Log());
}

TEST_F(ApplyTest, FailuresAreNotRolledBackAndRecordsStillSettle) {
  PMAcadProfile fromNowhere = Record("New", ProfileCreate);
  fromNowhere.SourceName = "Missing";
  product_.Profiles = {Record("Ghost", ProfileDelete), fromNowhere, Record("A")};
  Apply();
  EXPECT_EQ("New/0/ A/0/ ", Names(model_[0]))
      << "a failed copy counts as stored, a failed delete drops the record";
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("New")));
  EXPECT_EQ(Registered("New") + Registered("A"), fake_.Log());
}

TEST_F(ApplyTest, WithoutTheLibraryProfilesStillChange) {
  product_.Profiles = {Record("A"), Record("Other", ProfileDelete)};
  product_.Profiles[0].NewName = "B";
  product_.Profiles[0].Links[1].State = LinkEnable;
  product_.CurrentProfile = "B";
  model_ = {product_};
  ApplyChanges(model_, MissingRegistrationLibrary());
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("A")));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Other")));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("B")));
  EXPECT_EQ(std::string("B", 2), Text(HKEY_CURRENT_USER, kProfiles));
  EXPECT_EQ(LinkLinked, model_[0].Profiles[0].Links[1].State);
  EXPECT_EQ("", fake_.Log());
}

TEST_F(ApplyTest, UnreadableDescriptionsSurviveAnApplyInAnotherProduct) {
  const std::string lt = "Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-1:409";
  const std::string ltProfiles = lt + "\\Profiles";
  for (const std::string& key : {std::string(kKey), lt}) {
    seed::SetString(HKEY_LOCAL_MACHINE, key, "ProductName", key);
    seed::SetString(HKEY_LOCAL_MACHINE, key, "Location", "C:\\Acad");
  }
  seed::SetString(HKEY_CURRENT_USER, ltProfiles, "", "Long");
  seed::SetRaw(HKEY_CURRENT_USER, ltProfiles + "\\Long", "", REG_SZ, std::string(600, 'l') + '\0');
  seed::SetRaw(HKEY_CURRENT_USER, ltProfiles + "\\Multi", "", REG_MULTI_SZ, std::string("one\0two\0\0", 9));
  seed::SetRaw(HKEY_CURRENT_USER, ltProfiles + "\\Binary", "", REG_BINARY, std::string("\1\0\2", 3));
  seed::SetRaw(HKEY_CURRENT_USER, ltProfiles + "\\Number", "", REG_DWORD, std::string("\5\0\0\0", 4));
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, ltProfiles);
  ConfigurationModel model;
  LoadConfiguration(model);
  PMAcad* acadLt = FindProductByKey(model, lt);
  PMAcadProfile* multi = acadLt ? FindProfileByName(*acadLt, "Multi") : nullptr;
  ASSERT_TRUE(multi);
  for (PMAcad& product : model)  // AutoCAD is found in both registry views
    if (product.Key == kKey) product.CurrentProfile = "Other";
  ApplyChanges(model, fake_.Library());
  EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, ltProfiles));
  EXPECT_EQ(std::string("Other", 6), Text(HKEY_CURRENT_USER, kProfiles));
  // A description the user gives replaces it.
  multi->Description = "typed";
  ApplyChanges(model, fake_.Library());
  EXPECT_EQ(std::string("typed", 6), Text(HKEY_CURRENT_USER, ltProfiles + "\\Multi"));
}

TEST_F(ApplyTest, ProductsAreAppliedInOrderAndMissingKeysAreNotCreated) {
  PMAcad second;
  second.Key = "Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-1:409";
  second.CurrentProfile = "X";
  second.Profiles = {Record("X")};
  product_.Profiles = {Record("A")};
  model_ = {second, product_};
  ApplyChanges(model_, fake_.Library());
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, second.Key + "\\Profiles"))
      << "neither the current profile nor a description creates keys";
  EXPECT_EQ(
      "RegisterAppInProfileEx|AutoCAD LT\\R9\\ACADLT-1:409|X|App1|0\n"
      "UnregAppInProfile|AutoCAD LT\\R9\\ACADLT-1:409|X|App2\n" +
          Registered("A"),
      fake_.Log());
}

}  // namespace

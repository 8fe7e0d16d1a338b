// The dialog's profile edits on the model: names, refusals, add, delete, rename, set current.
#include "engine/profile_rules.h"

#include <gtest/gtest.h>

#include "engine_test.h"

namespace {

// Applications Alpha, Beta, Gamma; profiles Default (current), Home, Work (renamed to Office).
PMAcad Product() {
  PMAcad product = ProductWith({"Alpha", "Beta", "Gamma"});
  product.CurrentProfile = "Default";
  product.Profiles = {NamedProfile("Default"), NamedProfile("Home"),
                      NamedProfile("Work", ProfileStored, "Office")};
  return product;
}

TEST(ProfileRules, NamesAreTheSameAsTheRegistryMatchesKeys) {
  struct Row {
    std::string a, b;
    bool same;
  };
  const Row rows[] = {
      {"Work", "wORK", true},           // letter case
      {"co-op", "coop", false},         // a word sort would call these equal
      {"Work", "Work ", false},         // a trailing space
      {"Strasse", "Stra\337e", false},  // sharp s
      {"\xC9mile", "\xE9MILE", true},   // non-ASCII letters fold too (a case pair in 1250, 1251 and 1252)
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].same, SameProfileName(rows[row].a, rows[row].b)) << "row " << row;
}

TEST(ProfileRules, NamesForNewAndRenamedProfiles) {
  const StringList taken = NamesInUse(Product());
  ASSERT_EQ((StringList{"Default", "Home", "Work", "Office"}), taken);
  struct Row {
    const char* oldName;  // null: a new profile
    std::string name;
    ProfileRefusal refusal;
  };
  const Row rows[] = {
      {nullptr, "Studio", ProfileRefusal::None},
      {nullptr, "WORK", ProfileRefusal::NameInUse},    // a name a pending rename replaces
      {nullptr, "office", ProfileRefusal::NameInUse},  // a pending new name
      {nullptr, "", ProfileRefusal::EmptyName},
      {nullptr, "a\\b", ProfileRefusal::NotKeyName},
      {nullptr, std::string(255, 'k'), ProfileRefusal::None},
      {nullptr, std::string(256, 'k'), ProfileRefusal::NotKeyName},
      {"Home", "HOME", ProfileRefusal::None},  // letter case only: accepted, the name stays
      {"Home", "Default", ProfileRefusal::NameInUse},
      {"Home", "", ProfileRefusal::EmptyName},
      {"Home", "Den", ProfileRefusal::None},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    const Row& r = rows[row];
    EXPECT_EQ(r.refusal, r.oldName ? CheckRename(taken, r.oldName, r.name) : CheckNewName(taken, r.name))
        << "row " << row;
  }
}

TEST(ProfileRules, DeleteRefusesTheCurrentTheLastAndTheParkedProfile) {
  struct Row {
    std::string current;
    size_t profile;
    std::string parked;
    ProfileRefusal refusal;
  };
  const Row rows[] = {
      {"Default", 1, "", ProfileRefusal::None},
      {"DEFAULT", 0, "", ProfileRefusal::CurrentProfile},  // the registry's name in other letter case
      {"Office", 2, "", ProfileRefusal::CurrentProfile},   // current by its pending new name
      {"Default", 1, "home", ProfileRefusal::ParkedProfile},
      {"Default", 2, "Office", ProfileRefusal::None},  // parked under its stored name only
      {"Home", 0, "default", ProfileRefusal::ParkedProfile},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    PMAcad product = Product();
    product.CurrentProfile = rows[row].current;
    EXPECT_EQ(rows[row].refusal, CheckDelete(product, product.Profiles[rows[row].profile], rows[row].parked))
        << "row " << row;
  }
  PMAcad product = Product();
  product.CurrentProfile = "Elsewhere";
  MarkDeleted(product, product.Profiles[0]);
  MarkDeleted(product, product.Profiles[0]);
  EXPECT_EQ(ProfileRefusal::LastProfile, CheckDelete(product, *ListedProfile(product, 0), ""));
}

TEST(ProfileRules, DeletedProfilesMoveToTheEndAndAddedOnesAreListedAfterTheOthers) {
  PMAcad product = Product();
  product.CurrentProfile = "Office";
  PMAcadProfile& work = product.Profiles[2];
  work.Links.resize(3);
  for (int i = 0; i < 3; ++i) {  // stored in another order than the applications
    work.Links[2 - i].Name = product.Applications[i].Name;
    work.Links[2 - i].State = i;
  }
  PMAcadProfile* added = AddProfile(product, 2, "Studio", "copy of office");
  ASSERT_NE(nullptr, added);
  EXPECT_EQ(nullptr, AddProfile(product, 4, "Never", ""));
  EXPECT_EQ("Work", added->SourceName);  // the stored name behind the pending one
  std::string links;
  for (const PMAcadAppLink& link : added->Links)
    links += link.Name + ":" + std::to_string(link.State) + ":" + std::to_string(link.Application) + " ";
  EXPECT_EQ("Alpha:0:0 Beta:1:1 Gamma:2:2 ", links);

  MarkDeleted(product, product.Profiles[2]);  // drops the pending rename
  MarkDeleted(product, product.Profiles[0]);
  EXPECT_EQ("Home/0 Studio/1 Work/2 Default/2", Shown(product));
  EXPECT_EQ(2, ListedProfileCount(product));
  EXPECT_EQ(&product.Profiles[1], ListedProfile(product, 1));
  EXPECT_EQ(nullptr, ListedProfile(product, 2));
  EXPECT_EQ(-1, CurrentProfileItem(product));
  MakeCurrent(product, product.Profiles[1]);
  EXPECT_EQ("Studio", product.CurrentProfile);
  EXPECT_EQ(1, CurrentProfileItem(product));
}

TEST(ProfileRules, RenameKeepsTheNameForLetterCaseNamesInUseAndTheParkedProfile) {
  struct Row {
    size_t profile;
    std::string newName;
    std::string parked;
    ProfileRefusal refusal;
    std::string profiles;
    std::string current;
  };
  const ProfileRefusal kept = ProfileRefusal::NameInUse;
  const Row rows[] = {
      {1, "Den", "", ProfileRefusal::None, "Default/0 Home>Den/0 Work>Office/0 New/1", "DEFAULT"},
      {1, "HOME", "", kept, "Default/0 Home/0 Work>Office/0 New/1", "DEFAULT"},
      {1, "work", "", kept, "Default/0 Home/0 Work>Office/0 New/1", "DEFAULT"},
      {1, "Den", "HOME", ProfileRefusal::ParkedProfile, "Default/0 Home/0 Work>Office/0 New/1", "DEFAULT"},
      {0, "Main", "", ProfileRefusal::None, "Default>Main/0 Home/0 Work>Office/0 New/1", "Main"},
      // Not created yet: the name itself changes, and no run can have it parked.
      {3, "Newer", "New", ProfileRefusal::None, "Default/0 Home/0 Work>Office/0 Newer/1", "DEFAULT"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    PMAcad product = Product();
    product.CurrentProfile = "DEFAULT";
    product.Profiles.push_back(NamedProfile("New", ProfileCreate));
    PMAcadProfile& profile = product.Profiles[rows[row].profile];
    EXPECT_EQ(rows[row].refusal,
              RenameProfile(product, profile, rows[row].newName, "described", rows[row].parked))
        << "row " << row;
    EXPECT_EQ(rows[row].profiles, Shown(product)) << "row " << row;
    EXPECT_EQ(rows[row].current, product.CurrentProfile) << "row " << row;
    EXPECT_EQ("described", profile.Description) << "row " << row;
  }
}

}  // namespace

// RegisterAppInProfileEx, UnregAppInProfile and UnregAppsInProfile: links below HKEY_CURRENT_USER.
#include "regdll_fixture.h"

namespace {

const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";

class ProfileLinksTest : public RegdllTest {
 protected:
  void SetUp() override {
    RegdllTest::SetUp();
    CreateProfile(kId, "Work");
  }
  std::string Link(const std::string& app, const std::string& profile = "Work") {
    return LinksKey(kId, profile) + "\\" + app;
  }
  StoredValue Order(const std::string& app, const std::string& profile = "Work") {
    return Value(HKEY_CURRENT_USER, Link(app, profile), "LoadOrder");
  }
  Names Links(const std::string& profile = "Work") {
    return Subkeys(HKEY_CURRENT_USER, LinksKey(kId, profile));
  }
  void Register(const Names& apps) {
    for (const std::string& app : apps)
      ASSERT_NE(0, RegisterAppInProfileEx(kId, "Work", app.c_str(), 0)) << app;
  }
};

TEST_F(ProfileLinksTest, EveryApplyReadsBackInItsOwnOrder) {
  // Each round is one apply: every enabled link registered in list order, disabled ones unregistered.
  struct Round {
    Names registered;
    Names unregistered;
    const char* links;  // read back: each link numbered after the largest of the others
  };
  const Round rounds[] = {
      {{"A", "B", "C"}, {}, "A=1 B=2 C=3"},
      {{"B", "A", "C"}, {}, "B=4 A=5 C=6"},
      {{"B", "A", "C"}, {}, "B=7 A=8 C=9"},
      {{"C", "B", "A"}, {}, "C=9 B=10 A=11"},
      {{"A", "C"}, {"B"}, "A=11 C=12"},
      {{"B", "A", "C"}, {}, "B=13 A=14 C=15"},
      {{"D", "C", "B", "A"}, {}, "D=16 C=17 B=18 A=19"},
  };
  for (size_t i = 0; i < sizeof rounds / sizeof rounds[0]; ++i) {
    Register(rounds[i].registered);
    for (const std::string& app : rounds[i].unregistered)
      ASSERT_NE(0, UnregAppInProfile(kId, "Work", app.c_str())) << "round " << i << " " << app;
    EXPECT_EQ(rounds[i].links, inspect::LinkOrder(HKEY_CURRENT_USER, LinksKey(kId, "Work"), k64))
        << "round " << i;
    if (i > 0) continue;
    // New links are numbered from 1; the profile is left as it was, apart from the program's own key.
    EXPECT_EQ(
        "=Profile Work\nTarnwick\\Applications\\A\\LoadOrder=#1\nTarnwick\\Applications\\A\\MenuLoaded=#0\n"
        "Tarnwick\\Applications\\B\\LoadOrder=#2\nTarnwick\\Applications\\B\\MenuLoaded=#0\n"
        "Tarnwick\\Applications\\C\\LoadOrder=#3\nTarnwick\\Applications\\C\\MenuLoaded=#0\n",
        Tree(HKEY_CURRENT_USER, ProfileKey(kId, "Work")));
    EXPECT_EQ(Names{"Tarnwick"}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kId, "Work")));
  }
}

TEST_F(ProfileLinksTest, ReRegistrationKeepsMenuLoadedAndRepairsMalformedValues) {
  SetDword(HKEY_CURRENT_USER, Link("A"), "MenuLoaded", 1);
  SetDword(HKEY_CURRENT_USER, Link("A"), "LoadOrder", 9);
  SetString(HKEY_CURRENT_USER, Link("B"), "MenuLoaded", "1");
  SetRaw(HKEY_CURRENT_USER, Link("B"), "LoadOrder", REG_BINARY, std::string("\x05\x00\x00\x00", 4));
  SetRaw(HKEY_CURRENT_USER, Link("C"), "MenuLoaded", REG_DWORD, std::string("\x01\x00", 2));
  SetString(HKEY_CURRENT_USER, Link("C"), "Extra", "kept");
  Register({"A", "B", "C"});
  EXPECT_EQ(
      "A\\LoadOrder=#1\nA\\MenuLoaded=#1\n"  // B's binary order counts as none
      "B\\LoadOrder=#2\nB\\MenuLoaded=#0\nC\\Extra=kept\nC\\LoadOrder=#3\nC\\MenuLoaded=#0\n",
      Tree(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
}

TEST_F(ProfileLinksTest, NamesDifferingInCaseAreTheSameLink) {
  Register({"MyApp", "Other", "myapp"});
  EXPECT_EQ((Names{"MyApp", "Other"}), Links());
  EXPECT_EQ(Dword(3), Order("MyApp"));
  EXPECT_NE(0, RegisterAppInProfileEx(kId, "WORK", "Last", 0));
  EXPECT_EQ(Dword(4), Order("Last"));
}

TEST_F(ProfileLinksTest, NumbersAreCompactedWhenTheNextOneWouldNotFit) {
  struct Row {
    DWORD a, b, c;      // stored before
    const char* after;  // the links after registering D
  };
  const Row rows[] = {
      {0xFFFFFFFE, 0xFFFFFFFF, 0, "A=1 B=2 D=3 C=0"},
      {0xFFFFFFFF, 0xFFFFFFFF, 7, "C=1 A=2 B=2 D=3"},
      {0xFFFFFFFF, 5, 5, "B=1 C=1 A=2 D=3"},
      {0xFFFFFFFD, 0xFFFFFFFE, 0, "A=4294967293 B=4294967294 D=4294967295 C=0"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::string profile = "P" + std::to_string(i);
    CreateProfile(kId, profile);
    SetDword(HKEY_CURRENT_USER, Link("A", profile), "LoadOrder", rows[i].a);
    SetDword(HKEY_CURRENT_USER, Link("B", profile), "LoadOrder", rows[i].b);
    SetDword(HKEY_CURRENT_USER, Link("C", profile), "LoadOrder", rows[i].c);
    ASSERT_NE(0, RegisterAppInProfileEx(kId, profile.c_str(), "D", 0)) << "row " << i;
    EXPECT_EQ(rows[i].after, inspect::LinkOrder(HKEY_CURRENT_USER, LinksKey(kId, profile), k64))
        << "row " << i;
  }
}

TEST_F(ProfileLinksTest, RegistrationNeedsAnExistingProfileAndSoundArguments) {
  CreateProfile("AutoCAD LT\\R9\\ACADLT-1:409", "Work");
  CreateProfile("Inventor\\R16.0\\INV-1:409", "Work");  // not an AutoCAD product
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, "Software");
  const std::string longName(256, 'n');
  struct Row {
    const char* id;
    const char* profile;
    const char* app;
    int reserved;
  };
  const Row rows[] = {
      {kId, "Missing", "A", 0},
      {"AutoCAD\\R16.0\\OTHER", "Work", "A", 0},
      {"AutoCAD\\R17.0\\ACAD-201:409", "Work", "A", 0},
      {nullptr, "Work", "A", 0},
      {"", "Work", "A", 0},
      {"AutoCAD\\R16.0", "Work", "A", 0},
      {"Inventor\\R16.0\\INV-1:409", "Work", "A", 0},
      {"AutoCAD LT\\R9\\ACADLT-1:409\\Profiles\\Work", "Work", "A", 0},
      {kId, nullptr, "A", 0},
      {kId, "Work\\Tarnwick", "A", 0},
      {kId, "..\\Work", "A", 0},
      {kId, "Work", nullptr, 0},
      {kId, "Work", "", 0},
      {kId, "Work", "A\\B", 0},
      {kId, "Work", "\\A", 0},
      {kId, "Work", "A\\", 0},
      {kId, "Work", longName.c_str(), 0},
      {kId, "Work", "A", 1},
      {kId, "Work", "A", -1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(0, RegisterAppInProfileEx(rows[i].id, rows[i].profile, rows[i].app, rows[i].reserved))
        << "row " << i;
  EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, "Software"));
  // Wine's ANSI registry functions take paths of up to 260 characters, so a long name that fits.
  const std::string longName150(150, 'n');
  EXPECT_NE(0, RegisterAppInProfileEx(kId, "Work", longName150.c_str(), 0));
  EXPECT_EQ(Dword(1), Order(longName150));
}

TEST_F(ProfileLinksTest, AFailedRegistrationLeavesNothingBehind) {
  // A volatile Tarnwick key refuses the lasting Applications key below it.
  seed::CreatePath(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", 0, REG_OPTION_VOLATILE);
  SetDword(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", "RunPM", 1);
  EXPECT_EQ(0, RegisterAppInProfileEx(kId, "Work", "A", 0));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick"));
  EXPECT_EQ(Dword(1), Value(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", "RunPM"));

  // B may be read and deleted but not written, so renumbering stops at B after A was renumbered.
  CreateProfile(kId, "Home");
  SetDword(HKEY_CURRENT_USER, Link("A", "Home"), "LoadOrder", 0xFFFFFFFE);
  SetDword(HKEY_CURRENT_USER, Link("B", "Home"), "LoadOrder", 0xFFFFFFFF);
  seed::SetAccess(HKEY_CURRENT_USER, Link("B", "Home"), kReadAndDelete);
  EXPECT_EQ(0, RegisterAppInProfileEx(kId, "Home", "D", 0));
  EXPECT_EQ(Dword(0xFFFFFFFE), Order("A", "Home"));
  EXPECT_EQ(Dword(0xFFFFFFFF), Order("B", "Home"));
  EXPECT_EQ((Names{"A", "B"}), Links("Home"));
}

TEST_F(ProfileLinksTest, UnregisteringOneLinkRemovesItWithEverythingBelow) {
  Register({"A", "B"});
  SetString(HKEY_CURRENT_USER, Link("A") + "\\Deep\\Deeper\\Deepest", "V", "x");
  SetString(HKEY_CURRENT_USER, Link("A") + "\\Side", "V", "y");
  EXPECT_NE(0, UnregAppInProfile(kId, "Work", "a"));
  EXPECT_EQ(Names{"B"}, Links());
  EXPECT_EQ(Dword(2), Order("B"));
  // Gone already, never there, or malformed: nothing to remove; the profile is looked up as for registering.
  SetString(HKEY_CURRENT_USER, Link("B") + "\\C", "V", "x");
  const std::string longName(256, 'B');
  struct Row {
    const char* id;
    const char* profile;
    const char* app;
  };
  const Row rows[] = {
      {kId, "Work", "A"},     {kId, "Work", "Never"}, {kId, "Work", "B\\C"},           {kId, "Work", ""},
      {kId, "Work", nullptr}, {kId, "Missing", "B"},  {kId, "Work", longName.c_str()},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(0, UnregAppInProfile(rows[i].id, rows[i].profile, rows[i].app)) << "row " << i;
  EXPECT_EQ(Names{"C"}, Subkeys(HKEY_CURRENT_USER, Link("B")));
}

TEST_F(ProfileLinksTest, UnregisteringAllLinksEmptiesTheProfilesLinks) {
  EXPECT_NE(0, UnregAppsInProfile(kId, "Work")) << "a profile without links";
  Register({"A", "B", "C"});
  SetString(HKEY_CURRENT_USER, Link("B") + "\\Deep\\Deeper", "V", "x");
  SetDword(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", "RunPM", 1);
  CreateProfile(kId, "Home");
  ASSERT_NE(0, RegisterAppInProfileEx(kId, "Home", "A", 0));

  EXPECT_NE(0, UnregAppsInProfile(kId, "work"));
  EXPECT_EQ(Names{}, Links());
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, LinksKey(kId, "Work"), k64));
  EXPECT_EQ(Dword(1), Value(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", "RunPM"));
  EXPECT_EQ(Names{"A"}, Links("Home"));
  // A link that cannot be deleted fails the call; the others are deleted all the same.
  Register({"A", "B", "C"});
  seed::SetAccess(HKEY_CURRENT_USER, Link("B"), kUnreadable);
  EXPECT_EQ(0, UnregAppsInProfile(kId, "Work"));
  EXPECT_EQ(Names{"B"}, Links());
  seed::SetAccess(HKEY_CURRENT_USER, Link("B"), kReadAndDelete);
  EXPECT_NE(0, UnregAppsInProfile(kId, "Work"));
  // Registering afterwards starts again from 1.
  Register({"C"});
  EXPECT_EQ(Dword(1), Order("C"));

  // The profile is looked up as for registering.
  const char* rows[][2] = {{kId, "Missing"}, {nullptr, "Work"}, {kId, nullptr}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(0, UnregAppsInProfile(rows[i][0], rows[i][1])) << "row " << i;
  EXPECT_EQ(Names{"C"}, Links());
}

}  // namespace

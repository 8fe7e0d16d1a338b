// RegisterAppInProfileEx, UnregAppInProfile and UnregAppsInProfile: links below HKEY_CURRENT_USER.
#include <string>
#include <vector>

#include "regdll/QvApmReg.h"
#include "regdll_fixture.h"

namespace {

const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";

using Names = std::vector<std::string>;

class ProfileLinksTest : public RegdllTest {
 protected:
  void SetUp() override {
    RegdllTest::SetUp();
    CreateProfile(kId, "Work");
  }
  std::string Link(const std::string& app) { return LinksKey(kId, "Work") + "\\" + app; }
  void Register(const Names& apps) {
    for (const std::string& app : apps)
      ASSERT_NE(0, RegisterAppInProfileEx(kId, "Work", app.c_str(), 0)) << app;
  }
};

TEST_F(ProfileLinksTest, NewLinksAreNumberedInCallOrder) {
  Register({"A", "B", "C"});
  EXPECT_EQ((Names{"A", "B", "C"}), Subkeys(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
  const DWORD expected[] = {1, 2, 3};
  const char* apps[] = {"A", "B", "C"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ((Names{"LoadOrder", "MenuLoaded"}), ValueNames(HKEY_CURRENT_USER, Link(apps[i]))) << apps[i];
    EXPECT_EQ(Dword(expected[i]), Value(HKEY_CURRENT_USER, Link(apps[i]), "LoadOrder")) << apps[i];
    EXPECT_EQ(Dword(0), Value(HKEY_CURRENT_USER, Link(apps[i]), "MenuLoaded")) << apps[i];
  }
  // The profile itself is left as it was, apart from the program's own key.
  EXPECT_EQ(Sz("Profile Work"), Value(HKEY_CURRENT_USER, ProfileKey(kId, "Work"), ""));
  EXPECT_EQ(Names{"Tarnwick"}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kId, "Work")));
}

TEST_F(ProfileLinksTest, EveryApplyReadsBackInItsOwnOrder) {
  // Each round is one apply: every enabled link registered in list order, disabled ones unregistered.
  struct Round {
    Names registered;
    Names unregistered;
  };
  const Round rounds[] = {
      {{"A", "B", "C"}, {}}, {{"B", "A", "C"}, {}}, {{"B", "A", "C"}, {}},      {{"C", "B", "A"}, {}},
      {{"A", "C"}, {"B"}},   {{"B", "A", "C"}, {}}, {{"D", "C", "B", "A"}, {}},
  };
  for (size_t i = 0; i < sizeof rounds / sizeof rounds[0]; ++i) {
    for (const std::string& app : rounds[i].registered)
      ASSERT_NE(0, RegisterAppInProfileEx(kId, "Work", app.c_str(), 0)) << "round " << i << " " << app;
    for (const std::string& app : rounds[i].unregistered)
      ASSERT_NE(0, UnregAppInProfile(kId, "Work", app.c_str())) << "round " << i << " " << app;
    EXPECT_EQ(rounds[i].registered, LinkOrder(kId, "Work")) << "round " << i;
  }
}

TEST_F(ProfileLinksTest, ReRegistrationKeepsMenuLoadedAndRepairsMalformedValues) {
  SetDword(HKEY_CURRENT_USER, Link("A"), "MenuLoaded", 1);
  SetDword(HKEY_CURRENT_USER, Link("A"), "LoadOrder", 9);
  SetString(HKEY_CURRENT_USER, Link("B"), "MenuLoaded", "1");
  SetRaw(HKEY_CURRENT_USER, Link("B"), "LoadOrder", REG_BINARY, std::string("\x05\x00\x00\x00", 4));
  SetRaw(HKEY_CURRENT_USER, Link("C"), "MenuLoaded", REG_DWORD, std::string("\x01\x00", 2));
  SetString(HKEY_CURRENT_USER, Link("C"), "Extra", "kept");
  Register({"A"});
  EXPECT_EQ(Dword(1), Value(HKEY_CURRENT_USER, Link("A"), "MenuLoaded"));
  EXPECT_EQ(Dword(1), Value(HKEY_CURRENT_USER, Link("A"), "LoadOrder"));  // B's binary order counts as none
  Register({"B", "C"});
  EXPECT_EQ(Dword(0), Value(HKEY_CURRENT_USER, Link("B"), "MenuLoaded"));
  EXPECT_EQ(Dword(2), Value(HKEY_CURRENT_USER, Link("B"), "LoadOrder"));
  EXPECT_EQ(Dword(0), Value(HKEY_CURRENT_USER, Link("C"), "MenuLoaded"));
  EXPECT_EQ(Dword(3), Value(HKEY_CURRENT_USER, Link("C"), "LoadOrder"));
  EXPECT_EQ(Sz("kept"), Value(HKEY_CURRENT_USER, Link("C"), "Extra"));
  EXPECT_EQ((Names{"A", "B", "C"}), LinkOrder(kId, "Work"));
}

TEST_F(ProfileLinksTest, NamesDifferingInCaseAreTheSameLink) {
  Register({"MyApp", "Other", "myapp"});
  EXPECT_EQ((Names{"MyApp", "Other"}), Subkeys(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
  EXPECT_EQ(Dword(3), Value(HKEY_CURRENT_USER, Link("MyApp"), "LoadOrder"));
  EXPECT_NE(0, RegisterAppInProfileEx(kId, "WORK", "Last", 0));
  EXPECT_EQ((Names{"Other", "MyApp", "Last"}), LinkOrder(kId, "Work"));
}

TEST_F(ProfileLinksTest, NumbersAreCompactedWhenTheNextOneWouldNotFit) {
  struct Row {
    DWORD a, b, c;              // stored before
    DWORD newA, newB, newC, d;  // after registering D
  };
  const Row rows[] = {
      {0xFFFFFFFE, 0xFFFFFFFF, 0, 1, 2, 0, 3},
      {0xFFFFFFFF, 0xFFFFFFFF, 7, 2, 2, 1, 3},
      {0xFFFFFFFF, 5, 5, 2, 1, 1, 3},
      {0xFFFFFFFD, 0xFFFFFFFE, 0, 0xFFFFFFFD, 0xFFFFFFFE, 0, 0xFFFFFFFF},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::string profile = "P" + std::to_string(i);
    CreateProfile(kId, profile);
    const std::string links = LinksKey(kId, profile);
    SetDword(HKEY_CURRENT_USER, links + "\\A", "LoadOrder", rows[i].a);
    SetDword(HKEY_CURRENT_USER, links + "\\B", "LoadOrder", rows[i].b);
    SetDword(HKEY_CURRENT_USER, links + "\\C", "LoadOrder", rows[i].c);
    const Names before = LinkOrder(kId, profile);
    ASSERT_NE(0, RegisterAppInProfileEx(kId, profile.c_str(), "D", 0)) << "row " << i;
    EXPECT_EQ(Dword(rows[i].newA), Value(HKEY_CURRENT_USER, links + "\\A", "LoadOrder")) << "row " << i;
    EXPECT_EQ(Dword(rows[i].newB), Value(HKEY_CURRENT_USER, links + "\\B", "LoadOrder")) << "row " << i;
    EXPECT_EQ(Dword(rows[i].newC), Value(HKEY_CURRENT_USER, links + "\\C", "LoadOrder")) << "row " << i;
    EXPECT_EQ(Dword(rows[i].d), Value(HKEY_CURRENT_USER, links + "\\D", "LoadOrder")) << "row " << i;
    // Ordered links keep their order and D comes after them.
    Names ordered;
    for (const std::string& name : before)
      if (!(Value(HKEY_CURRENT_USER, links + "\\" + name, "LoadOrder") == Dword(0))) ordered.push_back(name);
    ordered.push_back("D");
    for (const std::string& name : before)
      if (Value(HKEY_CURRENT_USER, links + "\\" + name, "LoadOrder") == Dword(0)) ordered.push_back(name);
    EXPECT_EQ(ordered, LinkOrder(kId, profile)) << "row " << i;
  }
}

TEST_F(ProfileLinksTest, RegistrationNeedsAnExistingProfileAndSoundArguments) {
  CreateProfile("AutoCAD LT\\R9\\ACADLT-1:409", "Work");
  const std::string longName(256, 'n');
  // Wine's ANSI registry functions take paths of up to 260 characters, so a long name that fits.
  const std::string longName150(150, 'n');
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
      {"AutoCAD LT\\R9\\ACADLT-1:409\\Profiles\\Work", "Work", "A", 0},
      {kId, nullptr, "A", 0},
      {kId, "", "A", 0},
      {kId, "Work\\Tarnwick", "A", 0},
      {kId, "..\\Work", "A", 0},
      {kId, longName.c_str(), "A", 0},
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
  // No profile was created, nothing was linked.
  EXPECT_EQ(Names{"Work"},
            Subkeys(HKEY_CURRENT_USER, "Software\\Autodesk\\" + std::string(kId) + "\\Profiles"));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kId, "Work")));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, ProfileKey("AutoCAD LT\\R9\\ACADLT-1:409", "Work")));
  EXPECT_EQ((Names{"AutoCAD", "AutoCAD LT"}), Subkeys(HKEY_CURRENT_USER, "Software\\Autodesk"));
  EXPECT_NE(0, RegisterAppInProfileEx(kId, "Work", longName150.c_str(), 0));
  EXPECT_EQ(Dword(1), Value(HKEY_CURRENT_USER, Link(longName150), "LoadOrder"));
}

TEST_F(ProfileLinksTest, AFailedRegistrationLeavesNothingBehind) {
  // A volatile Tarnwick key refuses the lasting Applications key below it.
  CreateKey(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", 0, true);
  SetDword(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", "RunPM", 1);
  EXPECT_EQ(0, RegisterAppInProfileEx(kId, "Work", "A", 0));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick"));
  EXPECT_EQ(Dword(1), Value(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", "RunPM"));
}

TEST_F(ProfileLinksTest, AFailureWhileRenumberingRestoresTheOtherLinks) {
  // B may be read and deleted but not written, so renumbering stops at B after A was renumbered.
  SetDword(HKEY_CURRENT_USER, Link("A"), "LoadOrder", 0xFFFFFFFE);
  SetDword(HKEY_CURRENT_USER, Link("B"), "LoadOrder", 0xFFFFFFFF);
  seed::SetAccess(HKEY_CURRENT_USER, Link("B"), kReadAndDelete);

  EXPECT_EQ(0, RegisterAppInProfileEx(kId, "Work", "D", 0));
  EXPECT_EQ(Dword(0xFFFFFFFE), Value(HKEY_CURRENT_USER, Link("A"), "LoadOrder"));
  EXPECT_EQ(Dword(0xFFFFFFFF), Value(HKEY_CURRENT_USER, Link("B"), "LoadOrder"));
  EXPECT_EQ((Names{"A", "B"}), Subkeys(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
}

TEST_F(ProfileLinksTest, UnregisteringOneLinkRemovesItWithEverythingBelow) {
  Register({"A", "B"});
  SetString(HKEY_CURRENT_USER, Link("A") + "\\Deep\\Deeper\\Deepest", "V", "x");
  SetString(HKEY_CURRENT_USER, Link("A") + "\\Side", "V", "y");
  EXPECT_NE(0, UnregAppInProfile(kId, "Work", "a"));
  EXPECT_EQ(Names{"B"}, Subkeys(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
  EXPECT_EQ(Dword(2), Value(HKEY_CURRENT_USER, Link("B"), "LoadOrder"));
  // Gone already, or never there: nothing to remove.
  EXPECT_EQ(0, UnregAppInProfile(kId, "Work", "A"));
  EXPECT_EQ(0, UnregAppInProfile(kId, "Work", "Never"));
  EXPECT_EQ(Names{"B"}, Subkeys(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
}

TEST_F(ProfileLinksTest, UnregisteringOneLinkRefusesMalformedArguments) {
  Register({"A"});
  SetString(HKEY_CURRENT_USER, LinksKey(kId, "Work") + "\\A\\B", "V", "x");
  const std::string longName(256, 'A');
  struct Row {
    const char* id;
    const char* profile;
    const char* app;
  };
  const Row rows[] = {
      {kId, "Work", "A\\B"},  {kId, "Work", ""},
      {kId, "Work", nullptr}, {kId, "Work", longName.c_str()},
      {kId, "Missing", "A"},  {kId, "Work\\Tarnwick\\Applications", "A"},
      {kId, "", "A"},         {kId, nullptr, "A"},
      {nullptr, "Work", "A"}, {"AutoCAD\\R16.0\\ACAD-201:409\\Profiles", "Work", "A"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(0, UnregAppInProfile(rows[i].id, rows[i].profile, rows[i].app)) << "row " << i;
  EXPECT_EQ(Names{"B"}, Subkeys(HKEY_CURRENT_USER, Link("A")));
}

TEST_F(ProfileLinksTest, UnregisteringAllLinksEmptiesTheProfilesLinks) {
  Register({"A", "B", "C"});
  SetString(HKEY_CURRENT_USER, Link("B") + "\\Deep\\Deeper", "V", "x");
  SetDword(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", "RunPM", 1);
  CreateProfile(kId, "Home");
  ASSERT_NE(0, RegisterAppInProfileEx(kId, "Home", "A", 0));

  EXPECT_NE(0, UnregAppsInProfile(kId, "work"));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
  EXPECT_TRUE(Exists(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
  EXPECT_EQ(Dword(1), Value(HKEY_CURRENT_USER, ProfileKey(kId, "Work") + "\\Tarnwick", "RunPM"));
  EXPECT_EQ(Names{"A"}, Subkeys(HKEY_CURRENT_USER, LinksKey(kId, "Home")));
  // A link that cannot be deleted fails the call; the others are deleted all the same.
  Register({"A", "B", "C"});
  seed::SetAccess(HKEY_CURRENT_USER, Link("B"), kUnreadable);
  EXPECT_EQ(0, UnregAppsInProfile(kId, "Work"));
  EXPECT_EQ(Names{"B"}, Subkeys(HKEY_CURRENT_USER, LinksKey(kId, "Work")));
  seed::SetAccess(HKEY_CURRENT_USER, Link("B"), kReadAndDelete);
  EXPECT_NE(0, UnregAppsInProfile(kId, "Work"));
  // Registering afterwards starts again from 1.
  Register({"C"});
  EXPECT_EQ(Dword(1), Value(HKEY_CURRENT_USER, Link("C"), "LoadOrder"));
}

TEST_F(ProfileLinksTest, UnregisteringAllLinksOfAProfileWithoutLinksSucceeds) {
  EXPECT_NE(0, UnregAppsInProfile(kId, "Work"));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kId, "Work")));
  const std::string longName(256, 'W');
  struct Row {
    const char* id;
    const char* profile;
  };
  const Row rows[] = {{kId, "Missing"},
                      {kId, ""},
                      {kId, nullptr},
                      {kId, "Work\\Tarnwick"},
                      {kId, longName.c_str()},
                      {nullptr, "Work"},
                      {"AutoCAD\\R16.0\\X", "Work"},
                      {"AutoCAD\\R16.0\\ACAD-201:409\\Profiles\\Work", "Tarnwick"}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(0, UnregAppsInProfile(rows[i].id, rows[i].profile)) << "row " << i;
  EXPECT_EQ((Names{"Work"}),
            Subkeys(HKEY_CURRENT_USER, "Software\\Autodesk\\" + std::string(kId) + "\\Profiles"));
}

}  // namespace

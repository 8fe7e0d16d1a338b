// DeleteProfileAllAcads and UnregAppInPManAllAcads: removal across every product.
#include "regdll_fixture.h"

namespace {

const char kAcad16[] = "AutoCAD\\R16.0\\ACAD-201:409";
const char kAcad17[] = "AutoCAD\\R17.0\\ACAD-5001:409";
const char kLt[] = "AutoCAD LT\\R9\\ACADLT-1:409";

class CleanupTest : public RegdllTest {
 protected:
  static std::string Product(const std::string& id) { return "Software\\Autodesk\\" + id; }
  void SetProfiles(const std::string& id, const std::string& name, const std::string& profile) {
    SetString(HKEY_CURRENT_USER, Product(id) + "\\Profiles", name, profile);
  }
  Names Profiles(const std::string& id) { return Subkeys(HKEY_CURRENT_USER, Product(id) + "\\Profiles"); }
  // Where the library keeps a product's registrations (the raw path in view).
  static std::string Root(const std::string& id, REGSAM view) {
    const bool qvApps = id.find("\\R15.0\\") != std::string::npos;
    return RawMachinePath(view, Product(id) + (qvApps ? "\\QVApps\\Tarnwick" : "\\Applications\\Tarnwick"));
  }
  // A registration as the library writes it, in the given view.
  void Register(const std::string& id, REGSAM view, const std::string& app, DWORD order) {
    CreateProduct(id, view);
    const std::string root = Root(id, view);
    SetString(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + app, "Loader", app + ".arx", k64);
    SetString(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + app + "\\Nested\\Deeper", "V", "x", k64);
    SetDword(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", app, order, k64);
  }
  void Link(const std::string& id, const std::string& profile, const std::string& app) {
    ASSERT_NE(0, RegisterAppInProfileEx(id.c_str(), profile.c_str(), app.c_str(), 0))
        << profile << " " << app;
  }
};

TEST_F(CleanupTest, DeletesTheProfileInEveryProductButWhereItIsCurrent) {
  CreateProfile(kAcad16, "Work");
  CreateProfile(kAcad16, "Other");
  SetProfiles(kAcad16, "", "Other");
  SetString(HKEY_CURRENT_USER, ProfileKey(kAcad16, "Work") + "\\Deep\\Deeper\\Deepest", "V", "x");
  CreateProfile(kAcad17, "WORK");
  SetProfiles(kAcad17, "", "Default");
  CreateProfile(kLt, "Work");
  SetProfiles(kLt, "", "work");  // current, compared ignoring case
  CreateProfile("AutoCAD\\R18.0\\ACAD-8001:409", "Work");
  SetProfiles("AutoCAD\\R18.0\\ACAD-8001:409", "Tarnwikc", "WoRk");  // parked by a run of the program
  CreateProfile("Inventor\\R1\\INV-1", "Work");                      // not an AutoCAD product

  EXPECT_NE(0, DeleteProfileAllAcads("wOrK"));
  EXPECT_EQ(Names{"Other"}, Profiles(kAcad16));
  EXPECT_EQ(Names{}, Profiles(kAcad17));
  EXPECT_EQ(Sz("Default"), Value(HKEY_CURRENT_USER, Product(kAcad17) + "\\Profiles", ""));
  EXPECT_EQ(Names{"Work"}, Profiles(kLt));
  EXPECT_EQ(Names{"Work"}, Profiles("AutoCAD\\R18.0\\ACAD-8001:409"));
  EXPECT_EQ(Names{"Work"}, Profiles("Inventor\\R1\\INV-1"));
}

TEST_F(CleanupTest, DeletingAProfileRefusesMalformedNamesAndProfilesInUse) {
  CreateProfile(kAcad16, "Work");
  SetProfiles(kAcad16, "", "Work");
  SetString(HKEY_CURRENT_USER, ProfileKey(kAcad16, "Work") + "\\Sub", "V", "x");
  CreateProfile(kAcad17, "Home");
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, "Software\\Autodesk");
  const std::string longName(256, 'W');
  const char* names[] = {nullptr,  "",       "Work\\Sub",      "..\\Profiles",
                         "\\Work", "Work\\", longName.c_str(), "Work" /* only where it is current */,
                         "Nowhere"};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
    EXPECT_EQ(0, DeleteProfileAllAcads(names[i])) << "row " << i;
    EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, "Software\\Autodesk")) << "row " << i;
  }
}

TEST_F(CleanupTest, AProfileThatCannotBeDeletedFailsTheCallButNotTheOthers) {
  CreateProfile(kAcad16, "Work");
  SetString(HKEY_CURRENT_USER, ProfileKey(kAcad17, "Work") + "\\Locked", "V", "x");
  seed::SetAccess(HKEY_CURRENT_USER, ProfileKey(kAcad17, "Work") + "\\Locked", kUnreadable);
  CreateProfile(kLt, "Work");
  EXPECT_EQ(0, DeleteProfileAllAcads("Work"));
  EXPECT_EQ(Names{}, Profiles(kAcad16));
  EXPECT_EQ(Names{"Locked"}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kAcad17, "Work")));
  EXPECT_EQ(Names{}, Profiles(kLt));
}

TEST_F(CleanupTest, UnregistersTheApplicationFromEveryProductAndProfile) {
  const char kQv[] = "AutoCAD\\R15.0\\ACAD-1:409";
  Register(kAcad16, k32, "MyApp", 10);
  Register(kAcad16, k32, "Other", 20);
  Register(kQv, k64, "MYAPP", 30);
  Register(kLt, k32, "MyApp", 40);
  const std::pair<const char*, const char*> profiles[] = {
      {kAcad16, "Work"}, {kAcad16, "Home"}, {kLt, "Work"}};
  for (const auto& profile : profiles) {
    CreateProfile(profile.first, profile.second);
    Link(profile.first, profile.second, "MyApp");
    Link(profile.first, profile.second, "Other");
  }
  SetString(HKEY_CURRENT_USER, LinksKey(kAcad16, "Work") + "\\MyApp\\Nested", "V", "x");

  EXPECT_NE(0, UnregAppInPManAllAcads("MyApp"));
  EXPECT_EQ(
      "Applications\\Other\\Loader=Other.arx\nApplications\\Other\\Nested\\Deeper\\V=x\nStdLoadOrder\\Other=#"
      "20\n",
      Tree(HKEY_LOCAL_MACHINE, Root(kAcad16, k32)));
  for (const std::string& root : {Root(kQv, k64), Root(kLt, k32)}) {
    EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, root + "\\Applications")) << root;
    EXPECT_EQ("", Tree(HKEY_LOCAL_MACHINE, root)) << root;
  }
  for (const auto& profile : profiles)
    EXPECT_EQ(Names{"Other"}, Subkeys(HKEY_CURRENT_USER, LinksKey(profile.first, profile.second)))
        << profile.first << " " << profile.second;
  // Once gone, there is nothing left to unregister.
  EXPECT_EQ(0, UnregAppInPManAllAcads("MyApp"));
}

TEST_F(CleanupTest, ARegistrationThatCannotBeDeletedFailsTheCallButNotTheOthers) {
  Register(kAcad16, k32, "MyApp", 10);
  Register(kLt, k32, "MyApp", 40);
  seed::SetAccess(HKEY_LOCAL_MACHINE, Root(kAcad16, k32) + "\\Applications\\MyApp\\Nested", kUnreadable, k64);
  CreateProfile(kLt, "Work");
  Link(kLt, "Work", "MyApp");

  EXPECT_EQ(0, UnregAppInPManAllAcads("MyApp"));
  EXPECT_EQ(Names{"Nested"}, Subkeys(HKEY_LOCAL_MACHINE, Root(kAcad16, k32) + "\\Applications\\MyApp"));
  EXPECT_EQ(Names{}, ValueNames(HKEY_LOCAL_MACHINE, Root(kAcad16, k32) + "\\StdLoadOrder"));
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, Root(kLt, k32) + "\\Applications"));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, LinksKey(kLt, "Work")));
}

TEST_F(CleanupTest, UnregisteringRefusesMalformedNames) {
  Register(kAcad16, k32, "MyApp", 10);
  CreateProfile(kAcad16, "Work");
  Link(kAcad16, "Work", "MyApp");
  const std::string machine = inspect::DumpTree(HKEY_LOCAL_MACHINE, "Software", k64);
  const std::string user = inspect::DumpTree(HKEY_CURRENT_USER, "Software\\Autodesk");
  const std::string longName(256, 'M');
  const char* names[] = {nullptr,          "",       "MyApp\\Nested", "..\\Applications", "\\MyApp",
                         longName.c_str(), "Nowhere"};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
    EXPECT_EQ(0, UnregAppInPManAllAcads(names[i])) << "row " << i;
    EXPECT_EQ(machine, inspect::DumpTree(HKEY_LOCAL_MACHINE, "Software", k64)) << "row " << i;
    EXPECT_EQ(user, inspect::DumpTree(HKEY_CURRENT_USER, "Software\\Autodesk")) << "row " << i;
  }
}

}  // namespace

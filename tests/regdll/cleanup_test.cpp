// DeleteProfileAllAcads and UnregAppInPManAllAcads: removal across every product.
#include <string>
#include <vector>

#include "regdll/QvApmReg.h"
#include "regdll_fixture.h"

namespace {

using Names = std::vector<std::string>;

const char kAcad16[] = "AutoCAD\\R16.0\\ACAD-201:409";
const char kAcad17[] = "AutoCAD\\R17.0\\ACAD-5001:409";
const char kLt[] = "AutoCAD LT\\R9\\ACADLT-1:409";

class CleanupTest : public RegdllTest {
 protected:
  void SetCurrent(const std::string& id, const std::string& profile) {
    SetString(HKEY_CURRENT_USER, "Software\\Autodesk\\" + id + "\\Profiles", "", profile);
  }
  Names Profiles(const std::string& id) {
    return Subkeys(HKEY_CURRENT_USER, "Software\\Autodesk\\" + id + "\\Profiles");
  }
  // A registration as the library writes it, in the given view.
  void Register(const std::string& id, REGSAM view, const std::string& app, DWORD order) {
    const std::string product = "Software\\Autodesk\\" + id;
    const bool qvApps = product.find("\\R15.0\\") != std::string::npos;
    const std::string root = product + (qvApps ? "\\QVApps\\Tarnwick" : "\\Applications\\Tarnwick");
    SetString(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + app, "Loader", app + ".arx", view);
    SetString(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + app + "\\Nested\\Deeper", "V", "x", view);
    SetDword(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", app, order, view);
  }
};

TEST_F(CleanupTest, DeletesTheProfileInEveryProductButWhereItIsCurrent) {
  CreateProfile(kAcad16, "Work");
  CreateProfile(kAcad16, "Other");
  SetCurrent(kAcad16, "Other");
  SetString(HKEY_CURRENT_USER, ProfileKey(kAcad16, "Work") + "\\Deep\\Deeper\\Deepest", "V", "x");
  CreateProfile(kAcad17, "WORK");
  SetCurrent(kAcad17, "Default");
  CreateProfile(kLt, "Work");
  SetCurrent(kLt, "work");  // current, compared ignoring case
  CreateProfile("AutoCAD\\R18.0\\ACAD-8001:409", "Work");
  SetString(HKEY_CURRENT_USER, "Software\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:409\\Profiles", "Tarnwikc",
            "WoRk");
  CreateProfile("Inventor\\R1\\INV-1", "Work");  // not an AutoCAD product

  EXPECT_NE(0, DeleteProfileAllAcads("wOrK"));
  EXPECT_EQ(Names{"Other"}, Profiles(kAcad16));
  EXPECT_EQ(Names{}, Profiles(kAcad17));
  EXPECT_EQ(Sz("Default"),
            Value(HKEY_CURRENT_USER, "Software\\Autodesk\\" + std::string(kAcad17) + "\\Profiles", ""));
  EXPECT_EQ(Names{"Work"}, Profiles(kLt));
  EXPECT_EQ(Names{"Work"}, Profiles("AutoCAD\\R18.0\\ACAD-8001:409"));
  EXPECT_EQ(Names{"Work"}, Profiles("Inventor\\R1\\INV-1"));
}

TEST_F(CleanupTest, DeletingAProfileThatCannotBeDeletedAnywhereIsAFailure) {
  CreateProfile(kAcad16, "Work");
  SetCurrent(kAcad16, "Work");
  CreateProfile(kAcad17, "Home");
  EXPECT_EQ(0, DeleteProfileAllAcads("Work"));  // only where it is current
  EXPECT_EQ(0, DeleteProfileAllAcads("Nowhere"));
  EXPECT_EQ(Names{"Work"}, Profiles(kAcad16));
  EXPECT_EQ(Names{"Home"}, Profiles(kAcad17));
}

TEST_F(CleanupTest, AProfileThatCannotBeDeletedFailsTheCallButNotTheOthers) {
  CreateProfile(kAcad16, "Work");
  CreateProfile(kAcad17, "Work");
  SetString(HKEY_CURRENT_USER, ProfileKey(kAcad17, "Work") + "\\Locked", "V", "x");
  seed::SetAccess(HKEY_CURRENT_USER, ProfileKey(kAcad17, "Work") + "\\Locked", kUnreadable);
  CreateProfile(kLt, "Work");
  EXPECT_EQ(0, DeleteProfileAllAcads("Work"));
  EXPECT_EQ(Names{}, Profiles(kAcad16));
  EXPECT_EQ(Names{"Locked"}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kAcad17, "Work")));
  EXPECT_EQ(Names{}, Profiles(kLt));
}

TEST_F(CleanupTest, DeletingAProfileRefusesMalformedNames) {
  CreateProfile(kAcad16, "Work");
  SetString(HKEY_CURRENT_USER, ProfileKey(kAcad16, "Work") + "\\Sub", "V", "x");
  const std::string longName(256, 'W');
  const char* names[] = {nullptr, "", "Work\\Sub", "..\\Profiles", "\\Work", "Work\\", longName.c_str()};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i)
    EXPECT_EQ(0, DeleteProfileAllAcads(names[i])) << "row " << i;
  EXPECT_EQ(Names{"Sub"}, Subkeys(HKEY_CURRENT_USER, ProfileKey(kAcad16, "Work")));
}

TEST_F(CleanupTest, UnregistersTheApplicationFromEveryProductAndProfile) {
  const char kQv[] = "AutoCAD\\R15.0\\ACAD-1:409";
  CreateProduct(kAcad16, k32);
  Register(kAcad16, k32, "MyApp", 10);
  Register(kAcad16, k32, "Other", 20);
  CreateProduct(kQv, k64);
  Register(kQv, k64, "MYAPP", 30);
  CreateProduct(kLt, k32);
  Register(kLt, k32, "MyApp", 40);
  CreateProfile(kAcad16, "Work");
  CreateProfile(kAcad16, "Home");
  CreateProfile(kLt, "Work");
  for (const char* app : {"MyApp", "Other"}) {
    ASSERT_NE(0, RegisterAppInProfileEx(kAcad16, "Work", app, 0));
    ASSERT_NE(0, RegisterAppInProfileEx(kAcad16, "Home", app, 0));
    ASSERT_NE(0, RegisterAppInProfileEx(kLt, "Work", app, 0));
  }
  SetString(HKEY_CURRENT_USER, LinksKey(kAcad16, "Work") + "\\MyApp\\Nested", "V", "x");

  EXPECT_NE(0, UnregAppInPManAllAcads("MyApp"));

  const std::string root16 =
      RawMachinePath(k32, "Software\\Autodesk\\" + std::string(kAcad16) + "\\Applications\\Tarnwick");
  EXPECT_EQ(Names{"Other"}, Subkeys(HKEY_LOCAL_MACHINE, root16 + "\\Applications"));
  EXPECT_EQ(Names{"Other"}, ValueNames(HKEY_LOCAL_MACHINE, root16 + "\\StdLoadOrder"));
  EXPECT_EQ(Dword(20), Value(HKEY_LOCAL_MACHINE, root16 + "\\StdLoadOrder", "Other"));
  const std::string rootQv =
      RawMachinePath(k64, "Software\\Autodesk\\" + std::string(kQv) + "\\QVApps\\Tarnwick");
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, rootQv + "\\Applications"));
  EXPECT_EQ(Names{}, ValueNames(HKEY_LOCAL_MACHINE, rootQv + "\\StdLoadOrder"));
  const std::string rootLt =
      RawMachinePath(k32, "Software\\Autodesk\\" + std::string(kLt) + "\\Applications\\Tarnwick");
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, rootLt + "\\Applications"));
  EXPECT_EQ(Names{}, ValueNames(HKEY_LOCAL_MACHINE, rootLt + "\\StdLoadOrder"));
  for (const auto& profile :
       {std::make_pair(kAcad16, "Work"), std::make_pair(kAcad16, "Home"), std::make_pair(kLt, "Work")}) {
    EXPECT_EQ(Names{"Other"}, Subkeys(HKEY_CURRENT_USER, LinksKey(profile.first, profile.second)))
        << profile.first << " " << profile.second;
  }
  // Once gone, there is nothing left to unregister.
  EXPECT_EQ(0, UnregAppInPManAllAcads("MyApp"));
}

TEST_F(CleanupTest, UnregisteringOnlyProfileLinksOrOnlyAStandardOrderCounts) {
  CreateProfile(kAcad17, "Work");
  ASSERT_NE(0, RegisterAppInProfileEx(kAcad17, "Work", "Linked", 0));
  EXPECT_NE(0, UnregAppInPManAllAcads("Linked"));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, LinksKey(kAcad17, "Work")));

  CreateProduct(kAcad16, k64);
  SetDword(HKEY_LOCAL_MACHINE,
           "Software\\Autodesk\\" + std::string(kAcad16) + "\\Applications\\Tarnwick\\StdLoadOrder",
           "Ordered", 3, k64);
  EXPECT_NE(0, UnregAppInPManAllAcads("Ordered"));
  EXPECT_EQ(Names{}, ValueNames(HKEY_LOCAL_MACHINE,
                                RawMachinePath(k64, "Software\\Autodesk\\" + std::string(kAcad16) +
                                                        "\\Applications\\Tarnwick\\StdLoadOrder")));
}

TEST_F(CleanupTest, ARegistrationThatCannotBeDeletedFailsTheCallButNotTheOthers) {
  CreateProduct(kAcad16, k32);
  Register(kAcad16, k32, "MyApp", 10);
  CreateProduct(kLt, k32);
  Register(kLt, k32, "MyApp", 40);
  const std::string root16 = "Software\\Autodesk\\" + std::string(kAcad16) + "\\Applications\\Tarnwick";
  seed::SetAccess(HKEY_LOCAL_MACHINE, root16 + "\\Applications\\MyApp\\Nested", kUnreadable, k32);
  CreateProfile(kLt, "Work");
  ASSERT_NE(0, RegisterAppInProfileEx(kLt, "Work", "MyApp", 0));

  EXPECT_EQ(0, UnregAppInPManAllAcads("MyApp"));
  EXPECT_EQ(Names{"Nested"},
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, root16 + "\\Applications\\MyApp")));
  EXPECT_EQ(Names{}, ValueNames(HKEY_LOCAL_MACHINE, RawMachinePath(k32, root16 + "\\StdLoadOrder")));
  const std::string rootLt = "Software\\Autodesk\\" + std::string(kLt) + "\\Applications\\Tarnwick";
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, rootLt + "\\Applications")));
  EXPECT_EQ(Names{}, Subkeys(HKEY_CURRENT_USER, LinksKey(kLt, "Work")));
}

TEST_F(CleanupTest, UnregisteringRefusesMalformedNames) {
  CreateProduct(kAcad16, k32);
  Register(kAcad16, k32, "MyApp", 10);
  CreateProfile(kAcad16, "Work");
  ASSERT_NE(0, RegisterAppInProfileEx(kAcad16, "Work", "MyApp", 0));
  const std::string longName(256, 'M');
  const char* names[] = {nullptr,          "",       "MyApp\\Nested", "..\\Applications", "\\MyApp",
                         longName.c_str(), "Nowhere"};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i)
    EXPECT_EQ(0, UnregAppInPManAllAcads(names[i])) << "row " << i;
  const std::string root =
      RawMachinePath(k32, "Software\\Autodesk\\" + std::string(kAcad16) + "\\Applications\\Tarnwick");
  EXPECT_EQ(Names{"Nested"}, Subkeys(HKEY_LOCAL_MACHINE, root + "\\Applications\\MyApp"));
  EXPECT_EQ(Names{"MyApp"}, ValueNames(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder"));
  EXPECT_EQ(Names{"MyApp"}, Subkeys(HKEY_CURRENT_USER, LinksKey(kAcad16, "Work")));
}

}  // namespace

// SetupPManIni: a platform section lists applications registered for every product of a release.
#include <string>
#include <vector>

#include "regdll/QvApmReg.h"
#include "regdll_fixture.h"

namespace {

const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";
const char kProduct[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
const char kRoot[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409\\Applications\\Tarnwick";

const char kIni[] =
    "[Platform\\AutoCAD\\R16.0]\r\n"
    "Alpha=Shared Alpha\r\n"
    "Beta=Shared Beta\r\n"
    "[Platform\\AutoCAD\\R16.0\\x64]\r\n"
    "Alpha=Shared Alpha 64\r\n"
    "[Platform\\AutoCAD\\R16.0\\x32]\r\n"
    "Beta=Shared Beta\r\n"
    "[Shared Alpha]\r\n"
    "Loader=alpha.arx\r\n"
    "StdLoadOrder=10\r\n"
    "[Shared Alpha 64]\r\n"
    "Loader=alpha64.arx\r\n"
    "[Shared Beta]\r\n"
    "Loader0=beta.arx\r\n"
    "Unloadable=0\r\n";

class PlatformSectionTest : public RegdllTest {
 protected:
  std::string AppKey(REGSAM view, const std::string& app) {
    return RawMachinePath(view, std::string(kRoot) + "\\Applications\\" + app);
  }
};

TEST_F(PlatformSectionTest, RegistersEveryListedApplicationUnderItsEntryName) {
  CreateProduct(kId, k32);
  const std::string ini = WriteFile("Products.ini", kIni);
  ASSERT_NE(0, SetupPManIni(2, kId, ini.c_str(), "Platform\\AutoCAD\\R16.0", 0));
  EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta"}),
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, std::string(kRoot) + "\\Applications")));
  EXPECT_EQ(std::vector<std::string>{"Loader"}, ValueNames(HKEY_LOCAL_MACHINE, AppKey(k32, "Alpha")));
  EXPECT_EQ(Sz("alpha.arx"), Value(HKEY_LOCAL_MACHINE, AppKey(k32, "Alpha"), "Loader"));
  EXPECT_EQ((std::vector<std::string>{"Loader0", "Unloadable"}),
            ValueNames(HKEY_LOCAL_MACHINE, AppKey(k32, "Beta")));
  EXPECT_EQ(Sz("beta.arx"), Value(HKEY_LOCAL_MACHINE, AppKey(k32, "Beta"), "Loader0"));
  EXPECT_EQ(Dword(0), Value(HKEY_LOCAL_MACHINE, AppKey(k32, "Beta"), "Unloadable"));
  const std::string order = RawMachinePath(k32, std::string(kRoot) + "\\StdLoadOrder");
  EXPECT_EQ(std::vector<std::string>{"Alpha"}, ValueNames(HKEY_LOCAL_MACHINE, order));
  EXPECT_EQ(Dword(10), Value(HKEY_LOCAL_MACHINE, order, "Alpha"));
}

TEST_F(PlatformSectionTest, ViewSectionsGoToTheirViewOnly) {
  CreateProduct(kId, k32);
  CreateProduct(kId, k64);
  const std::string ini = WriteFile("Products.ini", kIni);
  ASSERT_NE(0, SetupPManIni(4, kId, ini.c_str(), "Platform\\AutoCAD\\R16.0\\x64", 0));
  EXPECT_EQ(Sz("alpha64.arx"), Value(HKEY_LOCAL_MACHINE, AppKey(k64, "Alpha"), "Loader"));
  EXPECT_EQ(std::vector<std::string>{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct)));

  ASSERT_NE(0, SetupPManIni(3, kId, ini.c_str(), "Platform\\AutoCAD\\R16.0\\x32", 0));
  EXPECT_EQ(Sz("beta.arx"), Value(HKEY_LOCAL_MACHINE, AppKey(k32, "Beta"), "Loader0"));
  EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, AppKey(k64, "Beta")));
  EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, AppKey(k32, "Alpha")));
}

TEST_F(PlatformSectionTest, ModeMustMatchTheSectionAndTheProductsView) {
  CreateProduct(kId, k32);
  const std::string ini = WriteFile("Products.ini", kIni);
  struct Row {
    int mode;
    const char* section;
  };
  const Row rows[] = {
      {4, "Platform\\AutoCAD\\R16.0\\x64"},  // no product in the 64-bit view
      {2, "Platform\\AutoCAD\\R16.0\\x64"},  // the program gives a \x64 section mode 4
      {3, "Platform\\AutoCAD\\R16.0"},       // ... and a plain one mode 2
      {2, "Platform\\AutoCAD\\R16.0\\x32"}, {4, "Platform\\AutoCAD\\R16.0\\x32"},
      {1, "Platform\\AutoCAD\\R16.0"},      {0, "Platform\\AutoCAD\\R16.0"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(0, SetupPManIni(rows[i].mode, kId, ini.c_str(), rows[i].section, 0)) << "row " << i;
  EXPECT_EQ(std::vector<std::string>{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct)));
}

TEST_F(PlatformSectionTest, MalformedSectionsAndArgumentsAreRefused) {
  const std::string release16 = "AutoCAD\\R16\\ACAD-1:409";
  CreateProduct(kId, k32);
  CreateProduct(release16, k32);
  const std::string ini = WriteFile("Products.ini", std::string(kIni) +
                                                        "[Platform\\AutoCAD\\R16.0\\Empty]\r\n"
                                                        "[Platform\\AutoCAD\\R16.0\\Dangling]\r\n"
                                                        "Alpha=Shared Alpha\r\n"
                                                        "Gamma=No Such Section\r\n"
                                                        "[Platform\\AutoCAD\\R16.0\\Slash]\r\n"
                                                        "Bad\\Name=Shared Alpha\r\n"
                                                        "[Platform\\AutoCAD\\R16.0\\Blank]\r\n"
                                                        "Alpha=\r\n"
                                                        "[Platform\\AutoCAD\\R16.0\\BadTarget]\r\n"
                                                        "Alpha=Broken\r\n"
                                                        "[Broken]\r\n"
                                                        "Loader=x\r\n"
                                                        "StdLoadOrder=ten\r\n");
  struct Row {
    const char* id;
    const char* section;
    int reserved;
  };
  const Row rows[] = {
      {kId, "Platform\\AutoCAD\\R16.0\\Missing", 0},
      {kId, "Platform\\AutoCAD\\R16.0\\Empty", 0},
      {kId, "Platform\\AutoCAD\\R16.0\\Dangling", 0},
      {kId, "Platform\\AutoCAD\\R16.0\\Slash", 0},
      {kId, "Platform\\AutoCAD\\R16.0\\Blank", 0},
      {kId, "Platform\\AutoCAD\\R16.0\\BadTarget", 0},
      {kId, "Products\\AutoCAD\\R16.0\\Alpha", 0},
      {kId, "Platform\\AutoCAD LT\\R16.0", 0},
      {release16.c_str(), "Platform\\AutoCAD\\R16.0", 0},  // R16 is not R16.0
      {kId, "Platform\\AutoCAD\\R16.0", 7},
      {nullptr, "Platform\\AutoCAD\\R16.0", 0},
      {"AutoCAD\\R16.0\\..\\..\\..\\Microsoft", "Platform\\AutoCAD\\R16.0", 0},
      {kId, nullptr, 0},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(0, SetupPManIni(2, rows[i].id, ini.c_str(), rows[i].section, rows[i].reserved)) << "row " << i;
  EXPECT_EQ(0, SetupPManIni(2, kId, nullptr, "Platform\\AutoCAD\\R16.0", 0));
  EXPECT_EQ(0, SetupPManIni(2, kId, (Folder() + "Missing.ini").c_str(), "Platform\\AutoCAD\\R16.0", 0));
  EXPECT_EQ(std::vector<std::string>{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct)));
  EXPECT_EQ(std::vector<std::string>{},
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk\\" + release16)));
}

}  // namespace

// SetupPManIni: a platform section lists applications registered for every product of a release.
#include "regdll_fixture.h"

namespace {

const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";
const char kProduct[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
const char kRoot[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409\\Applications\\Tarnwick";

const char kIni[] =
    "[Platform\\AutoCAD\\R16.0]\r\nAlpha=Shared Alpha\r\nBeta=Shared Beta\r\n"
    "[Platform\\AutoCAD\\R16.0\\x64]\r\nAlpha=Shared Alpha 64\r\n"
    "[Platform\\AutoCAD\\R16.0\\x32]\r\nBeta=Shared Beta\r\n"
    "[Shared Alpha]\r\nLoader=alpha.arx\r\nStdLoadOrder=10\r\n"
    "[Shared Alpha 64]\r\nLoader=alpha64.arx\r\n"
    "[Shared Beta]\r\nLoader0=beta.arx\r\nUnloadable=0\r\n";

class PlatformSectionTest : public RegdllTest {
 protected:
  std::string AppKey(REGSAM view, const std::string& app) {
    return RawMachinePath(view, std::string(kRoot) + "\\Applications\\" + app);
  }
};

TEST_F(PlatformSectionTest, RegistersEveryListedApplicationUnderItsEntryName) {
  CreateProduct(kId, k32);
  const std::string ini = folder_.Write("Products.ini", kIni);
  ASSERT_NE(0, SetupPManIni(2, kId, ini.c_str(), "Platform\\AutoCAD\\R16.0", 0));
  EXPECT_EQ((Names{"Alpha", "Beta"}),
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, std::string(kRoot) + "\\Applications")));
  EXPECT_EQ(Names{"Loader"}, ValueNames(HKEY_LOCAL_MACHINE, AppKey(k32, "Alpha")));
  EXPECT_EQ(Sz("alpha.arx"), Value(HKEY_LOCAL_MACHINE, AppKey(k32, "Alpha"), "Loader"));
  EXPECT_EQ((Names{"Loader0", "Unloadable"}), ValueNames(HKEY_LOCAL_MACHINE, AppKey(k32, "Beta")));
  EXPECT_EQ(Sz("beta.arx"), Value(HKEY_LOCAL_MACHINE, AppKey(k32, "Beta"), "Loader0"));
  EXPECT_EQ(Dword(0), Value(HKEY_LOCAL_MACHINE, AppKey(k32, "Beta"), "Unloadable"));
  const std::string order = RawMachinePath(k32, std::string(kRoot) + "\\StdLoadOrder");
  EXPECT_EQ(Names{"Alpha"}, ValueNames(HKEY_LOCAL_MACHINE, order));
  EXPECT_EQ(Dword(10), Value(HKEY_LOCAL_MACHINE, order, "Alpha"));
}

TEST_F(PlatformSectionTest, ViewSectionsGoToTheirViewOnly) {
  CreateProduct(kId, k32);
  CreateProduct(kId, k64);
  const std::string ini = folder_.Write("Products.ini", kIni);
  ASSERT_NE(0, SetupPManIni(4, kId, ini.c_str(), "Platform\\AutoCAD\\R16.0\\x64", 0));
  EXPECT_EQ(Sz("alpha64.arx"), Value(HKEY_LOCAL_MACHINE, AppKey(k64, "Alpha"), "Loader"));
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct)));

  ASSERT_NE(0, SetupPManIni(3, kId, ini.c_str(), "Platform\\AutoCAD\\R16.0\\x32", 0));
  EXPECT_EQ(Sz("beta.arx"), Value(HKEY_LOCAL_MACHINE, AppKey(k32, "Beta"), "Loader0"));
  EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, AppKey(k64, "Beta")));
  EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, AppKey(k32, "Alpha")));
}

TEST_F(PlatformSectionTest, MalformedSectionsArgumentsAndModesAreRefused) {
  const std::string release16 = "AutoCAD\\R16\\ACAD-1:409";
  CreateProduct(kId, k32);
  CreateProduct(release16, k32);
  const std::string ini = folder_.Write("Products.ini", std::string(kIni) +
                                                            "[Platform\\AutoCAD\\R16.0\\Empty]\r\n"
                                                            "[Platform\\AutoCAD\\R16.0\\Dangling]\r\n"
                                                            "Alpha=Shared Alpha\r\nGamma=No Such Section\r\n"
                                                            "[Platform\\AutoCAD\\R16.0\\Slash]\r\n"
                                                            "Bad\\Name=Shared Alpha\r\n"
                                                            "[Platform\\AutoCAD\\R16.0\\Blank]\r\nAlpha=\r\n"
                                                            "[Platform\\AutoCAD\\R16.0\\BadTarget]\r\n"
                                                            "Alpha=Broken\r\n"
                                                            "[Broken]\r\nLoader=x\r\nStdLoadOrder=ten\r\n");
  struct Row {
    int mode;
    const char* id;
    const char* ini;
    const char* section;
  };
  const char* in = ini.c_str();
  const Row rows[] = {
      {2, kId, in, "Platform\\AutoCAD\\R16.0\\Missing"},
      {2, kId, in, "Platform\\AutoCAD\\R16.0\\Empty"},
      {2, kId, in, "Platform\\AutoCAD\\R16.0\\Dangling"},
      {2, kId, in, "Platform\\AutoCAD\\R16.0\\Slash"},
      {2, kId, in, "Platform\\AutoCAD\\R16.0\\Blank"},
      {2, kId, in, "Platform\\AutoCAD\\R16.0\\BadTarget"},
      {2, kId, in, "Products\\AutoCAD\\R16.0\\Alpha"},
      {2, kId, in, "Platform\\AutoCAD LT\\R16.0"},
      {2, release16.c_str(), in, "Platform\\AutoCAD\\R16.0"},  // R16 is not R16.0
      {2, kId, nullptr, "Platform\\AutoCAD\\R16.0"},           // the arguments are checked as for products
      {4, kId, in, "Platform\\AutoCAD\\R16.0\\x64"},           // no product in the 64-bit view
      {2, kId, in, "Platform\\AutoCAD\\R16.0\\x64"},           // the program gives a \x64 section mode 4
      {3, kId, in, "Platform\\AutoCAD\\R16.0"},                // ... and a plain one mode 2
      {2, kId, in, "Platform\\AutoCAD\\R16.0\\x32"},
      {4, kId, in, "Platform\\AutoCAD\\R16.0\\x32"},
      {1, kId, in, "Platform\\AutoCAD\\R16.0"},
      {0, kId, in, "Platform\\AutoCAD\\R16.0"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    EXPECT_EQ(0, SetupPManIni(row.mode, row.id, row.ini, row.section, 0)) << "row " << i;
  }
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct)));
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk\\" + release16)));
}

}  // namespace

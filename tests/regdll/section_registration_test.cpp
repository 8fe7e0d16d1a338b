// RegisterAppInPManIniEx: one Products.ini section becomes one application registration.
// SetupPManIni: a platform section lists applications registered for every product of a release.
#include "regdll_fixture.h"

namespace {

const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";
const char kProduct[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
const char kRoot[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409\\Applications\\Tarnwick";
const char kSection[] = "Products\\AutoCAD\\R16.0\\MyApp";

const char kFullSection[] =
    "[Products\\AutoCAD\\R16.0\\MyApp]\r\n"
    "Loader=C:\\MyApp\\loader.arx\r\nLoader0=C:\\MyApp\\first.arx\r\nLoader1=C:\\MyApp\\second.arx\r\n"
    "Loader3=C:\\MyApp\\unreachable.arx\r\nCommandGroups=MYAPP\r\nModules=myapp.dll\r\nMenuGroup=MYMENU\r\n"
    "MenuFile=C:\\MyApp\\mymenu.mnu\r\nTemplate=C:\\MyApp\\my template.dwt\r\nUnloadable=1\r\n"
    "LargeIconName=large.ico\r\nSmallIconName=small.ico\r\nShortcutIconName=shortcut.ico\r\n"
    "StdLoadOrder=20\r\nUnknown=ignored\r\n";

class ProductSectionTest : public RegdllTest {
 protected:
  std::string Ini(const std::string& text) { return folder_.Write("Products.ini", text); }
  // A section of kSection's application for another product id.
  std::string Section(const std::string& values) {
    return Ini(std::string("[") + kSection + "]\r\n" + values);
  }
};

TEST_F(ProductSectionTest, WritesExactlyTheSectionsValues) {
  CreateProduct(kId, k32);
  const std::string appKey = std::string(kRoot) + "\\Applications\\MyApp";
  const std::string orderKey = std::string(kRoot) + "\\StdLoadOrder";
  SetString(HKEY_LOCAL_MACHINE, appKey, "Loader2", "stale.arx");
  SetString(HKEY_LOCAL_MACHINE, appKey, "", "default");
  SetString(HKEY_LOCAL_MACHINE, appKey + "\\Data", "Kept", "yes");
  SetDword(HKEY_LOCAL_MACHINE, orderKey, "Other", 6);
  ASSERT_NE(0, RegisterAppInPManIniEx(2, kId, Ini(kFullSection).c_str(), kSection, 0));
  const std::string raw = RawMachinePath(k32, kRoot);
  EXPECT_EQ(
      "Applications\\MyApp\\CommandGroups=MYAPP\n"
      "Applications\\MyApp\\LargeIconName=large.ico\n"
      "Applications\\MyApp\\Loader=C:\\MyApp\\loader.arx\n"
      "Applications\\MyApp\\Loader0=C:\\MyApp\\first.arx\n"
      "Applications\\MyApp\\Loader1=C:\\MyApp\\second.arx\n"
      "Applications\\MyApp\\MenuFile=C:\\MyApp\\mymenu.mnu\n"
      "Applications\\MyApp\\MenuGroup=MYMENU\n"
      "Applications\\MyApp\\Modules=myapp.dll\n"
      "Applications\\MyApp\\ShortcutIconName=shortcut.ico\n"
      "Applications\\MyApp\\SmallIconName=small.ico\n"
      "Applications\\MyApp\\Template=C:\\MyApp\\my template.dwt\n"
      "Applications\\MyApp\\Unloadable=#1\n"
      "Applications\\MyApp\\Data\\Kept=yes\n"
      "StdLoadOrder\\MyApp=#20\n"
      "StdLoadOrder\\Other=#6\n",
      Tree(HKEY_LOCAL_MACHINE, raw));

  // Registering again leaves exactly the new section's values; other keys and orders stay.
  ASSERT_NE(0,
            RegisterAppInPManIniEx(2, kId, Section("Loader0=new.arx\r\nTemplate=\r\n").c_str(), kSection, 0));
  EXPECT_EQ(
      "Applications\\MyApp\\Loader0=new.arx\nApplications\\MyApp\\Data\\Kept=yes\nStdLoadOrder\\Other=#6\n",
      Tree(HKEY_LOCAL_MACHINE, raw));
}

TEST_F(ProductSectionTest, WritesBelowTheReleasesRootInTheViewsTheProductAndTheModeAllow) {
  struct Row {
    const char* id;
    int mode;
    bool in32, in64;              // where the product lives
    const char *root32, *root64;  // where the call writes: "" for nowhere
  };
  const Row rows[] = {
      {"AutoCAD\\R15.0\\ACAD-1:409", 2, true, false, "QVApps", ""},
      {"AutoCAD LT\\R8\\ACADLT-1:409", 2, true, false, "QVApps", ""},
      {"AutoCAD\\R15.01\\ACAD-3:409", 2, true, false, "Applications", ""},
      {"AutoCAD LT\\R8.1\\ACADLT-4:409", 2, true, false, "Applications", ""},
      {"AutoCAD\\r15.0\\ACAD-5:409", 2, true, false, "Applications", ""},
      {"AutoCAD\\R16.0\\ACAD-6:409", 2, false, true, "", "Applications"},
      {"AutoCAD\\R16.0\\ACAD-7:409", 2, true, true, "Applications", "Applications"},
      {"AutoCAD\\R16.0\\ACAD-8:409", 2, false, false, "", ""},
      {"AutoCAD\\R16.0\\ACAD-9:409", 3, true, true, "Applications", ""},
      {"AutoCAD\\R16.0\\ACAD-10:409", 3, false, true, "", ""},
      {"AutoCAD\\R16.0\\ACAD-11:409", 4, true, true, "", "Applications"},
      {"AutoCAD\\R16.0\\ACAD-12:409", 4, true, false, "", ""},
  };
  CreateProduct("AutoCAD\\R16.0\\OTHER", k32);
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    const Row& row = rows[i];
    const std::string id = row.id;
    const std::string section = "Products\\" + id.substr(0, id.rfind('\\')) + "\\MyApp";
    if (row.in32) CreateProduct(id, k32);
    if (row.in64) CreateProduct(id, k64);
    const std::string ini = Ini("[" + section + "]\r\nLoader=x.arx\r\nStdLoadOrder=7\r\n");
    EXPECT_EQ(*row.root32 || *row.root64,
              RegisterAppInPManIniEx(row.mode, row.id, ini.c_str(), section.c_str(), 0) != 0);
    for (REGSAM view : {k32, k64}) {
      const std::string root = view == k32 ? row.root32 : row.root64;
      const std::string product = RawMachinePath(view, "Software\\Autodesk\\" + id);
      EXPECT_EQ(root.empty() ? Names{} : Names{root}, Subkeys(HKEY_LOCAL_MACHINE, product))
          << "view " << view;
      if (root.empty()) continue;
      EXPECT_EQ("Applications\\MyApp\\Loader=x.arx\nStdLoadOrder\\MyApp=#7\n",
                Tree(HKEY_LOCAL_MACHINE, product + "\\" + root + "\\Tarnwick"));
    }
  }
  EXPECT_EQ(Names{},
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk\\AutoCAD\\R16.0\\OTHER")));
}

TEST_F(ProductSectionTest, ValuesAndFilesAtTheirLimits) {
  // Every row registers over Loader=old.arx and order 5: the file, and the values afterwards.
  const std::string old = "Applications\\MyApp\\Loader=old.arx\nStdLoadOrder\\MyApp=#5\n";
  const std::string longest(259, 'a'), app = "Applications\\MyApp\\";
  const std::string h = std::string("[") + kSection + "]\r\n";
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256);
  const std::pair<std::string, std::string> rows[] = {
      {h + "Loader=x\r\nUnloadable=0\r\nStdLoadOrder=4294967295\r\n",
       app + "Loader=x\n" + app + "Unloadable=#0\nStdLoadOrder\\MyApp=#4294967295\n"},
      {h + "Loader=x\r\nUnloadable=  7  \r\n", app + "Loader=x\n" + app + "Unloadable=#7\n"},
      {h + "Loader=\"quoted text\"\r\n", app + "Loader=quoted text\n"},
      {h + "Loader=\r\nUnloadable=\r\nStdLoadOrder=\r\n", ""},
      {h + "Loader=" + longest + "\r\n", app + "Loader=" + longest + "\n"},
      {h + "Loader=x\r\nModules=" + longest + "a\r\n", old},
      {h + "Loader=" + std::string(5000, 'z') + "\r\n", old},
      {h + "Loader=x\r\nStdLoadOrder=4294967296\r\n", old},
      {h + "Loader=x\r\nStdLoadOrder=-1\r\n", old},
      {h + "Loader=x\r\nStdLoadOrder=0x10\r\n", old},
      {h + "Loader=x\r\nUnloadable=yes\r\n", old},
      {h + "Loader=x\r\nUnloadable=1 ; comment\r\n", old},
      {h + "Loader=x\r\nUnloadable=99999999999999999999\r\n", old},
      {h + "Loader=x\r\nUnloadable=\x01\xFF\r\n", old},
      {"", old},
      {"[Products\\AutoCAD\\R16.0\\Other]\r\nLoader=x\r\n", old},  // no such section
      {h, old},
      {h + "; only a comment\r\n", old},
      {junk, old},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    const std::string id = "AutoCAD\\R16.0\\ACAD-" + std::to_string(i) + ":409";
    const std::string root = "Software\\Autodesk\\" + id + "\\Applications\\Tarnwick";
    SetString(HKEY_LOCAL_MACHINE, root + "\\Applications\\MyApp", "Loader", "old.arx");
    SetDword(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", "MyApp", 5);
    const std::string raw = RawMachinePath(k32, "Software\\Autodesk\\" + id),
                      before = inspect::DumpTree(HKEY_LOCAL_MACHINE, raw, k64);
    EXPECT_EQ(rows[i].second != old,
              RegisterAppInPManIniEx(2, id.c_str(), Ini(rows[i].first).c_str(), kSection, 0) != 0);
    EXPECT_EQ(rows[i].second, Tree(HKEY_LOCAL_MACHINE, raw + "\\Applications\\Tarnwick"));
    if (rows[i].second == old) {
      EXPECT_EQ(before, inspect::DumpTree(HKEY_LOCAL_MACHINE, raw, k64));
    }
  }
}

TEST_F(ProductSectionTest, MalformedArgumentsAreRefused) {
  CreateProduct(kId, k32);
  const std::string ini = Ini(std::string(kFullSection) + "[Products\\AutoCAD\\R16.0\\A\\B]\r\nLoader=x\r\n" +
                              "[Products\\AutoCAD\\R16.0\\]\r\nLoader=x\r\n");
  const std::string longName(256, 'n');
  const std::string longSection = "Products\\AutoCAD\\R16.0\\" + longName;
  struct Row {
    int mode;
    const char* id;
    const char* ini;
    const char* section;
    int reserved;
  };
  const char* in = ini.c_str();
  const Row rows[] = {
      {2, nullptr, in, kSection, 0},  // ids are checked as for profile links
      {2, kId, nullptr, kSection, 0},
      {2, kId, "", kSection, 0},
      {2, kId, "C:\\no\\such\\Products.ini", kSection, 0},
      {2, kId, folder_.Path().c_str(), kSection, 0},
      {2, kId, in, nullptr, 0},
      {2, kId, in, "", 0},
      {2, kId, in, "Products\\AutoCAD\\R17.0\\MyApp", 0},
      {2, kId, in, "Platform\\AutoCAD\\R16.0", 0},
      {2, kId, in, "Products\\AutoCAD\\R16.0\\A\\B", 0},
      {2, kId, in, "Products\\AutoCAD\\R16.0\\", 0},
      {2, kId, in, longSection.c_str(), 0},
      {1, kId, in, kSection, 0},
      {5, kId, in, kSection, 0},
      {2, kId, in, kSection, 1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    EXPECT_EQ(0, RegisterAppInPManIniEx(row.mode, row.id, row.ini, row.section, row.reserved)) << "row " << i;
  }
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct)));
  EXPECT_EQ(Names{"ACAD-201:409"},
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk\\AutoCAD\\R16.0")));
  // The same arguments, put right, do register.
  EXPECT_NE(0, RegisterAppInPManIniEx(2, kId, in, kSection, 0));
}

TEST_F(ProductSectionTest, AFailureHalfWayUndoesEverythingThisCallWrote) {
  // A volatile application root takes the values but refuses the lasting StdLoadOrder key.
  CreateProduct(kId, k32);
  const std::string appKey = std::string(kRoot) + "\\Applications\\MyApp";
  seed::CreatePath(HKEY_LOCAL_MACHINE, std::string(kProduct) + "\\Applications");
  for (const std::string& key : {std::string(kRoot), std::string(kRoot) + "\\Applications", appKey})
    seed::CreatePath(HKEY_LOCAL_MACHINE, key, k32, REG_OPTION_VOLATILE);
  SetString(HKEY_LOCAL_MACHINE, appKey, "Loader", "old.arx");
  SetRaw(HKEY_LOCAL_MACHINE, appKey, "Modules", REG_BINARY, std::string("\x01\x00\x02", 3));
  const std::string before = inspect::DumpTree(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct), k64);
  EXPECT_EQ(0, RegisterAppInPManIniEx(2, kId, Ini(kFullSection).c_str(), kSection, 0));
  EXPECT_EQ(before, inspect::DumpTree(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct), k64));

  // A failure in the second view undoes the first.
  const std::string id = "AutoCAD\\R16.0\\ACAD-2:409", product = "Software\\Autodesk\\" + id;
  CreateProduct(id, k32);
  CreateProduct(id, k64);
  seed::CreatePath(HKEY_LOCAL_MACHINE, product + "\\Applications\\Tarnwick", k64, REG_OPTION_VOLATILE);
  EXPECT_EQ(0, RegisterAppInPManIniEx(2, id.c_str(), Ini(kFullSection).c_str(), kSection, 0));
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, product)));
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k64, product + "\\Applications\\Tarnwick")));
}

const char kIni[] =
    "[Platform\\AutoCAD\\R16.0]\r\nAlpha=Shared Alpha\r\nBeta=Shared Beta\r\n"
    "[Platform\\AutoCAD\\R16.0\\x64]\r\nAlpha=Shared Alpha 64\r\n"
    "[Platform\\AutoCAD\\R16.0\\x32]\r\nBeta=Shared Beta\r\n"
    "[Shared Alpha]\r\nLoader=alpha.arx\r\nStdLoadOrder=10\r\n"
    "[Shared Alpha 64]\r\nLoader=alpha64.arx\r\n"
    "[Shared Beta]\r\nLoader0=beta.arx\r\nUnloadable=0\r\n";

using PlatformSectionTest = RegdllTest;

TEST_F(PlatformSectionTest, RegistersEveryListedApplicationUnderItsEntryName) {
  CreateProduct(kId, k32);
  const std::string ini = folder_.Write("Products.ini", kIni);
  ASSERT_NE(0, SetupPManIni(2, kId, ini.c_str(), "Platform\\AutoCAD\\R16.0", 0));
  EXPECT_EQ(
      "Applications\\Alpha\\Loader=alpha.arx\nApplications\\Beta\\Loader0=beta.arx\n"
      "Applications\\Beta\\Unloadable=#0\nStdLoadOrder\\Alpha=#10\n",
      Tree(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kRoot)));
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

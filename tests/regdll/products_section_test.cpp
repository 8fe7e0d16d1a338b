// RegisterAppInPManIniEx: one Products.ini section becomes one application registration.
#include <string>
#include <vector>

#include "regdll/QvApmReg.h"
#include "regdll_fixture.h"

namespace {

const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";
const char kProduct[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
const char kRoot[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409\\Applications\\Tarnwick";
const char kSection[] = "Products\\AutoCAD\\R16.0\\MyApp";

const char kFullSection[] =
    "[Products\\AutoCAD\\R16.0\\MyApp]\r\n"
    "Loader=C:\\MyApp\\loader.arx\r\n"
    "Loader0=C:\\MyApp\\first.arx\r\n"
    "Loader1=C:\\MyApp\\second.arx\r\n"
    "Loader3=C:\\MyApp\\unreachable.arx\r\n"
    "CommandGroups=MYAPP\r\n"
    "Modules=myapp.dll\r\n"
    "MenuGroup=MYMENU\r\n"
    "MenuFile=C:\\MyApp\\mymenu.mnu\r\n"
    "Template=C:\\MyApp\\my template.dwt\r\n"
    "Unloadable=1\r\n"
    "LargeIconName=large.ico\r\n"
    "SmallIconName=small.ico\r\n"
    "ShortcutIconName=shortcut.ico\r\n"
    "StdLoadOrder=20\r\n"
    "Unknown=ignored\r\n";

class ProductSectionTest : public RegdllTest {
 protected:
  std::string Ini(const std::string& text) { return WriteFile("Products.ini", text); }

  // The full expected content of the application key written from kFullSection.
  void ExpectFullApp(const std::string& rawAppKey) {
    const std::vector<std::string> names = {"CommandGroups",    "LargeIconName", "Loader",    "Loader0",
                                            "Loader1",          "MenuFile",      "MenuGroup", "Modules",
                                            "ShortcutIconName", "SmallIconName", "Template",  "Unloadable"};
    EXPECT_EQ(names, ValueNames(HKEY_LOCAL_MACHINE, rawAppKey));
    EXPECT_EQ(Sz("C:\\MyApp\\loader.arx"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "Loader"));
    EXPECT_EQ(Sz("C:\\MyApp\\first.arx"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "Loader0"));
    EXPECT_EQ(Sz("C:\\MyApp\\second.arx"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "Loader1"));
    EXPECT_EQ(Sz("MYAPP"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "CommandGroups"));
    EXPECT_EQ(Sz("myapp.dll"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "Modules"));
    EXPECT_EQ(Sz("MYMENU"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "MenuGroup"));
    EXPECT_EQ(Sz("C:\\MyApp\\mymenu.mnu"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "MenuFile"));
    EXPECT_EQ(Sz("C:\\MyApp\\my template.dwt"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "Template"));
    EXPECT_EQ(Dword(1), Value(HKEY_LOCAL_MACHINE, rawAppKey, "Unloadable"));
    EXPECT_EQ(Sz("large.ico"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "LargeIconName"));
    EXPECT_EQ(Sz("small.ico"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "SmallIconName"));
    EXPECT_EQ(Sz("shortcut.ico"), Value(HKEY_LOCAL_MACHINE, rawAppKey, "ShortcutIconName"));
  }
};

TEST_F(ProductSectionTest, WritesEveryValueOfTheSectionIntoTheProductsView) {
  CreateProduct(kId, k32);
  const std::string ini = Ini(kFullSection);
  ASSERT_NE(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0));

  const std::string root = RawMachinePath(k32, kRoot);
  ExpectFullApp(root + "\\Applications\\MyApp");
  EXPECT_EQ(std::vector<std::string>{"MyApp"}, ValueNames(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder"));
  EXPECT_EQ(Dword(20), Value(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", "MyApp"));
  EXPECT_EQ((std::vector<std::string>{"Applications", "StdLoadOrder"}), Subkeys(HKEY_LOCAL_MACHINE, root));
  // The 64-bit view has no such product and gets nothing.
  EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, RawMachinePath(k64, kProduct)));
}

TEST_F(ProductSectionTest, ChoosesTheApplicationRootByRelease) {
  struct Row {
    const char* id;
    const char* section;
    const char* root;  // below the product key
  };
  const Row rows[] = {
      {"AutoCAD\\R15.0\\ACAD-1:409", "Products\\AutoCAD\\R15.0\\MyApp", "QVApps\\Tarnwick"},
      {"AutoCAD LT\\R8\\ACADLT-1:409", "Products\\AutoCAD LT\\R8\\MyApp", "QVApps\\Tarnwick"},
      {"AutoCAD\\R16.0\\ACAD-2:409", "Products\\AutoCAD\\R16.0\\MyApp", "Applications\\Tarnwick"},
      {"AutoCAD\\R15.01\\ACAD-3:409", "Products\\AutoCAD\\R15.01\\MyApp", "Applications\\Tarnwick"},
      {"AutoCAD LT\\R8.1\\ACADLT-4:409", "Products\\AutoCAD LT\\R8.1\\MyApp", "Applications\\Tarnwick"},
      {"AutoCAD\\r15.0\\ACAD-5:409", "Products\\AutoCAD\\r15.0\\MyApp", "Applications\\Tarnwick"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    const std::string product = std::string("Software\\Autodesk\\") + row.id;
    CreateProduct(row.id, k32);
    const std::string ini = Ini("[" + std::string(row.section) + "]\r\nLoader=x.arx\r\nStdLoadOrder=7\r\n");
    ASSERT_NE(0, RegisterAppInPManIniEx(2, row.id, ini.c_str(), row.section, 0)) << "row " << i;
    const std::string root = RawMachinePath(k32, product + "\\" + row.root);
    EXPECT_EQ(Sz("x.arx"), Value(HKEY_LOCAL_MACHINE, root + "\\Applications\\MyApp", "Loader"))
        << "row " << i;
    EXPECT_EQ(Dword(7), Value(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", "MyApp")) << "row " << i;
    EXPECT_EQ(std::vector<std::string>{std::string(row.root).substr(0, std::string(row.root).find('\\'))},
              Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, product)))
        << "row " << i;
  }
}

TEST_F(ProductSectionTest, WritesIntoThe64BitViewWhereTheProductLives) {
  CreateProduct(kId, k64);
  const std::string ini = Ini(kFullSection);
  ASSERT_NE(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0));
  ExpectFullApp(RawMachinePath(k64, kRoot) + "\\Applications\\MyApp");
  EXPECT_EQ(Dword(20), Value(HKEY_LOCAL_MACHINE, RawMachinePath(k64, kRoot) + "\\StdLoadOrder", "MyApp"));
  EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk")));
}

TEST_F(ProductSectionTest, WritesIntoBothViewsWhenTheProductIsInBoth) {
  CreateProduct(kId, k32);
  CreateProduct(kId, k64);
  const std::string ini = Ini(kFullSection);
  ASSERT_NE(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0));
  for (REGSAM view : {k32, k64}) {
    SCOPED_TRACE(view);
    ExpectFullApp(RawMachinePath(view, kRoot) + "\\Applications\\MyApp");
    EXPECT_EQ(Dword(20), Value(HKEY_LOCAL_MACHINE, RawMachinePath(view, kRoot) + "\\StdLoadOrder", "MyApp"));
  }
}

TEST_F(ProductSectionTest, ModeSelectsOneView) {
  struct Row {
    int mode;
    REGSAM productView;
    bool written;
  };
  const Row rows[] = {{3, k32, true}, {3, k64, false}, {4, k64, true}, {4, k32, false}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::string id = "AutoCAD\\R16.0\\ACAD-" + std::to_string(i) + ":409";
    const std::string section = "Products\\AutoCAD\\R16.0\\MyApp";
    CreateProduct(id, rows[i].productView);
    const std::string ini = Ini("[" + section + "]\r\nLoader=x.arx\r\n");
    EXPECT_EQ(rows[i].written,
              RegisterAppInPManIniEx(rows[i].mode, id.c_str(), ini.c_str(), section.c_str(), 0) != 0)
        << "row " << i;
    const std::string product = RawMachinePath(rows[i].productView, "Software\\Autodesk\\" + id);
    EXPECT_EQ(rows[i].written,
              Exists(HKEY_LOCAL_MACHINE, product + "\\Applications\\Tarnwick\\Applications\\MyApp"))
        << "row " << i;
    EXPECT_EQ(rows[i].written, !Subkeys(HKEY_LOCAL_MACHINE, product).empty()) << "row " << i;
  }
}

TEST_F(ProductSectionTest, AProductThatIsNowhereIsAFailure) {
  CreateProduct("AutoCAD\\R16.0\\OTHER", k32);
  const std::string ini = Ini(kFullSection);
  EXPECT_EQ(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0));
  EXPECT_EQ(std::vector<std::string>{"OTHER"},
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk\\AutoCAD\\R16.0")));
  EXPECT_FALSE(Exists(HKEY_LOCAL_MACHINE, RawMachinePath(k64, "Software\\Autodesk")));
}

TEST_F(ProductSectionTest, ReRegistrationLeavesExactlyTheSectionsValues) {
  CreateProduct(kId, k32);
  const std::string appKey = std::string(kRoot) + "\\Applications\\MyApp";
  SetString(HKEY_LOCAL_MACHINE, appKey, "Loader2", "stale.arx");
  SetString(HKEY_LOCAL_MACHINE, appKey, "Template", "old.dwt");
  SetDword(HKEY_LOCAL_MACHINE, appKey, "Unloadable", 1);
  SetString(HKEY_LOCAL_MACHINE, appKey, "", "default");
  SetString(HKEY_LOCAL_MACHINE, appKey + "\\Data", "Kept", "yes");
  SetDword(HKEY_LOCAL_MACHINE, std::string(kRoot) + "\\StdLoadOrder", "MyApp", 5);
  SetDword(HKEY_LOCAL_MACHINE, std::string(kRoot) + "\\StdLoadOrder", "Other", 6);

  const std::string ini = Ini(std::string("[") + kSection + "]\r\nLoader0=new.arx\r\nTemplate=\r\n");
  ASSERT_NE(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0));
  const std::string raw = RawMachinePath(k32, appKey);
  EXPECT_EQ(std::vector<std::string>{"Loader0"}, ValueNames(HKEY_LOCAL_MACHINE, raw));
  EXPECT_EQ(Sz("new.arx"), Value(HKEY_LOCAL_MACHINE, raw, "Loader0"));
  EXPECT_EQ(Sz("yes"), Value(HKEY_LOCAL_MACHINE, raw + "\\Data", "Kept"));
  EXPECT_EQ(std::vector<std::string>{"Other"},
            ValueNames(HKEY_LOCAL_MACHINE, RawMachinePath(k32, std::string(kRoot) + "\\StdLoadOrder")));
}

TEST_F(ProductSectionTest, LimitsOfValues) {
  struct Row {
    const char* values;
    bool accepted;
    StoredValue loader;
    StoredValue unloadable;
    StoredValue order;
  };
  const std::string longest(259, 'a');
  const std::string tooLong(260, 'a');
  const Row rows[] = {
      {"Loader=x\r\nUnloadable=0\r\nStdLoadOrder=4294967295\r\n", true, Sz("x"), Dword(0), Dword(0xFFFFFFFF)},
      {"Loader=x\r\nUnloadable=  7  \r\n", true, Sz("x"), Dword(7), Missing()},
      {"Loader=\"quoted text\"\r\n", true, Sz("quoted text"), Missing(), Missing()},
      {"Loader=\r\nUnloadable=\r\nStdLoadOrder=\r\n", true, Missing(), Missing(), Missing()},
      {nullptr, true, Sz(longest), Missing(), Missing()},  // 259 bytes, filled in below
      {nullptr, false, {}, {}, {}},                        // 260 bytes
      {"Loader=x\r\nStdLoadOrder=4294967296\r\n", false, {}, {}, {}},
      {"Loader=x\r\nStdLoadOrder=-1\r\n", false, {}, {}, {}},
      {"Loader=x\r\nStdLoadOrder=0x10\r\n", false, {}, {}, {}},
      {"Loader=x\r\nUnloadable=yes\r\n", false, {}, {}, {}},
      {"Loader=x\r\nUnloadable=1 ; comment\r\n", false, {}, {}, {}},
      {"Loader=x\r\nUnloadable=99999999999999999999\r\n", false, {}, {}, {}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::string id = "AutoCAD\\R16.0\\ACAD-" + std::to_string(i) + ":409";
    CreateProduct(id, k32);
    std::string values = rows[i].values ? rows[i].values : "";
    if (i == 4) values = "Loader=" + longest + "\r\n";
    if (i == 5) values = "Loader=x\r\nModules=" + tooLong + "\r\n";
    const std::string ini = Ini(std::string("[") + kSection + "]\r\n" + values);
    EXPECT_EQ(rows[i].accepted, RegisterAppInPManIniEx(2, id.c_str(), ini.c_str(), kSection, 0) != 0)
        << "row " << i;
    const std::string root = RawMachinePath(k32, "Software\\Autodesk\\" + id + "\\Applications\\Tarnwick");
    if (!rows[i].accepted) {
      EXPECT_EQ(std::vector<std::string>{},
                Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk\\" + id)))
          << "row " << i;
      continue;
    }
    EXPECT_EQ(rows[i].loader, Value(HKEY_LOCAL_MACHINE, root + "\\Applications\\MyApp", "Loader"))
        << "row " << i;
    EXPECT_EQ(rows[i].unloadable, Value(HKEY_LOCAL_MACHINE, root + "\\Applications\\MyApp", "Unloadable"))
        << "row " << i;
    EXPECT_EQ(rows[i].order, Value(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", "MyApp")) << "row " << i;
  }
}

TEST_F(ProductSectionTest, MalformedFilesLeaveAnExistingRegistrationAlone) {
  CreateProduct(kId, k32);
  const std::string appKey = std::string(kRoot) + "\\Applications\\MyApp";
  SetString(HKEY_LOCAL_MACHINE, appKey, "Loader", "old.arx");
  SetDword(HKEY_LOCAL_MACHINE, std::string(kRoot) + "\\StdLoadOrder", "MyApp", 5);
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256);
  const std::string files[] = {
      "",                                                                          // empty file
      "[Products\\AutoCAD\\R16.0\\Other]\r\nLoader=x\r\n",                         // missing section
      "[Products\\AutoCAD\\R16.0\\MyApp]\r\n",                                     // empty section
      "[Products\\AutoCAD\\R16.0\\MyApp]\r\n; only a comment\r\n",                 // nothing but a comment
      junk,                                                                        // binary junk
      "[Products\\AutoCAD\\R16.0\\MyApp]\r\nLoader=x\r\nUnloadable=\x01\xFF\r\n",  // junk number
      std::string("[Products\\AutoCAD\\R16.0\\MyApp]\r\nLoader=") + std::string(5000, 'z') + "\r\n",
  };
  for (size_t i = 0; i < sizeof files / sizeof files[0]; ++i) {
    const std::string ini = WriteFile("Bad" + std::to_string(i) + ".ini", files[i]);
    EXPECT_EQ(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0)) << "file " << i;
    const std::string raw = RawMachinePath(k32, appKey);
    EXPECT_EQ(std::vector<std::string>{"Loader"}, ValueNames(HKEY_LOCAL_MACHINE, raw)) << "file " << i;
    EXPECT_EQ(Sz("old.arx"), Value(HKEY_LOCAL_MACHINE, raw, "Loader")) << "file " << i;
    EXPECT_EQ(Dword(5),
              Value(HKEY_LOCAL_MACHINE, RawMachinePath(k32, std::string(kRoot) + "\\StdLoadOrder"), "MyApp"))
        << "file " << i;
  }
}

TEST_F(ProductSectionTest, MalformedArgumentsAreRefused) {
  CreateProduct(kId, k32);
  const std::string ini = Ini(std::string(kFullSection) + "[Products\\AutoCAD\\R16.0\\A\\B]\r\nLoader=x\r\n" +
                              "[Products\\AutoCAD\\R16.0\\]\r\nLoader=x\r\n");
  const std::string longName(256, 'n');
  const std::string longSection = "Products\\AutoCAD\\R16.0\\" + longName;
  const std::string longId = "AutoCAD\\R16.0\\" + longName;
  struct Row {
    int mode;
    const char* id;
    const char* ini;
    const char* section;
    int reserved;
  };
  const Row rows[] = {
      {2, nullptr, ini.c_str(), kSection, 0},
      {2, "", ini.c_str(), kSection, 0},
      {2, "AutoCAD\\R16.0", ini.c_str(), kSection, 0},
      {2, "AutoCAD\\R16.0\\ACAD-201:409\\Extra", ini.c_str(), kSection, 0},
      {2, "AutoCAD\\R16.0\\", ini.c_str(), kSection, 0},
      {2, "\\AutoCAD\\R16.0\\ACAD-201:409", ini.c_str(), kSection, 0},
      {2, "Inventor\\R16.0\\ACAD-201:409", ini.c_str(), kSection, 0},
      {2, longId.c_str(), ini.c_str(), longSection.c_str(), 0},
      {2, kId, nullptr, kSection, 0},
      {2, kId, "", kSection, 0},
      {2, kId, "C:\\no\\such\\Products.ini", kSection, 0},
      {2, kId, Folder().c_str(), kSection, 0},
      {2, kId, ini.c_str(), nullptr, 0},
      {2, kId, ini.c_str(), "", 0},
      {2, kId, ini.c_str(), "Products\\AutoCAD\\R17.0\\MyApp", 0},
      {2, kId, ini.c_str(), "Platform\\AutoCAD\\R16.0", 0},
      {2, kId, ini.c_str(), "Products\\AutoCAD\\R16.0\\A\\B", 0},
      {2, kId, ini.c_str(), "Products\\AutoCAD\\R16.0\\", 0},
      {2, kId, ini.c_str(), longSection.c_str(), 0},
      {1, kId, ini.c_str(), kSection, 0},
      {5, kId, ini.c_str(), kSection, 0},
      {2, kId, ini.c_str(), kSection, 1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    EXPECT_EQ(0, RegisterAppInPManIniEx(row.mode, row.id, row.ini, row.section, row.reserved)) << "row " << i;
  }
  EXPECT_EQ(std::vector<std::string>{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct)));
  EXPECT_EQ(std::vector<std::string>{"ACAD-201:409"},
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk\\AutoCAD\\R16.0")));
  // The same arguments, put right, do register.
  EXPECT_NE(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0));
}

TEST_F(ProductSectionTest, AFailureHalfWayUndoesEverythingThisCallWrote) {
  // A volatile application root lets the values be written but refuses the lasting StdLoadOrder key.
  CreateProduct(kId, k32);
  const std::string appKey = std::string(kRoot) + "\\Applications\\MyApp";
  CreateKey(HKEY_LOCAL_MACHINE, std::string(kProduct) + "\\Applications");
  CreateKey(HKEY_LOCAL_MACHINE, kRoot, k32, true);
  CreateKey(HKEY_LOCAL_MACHINE, std::string(kRoot) + "\\Applications", k32, true);
  CreateKey(HKEY_LOCAL_MACHINE, appKey, k32, true);
  SetString(HKEY_LOCAL_MACHINE, appKey, "Loader", "old.arx");
  SetRaw(HKEY_LOCAL_MACHINE, appKey, "Modules", REG_BINARY, std::string("\x01\x00\x02", 3));

  const std::string ini = Ini(kFullSection);
  EXPECT_EQ(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0));
  const std::string raw = RawMachinePath(k32, appKey);
  EXPECT_EQ((std::vector<std::string>{"Loader", "Modules"}), ValueNames(HKEY_LOCAL_MACHINE, raw));
  EXPECT_EQ(Sz("old.arx"), Value(HKEY_LOCAL_MACHINE, raw, "Loader"));
  EXPECT_EQ((StoredValue{true, REG_BINARY, std::string("\x01\x00\x02", 3)}),
            Value(HKEY_LOCAL_MACHINE, raw, "Modules"));
  EXPECT_EQ(std::vector<std::string>{"Applications"},
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kRoot)));
}

TEST_F(ProductSectionTest, AFailureInTheSecondViewUndoesTheFirst) {
  CreateProduct(kId, k32);
  CreateProduct(kId, k64);
  // The 64-bit product's application root cannot take lasting keys.
  CreateKey(HKEY_LOCAL_MACHINE, kRoot, k64, true);
  const std::string ini = Ini(kFullSection);
  EXPECT_EQ(0, RegisterAppInPManIniEx(2, kId, ini.c_str(), kSection, 0));
  EXPECT_EQ(std::vector<std::string>{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct)));
  EXPECT_EQ(std::vector<std::string>{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k64, kRoot)));
}

}  // namespace

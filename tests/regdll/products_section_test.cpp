// RegisterAppInPManIniEx: one Products.ini section becomes one application registration.
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
  const std::pair<const char*, StoredValue> expected[] = {
      {"CommandGroups", Sz("MYAPP")},
      {"LargeIconName", Sz("large.ico")},
      {"Loader", Sz("C:\\MyApp\\loader.arx")},
      {"Loader0", Sz("C:\\MyApp\\first.arx")},
      {"Loader1", Sz("C:\\MyApp\\second.arx")},
      {"MenuFile", Sz("C:\\MyApp\\mymenu.mnu")},
      {"MenuGroup", Sz("MYMENU")},
      {"Modules", Sz("myapp.dll")},
      {"ShortcutIconName", Sz("shortcut.ico")},
      {"SmallIconName", Sz("small.ico")},
      {"Template", Sz("C:\\MyApp\\my template.dwt")},
      {"Unloadable", Dword(1)},
  };
  const std::string rawApp = RawMachinePath(k32, appKey), rawOrder = RawMachinePath(k32, orderKey);
  Names names;
  for (const auto& value : expected) {
    names.push_back(value.first);
    EXPECT_EQ(value.second, Value(HKEY_LOCAL_MACHINE, rawApp, value.first)) << value.first;
  }
  EXPECT_EQ(names, ValueNames(HKEY_LOCAL_MACHINE, rawApp));
  EXPECT_EQ((Names{"MyApp", "Other"}), ValueNames(HKEY_LOCAL_MACHINE, rawOrder));
  EXPECT_EQ(Dword(20), Value(HKEY_LOCAL_MACHINE, rawOrder, "MyApp"));

  // Registering again leaves exactly the new section's values; other keys and orders stay.
  ASSERT_NE(0,
            RegisterAppInPManIniEx(2, kId, Section("Loader0=new.arx\r\nTemplate=\r\n").c_str(), kSection, 0));
  EXPECT_EQ(Names{"Loader0"}, ValueNames(HKEY_LOCAL_MACHINE, rawApp));
  EXPECT_EQ(Sz("new.arx"), Value(HKEY_LOCAL_MACHINE, rawApp, "Loader0"));
  EXPECT_EQ(Sz("yes"), Value(HKEY_LOCAL_MACHINE, rawApp + "\\Data", "Kept"));
  EXPECT_EQ(Names{"Other"}, ValueNames(HKEY_LOCAL_MACHINE, rawOrder));
}

TEST_F(ProductSectionTest, ChoosesTheApplicationRootByRelease) {
  const char* rows[][2] = {
      {"AutoCAD\\R15.0\\ACAD-1:409", "QVApps"},           {"AutoCAD LT\\R8\\ACADLT-1:409", "QVApps"},
      {"AutoCAD\\R16.0\\ACAD-2:409", "Applications"},     {"AutoCAD\\R15.01\\ACAD-3:409", "Applications"},
      {"AutoCAD LT\\R8.1\\ACADLT-4:409", "Applications"}, {"AutoCAD\\r15.0\\ACAD-5:409", "Applications"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::string id = rows[i][0];
    const std::string section = "Products\\" + id.substr(0, id.rfind('\\')) + "\\MyApp";
    CreateProduct(id, k32);
    const std::string ini = Ini("[" + section + "]\r\nLoader=x.arx\r\nStdLoadOrder=7\r\n");
    ASSERT_NE(0, RegisterAppInPManIniEx(2, id.c_str(), ini.c_str(), section.c_str(), 0)) << "row " << i;
    const std::string product = RawMachinePath(k32, "Software\\Autodesk\\" + id);
    const std::string root = product + "\\" + rows[i][1] + "\\Tarnwick";
    EXPECT_EQ(Sz("x.arx"), Value(HKEY_LOCAL_MACHINE, root + "\\Applications\\MyApp", "Loader"))
        << "row " << i;
    EXPECT_EQ(Dword(7), Value(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", "MyApp")) << "row " << i;
    EXPECT_EQ(Names{rows[i][1]}, Subkeys(HKEY_LOCAL_MACHINE, product)) << "row " << i;
  }
}

TEST_F(ProductSectionTest, WritesIntoTheViewsWhereTheProductLivesAndTheModeAllows) {
  struct Row {
    int mode;
    bool in32, in64;          // where the product lives
    bool result, to32, to64;  // what the call answers and where it writes
  };
  const Row rows[] = {
      {2, true, false, true, true, false}, {2, false, true, true, false, true},
      {2, true, true, true, true, true},   {2, false, false, false, false, false},
      {3, true, true, true, true, false},  {3, false, true, false, false, false},
      {4, true, true, true, false, true},  {4, true, false, false, false, false},
  };
  CreateProduct("AutoCAD\\R16.0\\OTHER", k32);
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    const std::string id = "AutoCAD\\R16.0\\ACAD-" + std::to_string(i) + ":409";
    if (row.in32) CreateProduct(id, k32);
    if (row.in64) CreateProduct(id, k64);
    const std::string ini = Section("Loader=x.arx\r\nStdLoadOrder=3\r\n");
    EXPECT_EQ(row.result, RegisterAppInPManIniEx(row.mode, id.c_str(), ini.c_str(), kSection, 0) != 0)
        << "row " << i;
    for (REGSAM view : {k32, k64}) {
      const std::string product = RawMachinePath(view, "Software\\Autodesk\\" + id);
      const bool written = view == k32 ? row.to32 : row.to64;
      EXPECT_EQ(
          written ? Sz("x.arx") : Missing(),
          Value(HKEY_LOCAL_MACHINE, product + "\\Applications\\Tarnwick\\Applications\\MyApp", "Loader"))
          << "row " << i << " view " << view;
      EXPECT_EQ(written ? Names{"Applications"} : Names{}, Subkeys(HKEY_LOCAL_MACHINE, product))
          << "row " << i << " view " << view;
    }
  }
  EXPECT_EQ(Names{},
            Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, "Software\\Autodesk\\AutoCAD\\R16.0\\OTHER")));
}

TEST_F(ProductSectionTest, LimitsOfValues) {
  struct Row {
    std::string values;
    bool accepted;
    StoredValue loader, unloadable, order;
  };
  const std::string longest(259, 'a');
  const Row rows[] = {
      {"Loader=x\r\nUnloadable=0\r\nStdLoadOrder=4294967295\r\n", true, Sz("x"), Dword(0), Dword(0xFFFFFFFF)},
      {"Loader=x\r\nUnloadable=  7  \r\n", true, Sz("x"), Dword(7), Missing()},
      {"Loader=\"quoted text\"\r\n", true, Sz("quoted text"), Missing(), Missing()},
      {"Loader=\r\nUnloadable=\r\nStdLoadOrder=\r\n", true, Missing(), Missing(), Missing()},
      {"Loader=" + longest + "\r\n", true, Sz(longest), Missing(), Missing()},
      {"Loader=x\r\nModules=" + longest + "a\r\n", false, {}, {}, {}},
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
    EXPECT_EQ(rows[i].accepted,
              RegisterAppInPManIniEx(2, id.c_str(), Section(rows[i].values).c_str(), kSection, 0) != 0)
        << "row " << i;
    const std::string product = RawMachinePath(k32, "Software\\Autodesk\\" + id);
    const std::string root = product + "\\Applications\\Tarnwick";
    if (!rows[i].accepted) {
      EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, product)) << "row " << i;
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
  const std::string before = inspect::DumpTree(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kRoot), k64);
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256);
  const std::string header = std::string("[") + kSection + "]\r\n";
  const std::string files[] = {
      "",
      "[Products\\AutoCAD\\R16.0\\Other]\r\nLoader=x\r\n",  // no such section
      header,
      header + "; only a comment\r\n",
      junk,
      header + "Loader=x\r\nUnloadable=\x01\xFF\r\n",
      header + "Loader=" + std::string(5000, 'z') + "\r\n",
  };
  for (size_t i = 0; i < sizeof files / sizeof files[0]; ++i) {
    EXPECT_EQ(0, RegisterAppInPManIniEx(2, kId, Ini(files[i]).c_str(), kSection, 0)) << "file " << i;
    EXPECT_EQ(before, inspect::DumpTree(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kRoot), k64)) << "file " << i;
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
  CreateKey(HKEY_LOCAL_MACHINE, std::string(kProduct) + "\\Applications");
  for (const std::string& key : {std::string(kRoot), std::string(kRoot) + "\\Applications", appKey})
    CreateKey(HKEY_LOCAL_MACHINE, key, k32, true);
  SetString(HKEY_LOCAL_MACHINE, appKey, "Loader", "old.arx");
  SetRaw(HKEY_LOCAL_MACHINE, appKey, "Modules", REG_BINARY, std::string("\x01\x00\x02", 3));
  const std::string before = inspect::DumpTree(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct), k64);
  EXPECT_EQ(0, RegisterAppInPManIniEx(2, kId, Ini(kFullSection).c_str(), kSection, 0));
  EXPECT_EQ(before, inspect::DumpTree(HKEY_LOCAL_MACHINE, RawMachinePath(k32, kProduct), k64));

  // A failure in the second view undoes the first.
  const std::string id = "AutoCAD\\R16.0\\ACAD-2:409", product = "Software\\Autodesk\\" + id;
  CreateProduct(id, k32);
  CreateProduct(id, k64);
  CreateKey(HKEY_LOCAL_MACHINE, product + "\\Applications\\Tarnwick", k64, true);
  EXPECT_EQ(0, RegisterAppInPManIniEx(2, id.c_str(), Ini(kFullSection).c_str(), kSection, 0));
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k32, product)));
  EXPECT_EQ(Names{}, Subkeys(HKEY_LOCAL_MACHINE, RawMachinePath(k64, product + "\\Applications\\Tarnwick")));
}

}  // namespace

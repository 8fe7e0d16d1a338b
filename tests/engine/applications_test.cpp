// Applications of a product and the links stored in its profiles.
#include "engine/applications.h"

#include <gtest/gtest.h>

#include "engine/configuration.h"
#include "registry_sandbox.h"

namespace {

const char kKey[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
const std::string kRoot = std::string(kKey) + "\\Applications\\Tarnwick";

std::string App(const std::string& name) { return kRoot + "\\Applications\\" + name; }

std::string Joined(const StringList& list) {
  std::string text;
  for (const std::string& item : list) text += item + ";";
  return text;
}

std::string Names(const std::vector<PMApplication>& applications) {
  std::string text;
  for (const PMApplication& a : applications) text += a.Name + "=" + std::to_string(a.StdLoadOrder) + ";";
  return text;
}

class ApplicationsTest : public ::testing::Test {
 protected:
  RegistrySandbox sandbox_;
  std::vector<PMApplication> applications_{PMApplication()};
};

TEST_F(ApplicationsTest, ReadsEveryValueOfAnApplication) {
  const std::string path = App("Alpha");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "Loader", "main.arx");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "Loader0", "first.arx");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "Loader2", "unreached.arx");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "CommandGroups", "ALPHA_CMDS");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "Modules", "alpha.dll");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "MenuGroup", "ALPHA");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "MenuFile", "C:\\Alpha\\alpha.mnu");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "Template", "alpha.dwt");
  seed::SetDword(HKEY_LOCAL_MACHINE, path, "Unloadable", 0xFFFFFFFE);
  seed::SetString(HKEY_LOCAL_MACHINE, path, "LargeIconName", "big.ico");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "SmallIconName", "small.ico");
  seed::SetString(HKEY_LOCAL_MACHINE, path, "ShortcutIconName", "link.ico");
  ASSERT_EQ(1, ReadApplications(kKey, 0, applications_));
  const PMApplication& a = applications_[0];
  EXPECT_EQ("Alpha", a.Name);
  EXPECT_EQ("main.arx;first.arx;", Joined(a.Loaders)) << "Loader2 is not read: Loader1 is missing";
  EXPECT_EQ("ALPHA_CMDS;", Joined(a.CommandGroups));
  EXPECT_EQ("alpha.dll;", Joined(a.Modules));
  EXPECT_EQ("ALPHA;", Joined(a.MenuGroups));
  EXPECT_EQ("C:\\Alpha\\alpha.mnu;", Joined(a.MenuFiles));
  EXPECT_EQ("alpha.dwt", a.Template);
  EXPECT_EQ(-2, a.Unloadable);
  EXPECT_EQ("big.ico", a.LargeIconName);
  EXPECT_EQ("small.ico", a.SmallIconName);
  EXPECT_EQ("link.ico", a.ShortcutIconName);
  EXPECT_EQ(kNoStdLoadOrder, a.StdLoadOrder) << "no StdLoadOrder key";
}

TEST_F(ApplicationsTest, MissingAndOversizedValuesLeaveTheDefaults) {
  seed::CreatePath(HKEY_LOCAL_MACHINE, App("Bare"));
  const std::string odd = App("Odd");
  seed::SetString(HKEY_LOCAL_MACHINE, odd, "Loader0", "zero.arx");  // no "Loader": numbered ones still read
  seed::SetString(HKEY_LOCAL_MACHINE, odd, "Loader1", std::string(260, 'l'));  // too long: ends the list
  seed::SetString(HKEY_LOCAL_MACHINE, odd, "Loader2", "two.arx");
  seed::SetString(HKEY_LOCAL_MACHINE, odd, "Template", std::string(260, 't'));
  seed::SetString(HKEY_LOCAL_MACHINE, odd, "Modules", std::string(259, 'm'));
  // Types are not compared: raw bytes are text up to a zero, or as a whole when a zero fits.
  seed::SetRaw(HKEY_LOCAL_MACHINE, odd, "MenuGroup", REG_BINARY, "GRP");
  seed::SetRaw(HKEY_LOCAL_MACHINE, odd, "MenuFile", REG_BINARY, std::string(260, 'f'));
  seed::SetDword(HKEY_LOCAL_MACHINE, odd, "CommandGroups", 0x434241);
  seed::SetRaw(HKEY_LOCAL_MACHINE, odd, "Unloadable", REG_BINARY, std::string("\1\0", 2));
  ASSERT_EQ(2, ReadApplications(kKey, 0, applications_));
  const PMApplication& bare = applications_[0];
  EXPECT_EQ("Bare", bare.Name);
  EXPECT_TRUE(bare.Loaders.empty() && bare.Modules.empty() && bare.CommandGroups.empty() &&
              bare.MenuGroups.empty() && bare.MenuFiles.empty() && bare.Template.empty());
  EXPECT_EQ(0, bare.Unloadable);
  const PMApplication& o = applications_[1];
  EXPECT_EQ("zero.arx;", Joined(o.Loaders));
  EXPECT_EQ("", o.Template);
  EXPECT_EQ(std::string(259, 'm') + ";", Joined(o.Modules));
  EXPECT_EQ("GRP;", Joined(o.MenuGroups));
  EXPECT_EQ("", Joined(o.MenuFiles));
  EXPECT_EQ("ABC;", Joined(o.CommandGroups));
  EXPECT_EQ(0, o.Unloadable) << "two bytes are no number";
}

TEST_F(ApplicationsTest, SortedByStandardOrderWithTheUnorderedLast) {
  for (const char* name : {"A", "B", "C", "D", "E", "F"}) seed::CreatePath(HKEY_LOCAL_MACHINE, App(name));
  const std::string orders = kRoot + "\\StdLoadOrder";
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "A", 20);
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "C", 10);
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "D", 20);
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "E", 0x80000000);  // unsigned: after 20
  seed::SetRaw(HKEY_LOCAL_MACHINE, orders, "F", REG_BINARY, std::string("\5\0\0\0", 4));
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "b", 1);  // value names ignore letter case
  ASSERT_EQ(6, ReadApplications(kKey, 0, applications_));
  EXPECT_EQ("B=1;F=5;C=10;A=20;D=20;E=2147483648;", Names(applications_))
      << "registry value names ignore case, so B finds the value b";

  RemoveTree(HKEY_LOCAL_MACHINE, orders);
  ReadApplications(kKey, 0, applications_);
  EXPECT_EQ("A=4294967295;B=4294967295;C=4294967295;D=4294967295;E=4294967295;F=4294967295;",
            Names(applications_));
}

TEST_F(ApplicationsTest, RootDependsOnTheRelease) {
  const struct {
    const char* key;
    const char* root;
  } rows[] = {
      {"Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-1",
       "Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-1\\QVApps\\Tarnwick"},
      {"Software\\Autodesk\\AutoCAD LT\\R8\\ACLT-1",
       "Software\\Autodesk\\AutoCAD LT\\R8\\ACLT-1\\QVApps\\Tarnwick"},
      {"Software\\Autodesk\\AutoCAD\\R15.01\\ACAD-1",
       "Software\\Autodesk\\AutoCAD\\R15.01\\ACAD-1\\Applications\\Tarnwick"},
      {"Software\\Autodesk\\AutoCAD\\r15.0\\ACAD-1",
       "Software\\Autodesk\\AutoCAD\\r15.0\\ACAD-1\\Applications\\Tarnwick"},
      {"Software\\Autodesk\\AutoCAD LT\\R8.1\\ACLT-1",
       "Software\\Autodesk\\AutoCAD LT\\R8.1\\ACLT-1\\Applications\\Tarnwick"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].root, ApplicationRootPath(rows[i].key)) << "row " << i;

  const std::string r15 = "Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-1";
  seed::CreatePath(HKEY_LOCAL_MACHINE, r15 + "\\QVApps\\Tarnwick\\Applications\\Old");
  seed::CreatePath(HKEY_LOCAL_MACHINE, r15 + "\\Applications\\Tarnwick\\Applications\\New");
  ASSERT_EQ(1, ReadApplications(r15, 0, applications_));
  EXPECT_EQ("Old", applications_[0].Name);
}

TEST_F(ApplicationsTest, UnreadableApplicationIsSkippedAndMissingRootGivesNone) {
  for (const char* name : {"A", "B", "C"}) seed::SetString(HKEY_LOCAL_MACHINE, App(name), "Modules", name);
  seed::DenyReading(HKEY_LOCAL_MACHINE, App("B"));
  ReadApplications(kKey, 0, applications_);
  EXPECT_EQ("A=4294967295;C=4294967295;", Names(applications_));
  EXPECT_EQ(0, ReadApplications("Software\\Autodesk\\AutoCAD\\R16.0\\Other", 0, applications_));
  EXPECT_TRUE(applications_.empty());
}

class ProfileLinksTest : public ::testing::Test {
 protected:
  RegistrySandbox sandbox_;
  const std::string links_ = std::string(kKey) + "\\Profiles\\P\\Tarnwick\\Applications";
  std::vector<PMAcadAppLink> read_{PMAcadAppLink()};
};

TEST_F(ProfileLinksTest, EveryStoredLinkIsLinkedWithItsNumbers) {
  seed::SetDword(HKEY_CURRENT_USER, links_ + "\\A", "LoadOrder", 3);
  seed::SetDword(HKEY_CURRENT_USER, links_ + "\\A", "MenuLoaded", 1);
  seed::CreatePath(HKEY_CURRENT_USER, links_ + "\\B");
  seed::SetDword(HKEY_CURRENT_USER, links_ + "\\C", "LoadOrder", 9);
  seed::DenyReading(HKEY_CURRENT_USER, links_ + "\\C");
  seed::SetString(HKEY_CURRENT_USER, links_ + "\\D", "LoadOrder", "7");
  seed::SetRaw(HKEY_CURRENT_USER, links_ + "\\D", "MenuLoaded", REG_BINARY, std::string("\1\0\0\0", 4));
  ASSERT_EQ(4, ReadProfileLinks(kKey, "P", read_));
  const char* names[] = {"A", "B", "C", "D"};
  const DWORD loadOrders[] = {3, 0, 0, 0};
  const DWORD menuLoaded[] = {1, 0, 0, 0};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(names[i], read_[i].Name) << "row " << i;
    EXPECT_EQ(loadOrders[i], read_[i].LoadOrder) << "row " << i;
    EXPECT_EQ(menuLoaded[i], read_[i].MenuLoaded) << "row " << i;
    EXPECT_EQ(LinkLinked, read_[i].State) << "row " << i;
    EXPECT_EQ(0u, read_[i].StdLoadOrder) << "row " << i;
    EXPECT_EQ(-1, read_[i].Application) << "row " << i;
  }
}

TEST_F(ProfileLinksTest, NoLinksKeyGivesNoLinks) {
  seed::CreatePath(HKEY_CURRENT_USER, std::string(kKey) + "\\Profiles\\P");
  EXPECT_EQ(0, ReadProfileLinks(kKey, "P", read_));
  EXPECT_TRUE(read_.empty());
}

// The whole load: stored links merged into the applications and put in load order.
TEST_F(ProfileLinksTest, LoadOrdersThreeZeroOneComeOutAsCAB) {
  const std::string product = kKey;
  seed::SetString(HKEY_LOCAL_MACHINE, product, "ProductName", "AutoCAD 2005");
  seed::SetString(HKEY_LOCAL_MACHINE, product, "Location", "C:\\Acad");
  for (const char* name : {"A", "B", "C", "D"}) seed::CreatePath(HKEY_LOCAL_MACHINE, App(name));
  for (const char* name : {"A", "B", "C"})
    seed::SetDword(HKEY_LOCAL_MACHINE, kRoot + "\\StdLoadOrder", name, name[0] - 'A' + 1);
  seed::SetString(HKEY_CURRENT_USER, std::string(kKey) + "\\Profiles", "", "P");
  seed::SetDword(HKEY_CURRENT_USER, links_ + "\\A", "LoadOrder", 3);
  seed::SetDword(HKEY_CURRENT_USER, links_ + "\\B", "LoadOrder", 0);
  seed::SetDword(HKEY_CURRENT_USER, links_ + "\\C", "LoadOrder", 1);
  seed::SetDword(HKEY_CURRENT_USER, links_ + "\\Gone", "LoadOrder", 2);
  seed::SetDword(HKEY_CURRENT_USER, links_ + "\\d", "LoadOrder", 2);

  ConfigurationModel model;
  LoadConfiguration(model);
  ASSERT_FALSE(model.empty());
  ASSERT_EQ(1u, model[0].Profiles.size());
  std::string order;
  for (const PMAcadAppLink& link : model[0].Profiles[0].Links)
    order += link.Name + ":" + std::to_string(link.LoadOrder) + ":" + std::to_string(link.State) + ";";
  EXPECT_EQ("C:1:0;A:3:0;B:0:0;D:0:2;", order)
      << "a stored link of another letter case or without an application is not taken";
}

}  // namespace

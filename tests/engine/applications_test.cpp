// Applications of a product and the links stored in its profiles.
#include "engine/applications.h"

#include <gtest/gtest.h>

#include "engine/configuration.h"
#include "engine_test.h"

namespace {

const std::string kRoot = std::string(kKey) + "\\Applications\\Tarnwick";
const std::string kLinks = std::string(kKey) + "\\Profiles\\P\\Tarnwick\\Applications";

std::string App(const std::string& name) { return kRoot + "\\Applications\\" + name; }

// Every field, "|" between them.
std::string Describe(const PMApplication& a) {
  return a.Name + "|" + Joined(a.Loaders) + "|" + Joined(a.CommandGroups) + "|" + Joined(a.Modules) + "|" +
         Joined(a.MenuGroups) + "|" + Joined(a.MenuFiles) + "|" + a.Template + "|" +
         std::to_string(a.Unloadable) + "|" + a.LargeIconName + "|" + a.SmallIconName + "|" +
         a.ShortcutIconName + "|" + std::to_string(a.StdLoadOrder);
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

// Types are not compared: raw bytes are text up to a zero, or as a whole when a zero fits. A
// value too long for its buffer is missing; a missing Loader<n> ends the numbered loaders.
TEST_F(ApplicationsTest, ReadsEveryValueAndLeavesTheDefaultsForWhatDoesNotFit) {
  const struct {
    const char* app;
    const char* name;
    DWORD type;
    std::string bytes;
  } values[] = {
      {"Alpha", "Loader", REG_SZ, std::string("main.arx", 9)},
      {"Alpha", "Loader0", REG_SZ, std::string("first.arx", 10)},
      {"Alpha", "Loader2", REG_SZ, std::string("unreached.arx", 14)},
      {"Alpha", "CommandGroups", REG_SZ, std::string("CMDS", 5)},
      {"Alpha", "Modules", REG_SZ, std::string("alpha.dll", 10)},
      {"Alpha", "MenuGroup", REG_SZ, std::string("ALPHA", 6)},
      {"Alpha", "MenuFile", REG_SZ, std::string("C:\\a.mnu", 9)},
      {"Alpha", "Template", REG_SZ, std::string("alpha.dwt", 10)},
      {"Alpha", "Unloadable", REG_DWORD, std::string("\xfe\xff\xff\xff", 4)},
      {"Alpha", "LargeIconName", REG_SZ, std::string("big.ico", 8)},
      {"Alpha", "SmallIconName", REG_SZ, std::string("small.ico", 10)},
      {"Alpha", "ShortcutIconName", REG_SZ, std::string("link.ico", 9)},
      {"Odd", "Loader0", REG_SZ, std::string("zero.arx", 9)},  // no "Loader": numbered ones still read
      {"Odd", "Loader1", REG_SZ, std::string(260, 'l') + '\0'},
      {"Odd", "Loader2", REG_SZ, std::string("two.arx", 8)},
      {"Odd", "Template", REG_SZ, std::string(260, 't') + '\0'},
      {"Odd", "Modules", REG_SZ, std::string(259, 'm') + '\0'},
      {"Odd", "MenuGroup", REG_BINARY, "GRP"},
      {"Odd", "MenuFile", REG_BINARY, std::string(260, 'f')},
      {"Odd", "CommandGroups", REG_DWORD, std::string("ABC\0", 4)},
      {"Odd", "Unloadable", REG_BINARY, std::string("\1\0", 2)},  // two bytes are no number
  };
  for (const auto& v : values) seed::SetRaw(HKEY_LOCAL_MACHINE, App(v.app), v.name, v.type, v.bytes);
  seed::CreatePath(HKEY_LOCAL_MACHINE, App("Bare"));
  ASSERT_EQ(3, ReadApplications(kKey, 0, applications_));
  EXPECT_EQ(
      "Alpha|main.arx;first.arx;|CMDS;|alpha.dll;|ALPHA;|C:\\a.mnu;|alpha.dwt|-2|big.ico|small.ico|link."
      "ico|" +
          std::to_string(kNoStdLoadOrder),
      Describe(applications_[0]));
  EXPECT_EQ("Bare|||||||0||||4294967295", Describe(applications_[1]));
  EXPECT_EQ("Odd|zero.arx;|ABC;|" + std::string(259, 'm') + ";|GRP;|||0||||4294967295",
            Describe(applications_[2]));
}

TEST_F(ApplicationsTest, RootDependsOnTheReleaseAndUnreadableOnesAreSkipped) {
  const char* rows[][2] = {
      {"Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-1", "\\QVApps\\Tarnwick"},
      {"Software\\Autodesk\\AutoCAD LT\\R8\\ACLT-1", "\\QVApps\\Tarnwick"},
      {"Software\\Autodesk\\AutoCAD\\R15.01\\ACAD-1", "\\Applications\\Tarnwick"},
      {"Software\\Autodesk\\AutoCAD\\r15.0\\ACAD-1", "\\Applications\\Tarnwick"},
      {"Software\\Autodesk\\AutoCAD LT\\R8.1\\ACLT-1", "\\Applications\\Tarnwick"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i][0] + std::string(rows[i][1]), ApplicationRootPath(rows[i][0])) << "row " << i;

  const std::string r15 = rows[0][0];
  for (const char* name : {"A", "B", "C"})
    seed::CreatePath(HKEY_LOCAL_MACHINE, r15 + "\\QVApps\\Tarnwick\\Applications\\" + name);
  seed::CreatePath(HKEY_LOCAL_MACHINE, r15 + "\\Applications\\Tarnwick\\Applications\\New");
  seed::DenyReading(HKEY_LOCAL_MACHINE, r15 + "\\QVApps\\Tarnwick\\Applications\\B");
  ReadApplications(r15, 0, applications_);
  EXPECT_EQ("A=4294967295;C=4294967295;", Names(applications_));
  EXPECT_EQ(0, ReadApplications("Software\\Autodesk\\AutoCAD\\R16.0\\Other", 0, applications_));
  EXPECT_TRUE(applications_.empty());
}

// The whole load: applications sorted by standard order (unsigned, the unordered last), stored
// links merged into them and put in load order. Link values of another type, or a link key that
// cannot be read, give zeros; an application without a stored link is not linked.
TEST_F(ApplicationsTest, LoadMergesTheStoredLinksInLoadOrder) {
  seed::SetString(HKEY_LOCAL_MACHINE, kKey, "ProductName", "AutoCAD 2005");
  seed::SetString(HKEY_LOCAL_MACHINE, kKey, "Location", "C:\\Acad");
  for (const char* name : {"A", "B", "C", "D", "E", "F", "G"})
    seed::CreatePath(HKEY_LOCAL_MACHINE, App(name));
  const std::string orders = kRoot + "\\StdLoadOrder";
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "A", 20);
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "C", 10);
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "D", 20);
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "E", 0x80000000);  // unsigned: after 20
  seed::SetRaw(HKEY_LOCAL_MACHINE, orders, "F", REG_BINARY, std::string("\5\0\0\0", 4));
  seed::SetDword(HKEY_LOCAL_MACHINE, orders, "b", 1);  // value names ignore letter case
  seed::SetString(HKEY_CURRENT_USER, std::string(kKey) + "\\Profiles", "", "P");
  seed::SetDword(HKEY_CURRENT_USER, kLinks + "\\A", "LoadOrder", 3);
  seed::SetDword(HKEY_CURRENT_USER, kLinks + "\\A", "MenuLoaded", 1);
  seed::CreatePath(HKEY_CURRENT_USER, kLinks + "\\B");
  seed::SetDword(HKEY_CURRENT_USER, kLinks + "\\C", "LoadOrder", 1);
  seed::SetString(HKEY_CURRENT_USER, kLinks + "\\D", "LoadOrder", "7");
  seed::SetRaw(HKEY_CURRENT_USER, kLinks + "\\D", "MenuLoaded", REG_BINARY, std::string("\1\0\0\0", 4));
  seed::SetDword(HKEY_CURRENT_USER, kLinks + "\\E", "LoadOrder", 9);
  seed::DenyReading(HKEY_CURRENT_USER, kLinks + "\\E");
  ConfigurationModel model;
  LoadConfiguration(model);
  ASSERT_FALSE(model.empty());
  ASSERT_EQ(1u, model[0].Profiles.size());
  std::string order;
  for (const PMAcadAppLink& l : model[0].Profiles[0].Links)
    order += l.Name + ":" + std::to_string(l.LoadOrder) + ":" + std::to_string(l.MenuLoaded) + ":" +
             std::to_string(l.State) + ";";
  EXPECT_EQ("B=1;F=5;C=10;A=20;D=20;E=2147483648;G=4294967295;", Names(model[0].Applications));
  EXPECT_EQ("C:1:0:0;A:3:1:0;B:0:0:0;F:0:0:2;D:0:0:0;E:0:0:0;G:0:0:2;", order);
}

}  // namespace

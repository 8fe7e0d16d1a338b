// Menu files and the Menus key of a profile.
#include "engine/menus.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine_test.h"
#include "tests/support/scratch_folder.h"

namespace {

const std::string kProfile = "Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-1:409\\Profiles\\P";
const std::string kMenus = kProfile + "\\Menus";

// The value names of Menus that are not in before, sorted.
std::string AddedValues(const std::vector<std::string>& before) {
  std::vector<std::string> now = inspect::ValueNames(HKEY_CURRENT_USER, kMenus);
  std::sort(now.begin(), now.end());
  std::string added;
  for (const std::string& name : now)
    if (std::find(before.begin(), before.end(), name) == before.end()) added += name + " ";
  return added;
}

std::string Numbers(const std::vector<int>& numbers) {
  std::string text;
  for (int n : numbers) text += std::to_string(n) + " ";
  return text;
}

TEST(MenuFileTest, PopNumbersFromSectionHeaders) {
  ScratchFolder folder;
  const struct {
    const char* what;
    std::string bytes;
    const char* numbers;
  } rows[] = {
      {"the classic case", "***MENUGROUP=X\r\n***POP1\r\n**A\r\n***pop2\r\n***POP500\r\n***POPUP\r\n",
       "1 2 "},
      {"limits", "***POP0\n***POP499\n***Pop10\n***POP-1\n***POP 5\n ***POP3\n***POP\n", "499 10 "},
      {"three digits at most", "***POP1234\n***POP12x\n***POP7", "123 12 7 "},
      {"line ends", "***POP4\r***POP5\r\n***POP6\n\n***POP8\r", "4 6 8 "},
      {"binary",
       std::string(1, '\0') + "***POP1\n***POP2" + '\0' + "\n\xff\xfe***POP3\n***POP" + '\0' + "4\n", "2 "},
      {"empty", "", ""},
      {"a long line before", std::string(200000, 'x') + "***POP1\n***POP9\n", "9 "},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::string file = folder.Write("menu.mnu", rows[i].bytes);
    std::vector<int> numbers = {42};
    int count = ReadMenuPopNumbers(file, numbers);
    EXPECT_EQ(rows[i].numbers, Numbers(numbers)) << rows[i].what;
    EXPECT_EQ(static_cast<int>(numbers.size()), count) << rows[i].what;
  }
  std::vector<int> numbers = {42};
  EXPECT_EQ(0, ReadMenuPopNumbers(folder.Path() + "\\missing.mnu", numbers));
  EXPECT_TRUE(numbers.empty());
}

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seed::SetString(HKEY_CURRENT_USER, kMenus, "Group1", "ACAD C:\\Acad\\acad.mnc");
    seed::SetString(HKEY_CURRENT_USER, kMenus, "Group3", "MYGROUP C:\\App\\mygroup.mnu");
    for (int i = 1; i <= 5; ++i)
      seed::SetString(HKEY_CURRENT_USER, kMenus, ("Pop" + std::to_string(i)).c_str(),
                      "ACAD Pop" + std::to_string(i));
    seed::SetString(HKEY_CURRENT_USER, kMenus, "Pop500", "ACAD Pop9");
    seed::SetString(HKEY_CURRENT_USER, kMenus, "POP777", "ACAD Pop9");
    // Values that are not text, or too large to be read, do not count.
    seed::SetRaw(HKEY_CURRENT_USER, kMenus, "Group8", REG_EXPAND_SZ, std::string("X C:\\x.mnu", 11));
    seed::SetDword(HKEY_CURRENT_USER, kMenus, "Pop9", 1);
    seed::SetString(HKEY_CURRENT_USER, kMenus, "Group9", "BIG " + std::string(600, 'b'));
    seed::SetString(HKEY_CURRENT_USER, kMenus, ("Group7" + std::string(600, 'n')).c_str(), "LONG x");
  }
  fw::RegKey Profile() {
    fw::RegKey key;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, kProfile.c_str(), 0, KEY_ALL_ACCESS, key.put());
    return key;
  }
  std::string Menus() { return inspect::DumpTree(HKEY_CURRENT_USER, kMenus); }

  RegistrySandbox sandbox_;
  ScratchFolder folder_;
};

// A configured group is found ignoring case and extension; for a new one the numbers in use are
// counted (values not text or too long do not count), and the counters only rise.
TEST_F(MenusTest, FindsConfiguredGroupsAndCountsTheNumbersInUse) {
  int maxGroup = 0, maxPop = 0;
  EXPECT_TRUE(FindMenuGroup(Profile().get(), "mygroup c:\\app\\mygroup", maxGroup, maxPop));
  EXPECT_TRUE(FindMenuGroup(Profile().get(), "ACAD", maxGroup, maxPop));
  const int start[][2] = {{0, 0}, {10, 20}};
  const int counted[][2] = {{3, 5}, {10, 20}};
  for (int i = 0; i < 2; ++i) {
    maxGroup = start[i][0];
    maxPop = start[i][1];
    EXPECT_FALSE(FindMenuGroup(Profile().get(), "NEW C:\\New\\new", maxGroup, maxPop));
    EXPECT_EQ(counted[i][0], maxGroup) << "row " << i;
    EXPECT_EQ(counted[i][1], maxPop) << "row " << i;
  }
  RemoveTree(HKEY_CURRENT_USER, kMenus);
  EXPECT_FALSE(FindMenuGroup(Profile().get(), "ACAD", maxGroup, maxPop));
  EXPECT_FALSE(WriteMenuGroup(Profile().get(), "NEW", "C:\\new.mnu", 1, 0));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, kMenus));
}

TEST_F(MenusTest, TextsThatCouldNotBeReadBackAreNotWritten) {
  const std::string before = Menus();
  EXPECT_FALSE(WriteMenuGroup(Profile().get(), "NEW", "C:\\" + std::string(520, 'p'), 4, 5));
  EXPECT_FALSE(WriteMenuGroup(Profile().get(), std::string(515, 'g'), "C:\\x.mnu", 4, 5));
  EXPECT_EQ(before, Menus());
}

PMApplication Application(const std::string& name, const std::string& group, const std::string& file) {
  PMApplication application;
  application.Name = name;
  if (!group.empty()) application.MenuGroups.push_back(group);
  if (!file.empty()) application.MenuFiles.push_back(file);
  return application;
}

TEST_F(MenusTest, LoadAppMenusAddsOnlyTheLinkedGroupsNotYetThere) {
  const std::string newFile = folder_.Write("new.mnu", "***POP1\n***POP2\n");
  const std::string nextFile = folder_.Write("next.mnu", "***POP1\n");
  const std::vector<PMApplication> applications = {
      Application("Configured", "mygroup", "C:\\App\\mygroup.mns"),
      Application("New", "NEW", newFile),
      Application("Loaded", "LOADED", newFile),
      Application("Enabling", "ENABLING", newFile),
      Application("Unlinked", "UNLINKED", newFile),
      Application("NoFile", "NOFILE", ""),
      Application("Case", "CASE", newFile),
      Application("Next", "NEXT", nextFile),
      Application("Missing", "MISSING", folder_ / "missing.mnu"),
  };
  const std::vector<PMAcadAppLink> links = {
      {"Next", 0, 0, 0, -1, LinkLinked},     {"Configured", 0, 0, 0, -1, LinkLinked},
      {"New", 0, 0, 0, -1, LinkLinked},      {"Loaded", 0, 0, 1, -1, LinkLinked},
      {"Enabling", 0, 0, 0, -1, LinkEnable}, {"Unlinked", 0, 0, 0, -1, LinkNotLinked},
      {"NoFile", 0, 0, 0, -1, LinkLinked},   {"case", 0, 0, 0, -1, LinkLinked},
      {"Missing", 0, 0, 0, -1, LinkLinked},
  };
  const std::vector<std::string> before = inspect::ValueNames(HKEY_CURRENT_USER, kMenus);
  LoadAppMenus(applications, links, kProfile);
  EXPECT_EQ("Group4 Group5 Group6 Pop6 Pop7 Pop8 ", AddedValues(before));
  // Applications in their order: NEW first, then NEXT, numbered after what is there.
  EXPECT_EQ(Sz("NEW " + newFile), inspect::Value(HKEY_CURRENT_USER, kMenus, "Group4"));
  EXPECT_EQ(Sz("NEW Pop1"), inspect::Value(HKEY_CURRENT_USER, kMenus, "Pop6"));
  EXPECT_EQ(Sz("NEW Pop2"), inspect::Value(HKEY_CURRENT_USER, kMenus, "Pop7"));
  EXPECT_EQ(Sz("NEXT " + nextFile), inspect::Value(HKEY_CURRENT_USER, kMenus, "Group5"));
  EXPECT_EQ(Sz("NEXT Pop1"), inspect::Value(HKEY_CURRENT_USER, kMenus, "Pop8"));
  EXPECT_EQ(Sz("MISSING " + folder_ / "missing.mnu"), inspect::Value(HKEY_CURRENT_USER, kMenus, "Group6"))
      << "an unreadable menu file gives the group alone";

  // Run again: everything is there now, nothing is added.
  const std::string after = Menus();
  LoadAppMenus(applications, links, kProfile);
  EXPECT_EQ(after, Menus());
  // Without a Menus key or a profile nothing is written.
  RemoveTree(HKEY_CURRENT_USER, kMenus);
  LoadAppMenus(applications, links, kProfile);
  LoadAppMenus(applications, links, kProfile + "-missing");
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, kMenus));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, kProfile + "-missing"));
}

}  // namespace

// Menu files and the Menus key of a profile.
#include "engine/menus.h"

#include <gtest/gtest.h>

#include "engine_test.h"
#include "tests/support/scratch_folder.h"

namespace {

const std::string kProfile = "Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-1:409\\Profiles\\P";
const std::string kMenus = kProfile + "\\Menus";

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
  void SetUp() override { SeedMenus(); }
  // The largest numbers in use come before smaller ones whether names are read sorted or as created.
  void SeedMenus() {
    seed::SetString(HKEY_CURRENT_USER, kMenus, "Group10", "MYGROUP C:\\App\\mygroup.mnu");
    seed::SetString(HKEY_CURRENT_USER, kMenus, "Group2", "ACAD C:\\Acad\\acad.mnc");
    for (const char* pop : {"Pop10", "Pop1", "Pop2", "Pop3", "Pop4"})
      seed::SetString(HKEY_CURRENT_USER, kMenus, pop, std::string("ACAD ") + pop);
    seed::SetString(HKEY_CURRENT_USER, kMenus, "Pop500", "ACAD Pop9");
    seed::SetString(HKEY_CURRENT_USER, kMenus, "POP777", "ACAD Pop9");
    // Values that are not text, or too large to be read, do not count.
    seed::SetRaw(HKEY_CURRENT_USER, kMenus, "Group18", REG_EXPAND_SZ, std::string("X C:\\x.mnu", 11));
    seed::SetDword(HKEY_CURRENT_USER, kMenus, "Pop19", 1);
    seed::SetString(HKEY_CURRENT_USER, kMenus, "Group19", "BIG " + std::string(600, 'b'));
    seed::SetString(HKEY_CURRENT_USER, kMenus, ("Group17" + std::string(600, 'n')).c_str(), "LONG x");
  }
  std::string Menus() { return inspect::DumpTree(HKEY_CURRENT_USER, kMenus); }

  RegistrySandbox sandbox_;
  ScratchFolder folder_;
};

PMApplication Application(const std::string& name, const std::string& group, const std::string& file) {
  PMApplication application = NamedApplication(name);
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
      // Texts the next search could not read back are not written.
      Application("LongGroup", std::string(515, 'g'), "C:\\x.mnu"),
      Application("LongFile", "LONGFILE", "C:\\" + std::string(520, 'p')),
  };
  const std::vector<PMAcadAppLink> links = {
      {"Next", 0, 0, 0, -1, LinkLinked},     {"Configured", 0, 0, 0, -1, LinkLinked},
      {"New", 0, 0, 0, -1, LinkLinked},      {"Loaded", 0, 0, 1, -1, LinkLinked},
      {"Enabling", 0, 0, 0, -1, LinkEnable}, {"Unlinked", 0, 0, 0, -1, LinkNotLinked},
      {"NoFile", 0, 0, 0, -1, LinkLinked},   {"case", 0, 0, 0, -1, LinkLinked},
      {"Missing", 0, 0, 0, -1, LinkLinked},  {"LongGroup", 0, 0, 0, -1, LinkLinked},
      {"LongFile", 0, 0, 0, -1, LinkLinked},
  };
  LoadAppMenus(applications, links, kProfile);
  const std::string loaded = Menus();
  // Applications in their order, numbered after the largest numbers in use; an unreadable menu file
  // gives the group alone.
  RemoveTree(HKEY_CURRENT_USER, kMenus);
  SeedMenus();
  const std::pair<const char*, std::string> added[] = {
      {"Group11", "NEW " + newFile}, {"Pop11", "NEW Pop1"},
      {"Pop12", "NEW Pop2"},         {"Group12", "NEXT " + nextFile},
      {"Pop13", "NEXT Pop1"},        {"Group13", "MISSING " + folder_ / "missing.mnu"},
  };
  for (const auto& value : added) seed::SetString(HKEY_CURRENT_USER, kMenus, value.first, value.second);
  EXPECT_EQ(Menus(), loaded);
  // Run again: everything is there now, nothing is added.
  LoadAppMenus(applications, links, kProfile);
  EXPECT_EQ(loaded, Menus());
  // Without a Menus key or a profile nothing is written.
  RemoveTree(HKEY_CURRENT_USER, kMenus);
  LoadAppMenus(applications, links, kProfile);
  LoadAppMenus(applications, links, kProfile + "-missing");
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, kMenus));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, kProfile + "-missing"));
}

}  // namespace

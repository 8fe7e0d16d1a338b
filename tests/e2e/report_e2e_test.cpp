// The report through the program: the model's exact bytes are the engine suite's; here -d writes
// the file in place of an old one, products by name.
#include <gtest/gtest.h>

#include "program_driver.h"
#include "registry_seed.h"
#include "script_driver.h"

namespace {

TEST(ReportE2E, WritesEveryProductByNameOverAnOldFile) {
  ProgramFolder folder;
  RegistrySeed seed;
  const std::string base = "Software\\Autodesk\\AutoCAD\\" + UniqueName("R94.");
  seed.Own(HKEY_LOCAL_MACHINE, base);
  seed.Own(HKEY_CURRENT_USER, base);
  for (const char* product : {"ACAD-3:409|Report Zulu", "ACAD-4:409|Report Alpha"}) {
    const std::string text = product;
    const std::string key = base + "\\" + text.substr(0, text.find('|'));
    seed.SetString(HKEY_LOCAL_MACHINE, key, "ProductName", text.substr(text.find('|') + 1));
    seed.SetString(HKEY_LOCAL_MACHINE, key, "Location", "C:\\Acad");
    seed.SetString(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\Applications\\Alpha", "Loader", "a.arx");
    seed.SetString(HKEY_CURRENT_USER, key + "\\Profiles", "", "Linked");
    seed.SetDword(HKEY_CURRENT_USER, key + "\\Profiles\\Linked\\Tarnwick\\Applications\\Alpha", "LoadOrder", 1);
  }
  const std::string report = folder.Parent() + "report.txt";
  folder.WriteFile(report, std::string(100000, 'x'));

  ProgramRun run = folder.Run("-d \"" + report + "\"");
  EXPECT_FALSE(run.TimedOut);
  EXPECT_EQ(0u, run.ExitCode);
  EXPECT_TRUE(run.Boxes.empty());
  const std::string text = ReadTextFile(report);
  EXPECT_EQ(std::string::npos, text.find("xxxxxxxxxx"));
  const size_t alpha = text.find("Report Alpha: " + base + "\\ACAD-4:409\nCurrent Profile: Linked\nProfiles:\n"
                                 "  Linked\n    AppLinks:\n      Alpha\n");
  const size_t zulu = text.find("Report Zulu: " + base + "\\ACAD-3:409\n");
  ASSERT_NE(std::string::npos, alpha) << text;
  ASSERT_NE(std::string::npos, zulu) << text;
  EXPECT_LT(alpha, zulu);
}

}  // namespace

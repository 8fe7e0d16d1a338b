// -export and -import through Tarnwick.exe: a profile carried into another product under another
// name, an existing name refused (replacing with a backup, and files that are not exports, are
// tested at the engine and in the dialog).
#include <gtest/gtest.h>

#include "installation.h"
#include "program_driver.h"

namespace {

TEST(ProfileFileE2E, ExportThenImportIntoAnotherProductRefusingAnExistingName) {
  ProgramFolder folder;
  Installation installation;
  std::vector<std::string> keys;
  for (const char* product : {"ACAD-1:409", "ACLT-2:409"}) {
    keys.push_back(installation.AddProduct("AutoCAD", product, std::string("Files ") + product));
    seed::SetString(HKEY_CURRENT_USER, keys.back() + "\\Profiles", "", "Standard");
    seed::SetString(HKEY_CURRENT_USER, keys.back() + "\\Profiles\\Standard", "",
                    std::string("Standard of ") + product);
  }
  const std::string source = keys[0] + "\\Profiles\\Standard", target = keys[1] + "\\Profiles\\";
  seed::SetString(HKEY_CURRENT_USER, source, "Quoted", "say \"C:\\x\"");
  Installation::Link(keys[0], "Standard", "Survey", 3);
  const std::string file = folder.Parent() + "standard.arg";

  ProgramRun run = folder.Run("-export \"" + file + "\" -a " + IdOf(keys[0]) + " -p Standard");
  EXPECT_TRUE(run.Boxes.empty()) << (run.Boxes.empty() ? "" : run.Boxes[0].Text);
  EXPECT_EQ(0u, ReadWholeFile(file).find("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\Standard]\r\n"));

  const std::string import = "-import \"" + file + "\" -a " + IdOf(keys[1]);
  run = folder.Run(import);
  ASSERT_EQ(1u, run.Boxes.size());
  EXPECT_EQ("The profile \"Standard\" already exists", run.Boxes[0].Text);
  EXPECT_EQ("Standard of ACLT-2:409", inspect::Text(HKEY_CURRENT_USER, target + "Standard", ""));

  run = folder.Run(import + " -p \"Carried over\"");
  EXPECT_TRUE(run.Boxes.empty()) << (run.Boxes.empty() ? "" : run.Boxes[0].Text);
  EXPECT_EQ(inspect::DumpTree(HKEY_CURRENT_USER, source),
            inspect::DumpTree(HKEY_CURRENT_USER, target + "Carried over"));
}

}  // namespace

// -dp and -ua without a usable registration library (their work is the library's suite and
// the scripting test's): the program says why and changes nothing.
#include <gtest/gtest.h>

#include "installation.h"
#include "program_driver.h"
#include "tests/support/test_paths.h"

namespace {

TEST(CleanupE2E, WithoutAUsableRegistrationLibraryTheOptionsSaySoAndChangeNothing) {
  ProgramFolder folder;
  Installation installation;
  const std::string key = installation.AddProduct("AutoCAD", "ACAD-1:409", "Cleanup " + installation.Word());
  Installation::Register(key, "Survey");
  Installation::Link(key, "Old", "Survey", 1);
  const std::string before =
      inspect::DumpTree(HKEY_CURRENT_USER, key) + inspect::DumpTree(HKEY_LOCAL_MACHINE, key);

  const std::string library = folder.Bin() + "QvApmReg.dll";
  const std::string lacks = "Application links cannot be changed because the registration library " +
                            library + " does not provide ";
  const struct {
    const char* arguments;
    bool partialLibrary;
    std::string text;
  } rows[] = {
      {"-dp Old", false,
       "Application links cannot be changed because the registration library was not found.\r\n"
       "It was looked for as:\r\n" +
           library + "\r\n" + folder.Parent() + "QvApmReg.dll"},
      {"-dp Old", true, lacks + "DeleteProfileAllAcads"},
      {"-ua Survey", true, lacks + "UnregAppInPManAllAcads"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ::DeleteFileA(library.c_str());
    if (rows[i].partialLibrary) {
      ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "e2e-partial-regdll\\QvApmReg.dll").c_str(),
                              library.c_str(), FALSE));
    }
    ProgramRun run = folder.Run(rows[i].arguments);
    EXPECT_FALSE(run.TimedOut) << "row " << i;
    ASSERT_EQ(1u, run.Boxes.size()) << "row " << i;
    EXPECT_EQ(rows[i].text, run.Boxes[0].Text) << "row " << i;
  }
  EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, key) + inspect::DumpTree(HKEY_LOCAL_MACHINE, key));
}

}  // namespace

// -dp and -ua without a usable registration library (their work is the library's suite and
// the scripting test's): the program says why. It has no way to remove anything without the
// library, so there is no registry to compare.
#include <gtest/gtest.h>

#include "program_driver.h"
#include "tests/support/test_paths.h"

namespace {

TEST(CleanupE2E, WithoutAUsableRegistrationLibraryTheOptionsSaySo) {
  ProgramFolder folder;
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
    EXPECT_EQ(0u, run.ExitCode) << "row " << i;
    ASSERT_EQ(1u, run.Boxes.size()) << "row " << i;
    EXPECT_EQ(rows[i].text, run.Boxes[0].Text) << "row " << i;
  }
}

}  // namespace

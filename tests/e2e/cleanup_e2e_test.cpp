// -dp and -ua through Tarnwick.exe. What they remove is the registration library's suite; here
// they reach it from the command line, and without a usable library say so and change nothing.
#include <gtest/gtest.h>

#include "installation.h"
#include "program_driver.h"
#include "tests/support/test_paths.h"

namespace {

// Two products with profiles Standard and Old that link the registered Survey and Keep.
class CleanupE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* product : {"ACAD-1:409", "ACAD-2:409"}) {
      const std::string key = installation_.AddProduct("AutoCAD", product, std::string("Cleanup ") + product);
      keys_.push_back(key);
      Installation::Register(key, "Survey");
      Installation::Register(key, "Keep");
      seed::SetDword(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\StdLoadOrder", "Survey", 5);
      seed::SetString(HKEY_CURRENT_USER, key + "\\Profiles", "", "Standard");
      for (const char* profile : {"Standard", "Old"}) {
        Installation::Link(key, profile, "Survey", 1);
        Installation::Link(key, profile, "Keep", 2);
        seed::SetString(HKEY_CURRENT_USER, key + "\\Profiles\\" + profile + "\\Deep\\Deeper", "x", "y");
      }
    }
  }

  ProgramFolder folder_;
  Installation installation_;
  std::vector<std::string> keys_;
};

TEST_F(CleanupE2E, DeleteProfileAndUnregisterApplicationReachTheLibrary) {
  for (const char* arguments : {"-dp old", "-ua Survey"}) {
    ProgramRun run = folder_.Run(arguments);
    EXPECT_FALSE(run.TimedOut) << arguments;
    EXPECT_EQ(0u, run.ExitCode) << arguments;
    EXPECT_TRUE(run.Boxes.empty()) << arguments;
  }
  for (const std::string& key : keys_) {
    EXPECT_EQ(std::vector<std::string>({"Standard"}),
              inspect::SubkeyNames(HKEY_CURRENT_USER, key + "\\Profiles"));
    EXPECT_EQ("Keep=2",
              inspect::LinkOrder(HKEY_CURRENT_USER, key + "\\Profiles\\Standard\\Tarnwick\\Applications"));
  }
}

TEST_F(CleanupE2E, WithoutAUsableRegistrationLibraryTheOptionsSaySoAndChangeNothing) {
  const std::string library = folder_.Bin() + "QvApmReg.dll";
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
           library + "\r\n" + folder_.Parent() + "QvApmReg.dll"},
      {"-dp Old", true, lacks + "DeleteProfileAllAcads"},
      {"-ua Survey", true, lacks + "UnregAppInPManAllAcads"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ::DeleteFileA(library.c_str());
    if (rows[i].partialLibrary) {
      ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "e2e-partial-regdll\\QvApmReg.dll").c_str(),
                              library.c_str(), FALSE));
    }
    ProgramRun run = folder_.Run(rows[i].arguments);
    EXPECT_FALSE(run.TimedOut) << "row " << i;
    ASSERT_EQ(1u, run.Boxes.size()) << "row " << i;
    EXPECT_EQ(rows[i].text, run.Boxes[0].Text) << "row " << i;
  }
  for (const std::string& key : keys_) {
    EXPECT_EQ(2u, inspect::SubkeyNames(HKEY_CURRENT_USER, key + "\\Profiles").size()) << key;
    EXPECT_TRUE(
        inspect::KeyExists(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\Applications\\Survey"));
  }
}

}  // namespace

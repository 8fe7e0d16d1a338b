#include <gtest/gtest.h>

#include "program_driver.h"
#include "registry_seed.h"
#include "tests/support/test_paths.h"

namespace {

// Two products of one release with profiles and a registered, linked application.
class CleanupE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    release_ = UniqueName("R93.");
    const std::string base = "Software\\Autodesk\\AutoCAD\\" + release_;
    seed_.Own(HKEY_LOCAL_MACHINE, base);
    seed_.Own(HKEY_CURRENT_USER, base);
    for (const char* product : {"ACAD-1:409", "ACAD-2:409"}) {
      const std::string key = base + "\\" + product;
      keys_.push_back(key);
      seed_.SetString(HKEY_LOCAL_MACHINE, key, "ProductName", std::string("Cleanup ") + product);
      seed_.SetString(HKEY_LOCAL_MACHINE, key, "Location", "C:\\nowhere");
      seed_.SetString(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\Applications\\Survey", "Loader", "s.arx");
      seed_.SetDword(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\StdLoadOrder", "Survey", 5);
      seed_.SetString(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\Applications\\Keep", "Loader", "k.arx");
      seed_.SetString(HKEY_CURRENT_USER, key + "\\Profiles", "", "Standard");
      for (const char* profile : {"Standard", "Old"}) {
        const std::string links = key + "\\Profiles\\" + profile + "\\Tarnwick\\Applications\\";
        seed_.SetDword(HKEY_CURRENT_USER, links + "Survey", "LoadOrder", 1);
        seed_.SetDword(HKEY_CURRENT_USER, links + "Keep", "LoadOrder", 2);
        seed_.SetString(HKEY_CURRENT_USER, key + "\\Profiles\\" + profile + "\\Deep\\Deeper", "x", "y");
      }
    }
  }

  ProgramFolder folder_;
  RegistrySeed seed_;
  std::string release_;
  std::vector<std::string> keys_;
};

// What -dp and -ua remove is the registration library's suite; here they reach it from the command line.
TEST_F(CleanupE2E, DeleteProfileAndUnregisterApplicationReachTheLibrary) {
  for (const char* arguments : {"-dp old", "-ua Survey"}) {
    ProgramRun run = folder_.Run(arguments);
    EXPECT_FALSE(run.TimedOut) << arguments;
    EXPECT_EQ(0u, run.ExitCode) << arguments;
    EXPECT_TRUE(run.Boxes.empty()) << arguments;
  }
  for (const std::string& key : keys_) {
    EXPECT_EQ(std::vector<std::string>({"Standard"}), SubkeyNames(HKEY_CURRENT_USER, key + "\\Profiles")) << key;
    EXPECT_EQ(std::vector<std::string>({"Keep"}),
              SubkeyNames(HKEY_CURRENT_USER, key + "\\Profiles\\Standard\\Tarnwick\\Applications"))
        << key;
  }
}

TEST_F(CleanupE2E, WithoutAUsableRegistrationLibraryTheOptionsSaySoAndChangeNothing) {
  const std::string library = folder_.Bin() + "QvApmReg.dll";
  const std::string notFound =
      "Application links cannot be changed because the registration library was not found.\r\n"
      "It was looked for as:\r\n" +
      library + "\r\n" + folder_.Parent() + "QvApmReg.dll";
  const std::string lacks = "Application links cannot be changed because the registration library " + library +
                            " does not provide ";
  struct Row {
    const char* arguments;
    bool partialLibrary;
    std::string text;
  };
  const Row rows[] = {
      {"-dp Old", false, notFound},
      {"-ua Survey", false, notFound},
      {"-dp Old", true, lacks + "DeleteProfileAllAcads"},
      {"-ua Survey", true, lacks + "UnregAppInPManAllAcads"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ::DeleteFileA(library.c_str());
    if (rows[i].partialLibrary)
      ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "e2e-partial-regdll\\QvApmReg.dll").c_str(), library.c_str(),
                              FALSE));
    ProgramRun run = folder_.Run(rows[i].arguments);
    EXPECT_FALSE(run.TimedOut) << "row " << i;
    ASSERT_EQ(1u, run.Boxes.size()) << "row " << i;
    EXPECT_EQ(rows[i].text, run.Boxes[0].Text) << "row " << i;
  }
  for (const std::string& key : keys_) {
    EXPECT_EQ(2u, SubkeyNames(HKEY_CURRENT_USER, key + "\\Profiles").size()) << key;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\Applications\\Survey")) << key;
  }
}

}  // namespace

// -export and -import through Tarnwick.exe: a profile carried into another product under another
// name, an existing name refused (replacing with a backup, and files that are not exports, are
// tested at the engine and in the dialog).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "program_driver.h"
#include "registry_seed.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ProfileFileE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    release_ = UniqueName("R94.");
    const std::string base = "Software\\Autodesk\\AutoCAD\\" + release_;
    seed_.Own(HKEY_LOCAL_MACHINE, base);
    seed_.Own(HKEY_CURRENT_USER, base);
    for (const char* product : {"ACAD-1:409", "ACLT-2:409"}) {
      const std::string key = base + "\\" + product;
      seed_.SetString(HKEY_LOCAL_MACHINE, key, "ProductName", std::string("Files ") + product);
      seed_.SetString(HKEY_LOCAL_MACHINE, key, "Location", "C:\\nowhere");
      seed_.SetString(HKEY_CURRENT_USER, key + "\\Profiles", "", "Standard");
      seed_.SetString(HKEY_CURRENT_USER, key + "\\Profiles\\Standard", "", std::string("Standard of ") + product);
    }
    source_ = base + "\\ACAD-1:409\\Profiles\\Standard";
    target_ = base + "\\ACLT-2:409\\Profiles\\";
    seed_.SetString(HKEY_CURRENT_USER, source_, "Quoted", "say \"C:\\x\"");
    seed_.SetDword(HKEY_CURRENT_USER, source_ + "\\Tarnwick\\Applications\\Survey", "LoadOrder", 3);
    file_ = folder_.Parent() + "standard.arg";
  }
  std::string Id(const char* product) const { return "AutoCAD\\" + release_ + "\\" + product; }

  ProgramFolder folder_;
  RegistrySeed seed_;
  std::string release_, source_, target_, file_;
};

TEST_F(ProfileFileE2E, ExportThenImportIntoAnotherProductRefusingAnExistingName) {
  ProgramRun run = folder_.Run("-export \"" + file_ + "\" -a " + Id("ACAD-1:409") + " -p Standard");
  EXPECT_TRUE(run.Boxes.empty()) << (run.Boxes.empty() ? "" : run.Boxes[0].Text);
  EXPECT_EQ(0u, ReadAll(file_).find("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\Standard]\r\n"));

  const std::string import = "-import \"" + file_ + "\" -a " + Id("ACLT-2:409");
  run = folder_.Run(import);
  ASSERT_EQ(1u, run.Boxes.size());
  EXPECT_EQ("The profile \"Standard\" already exists", run.Boxes[0].Text);
  std::string description;
  ReadString(HKEY_CURRENT_USER, target_ + "Standard", "", &description);
  EXPECT_EQ("Standard of ACLT-2:409", description);

  run = folder_.Run(import + " -p \"Carried over\"");
  EXPECT_TRUE(run.Boxes.empty()) << (run.Boxes.empty() ? "" : run.Boxes[0].Text);
  EXPECT_EQ(inspect::DumpTree(HKEY_CURRENT_USER, source_), inspect::DumpTree(HKEY_CURRENT_USER, target_ + "Carried over"));
  DWORD order = 0;
  EXPECT_TRUE(ReadDword(HKEY_CURRENT_USER, target_ + "Carried over\\Tarnwick\\Applications\\Survey", "LoadOrder", &order));
  EXPECT_EQ(3u, order);
}

}  // namespace

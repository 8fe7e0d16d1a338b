#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "program_driver.h"
#include "registry_seed.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The block of one product in a report: from its first line to its closing empty line.
std::string ProductBlock(const std::string& report, const std::string& firstLine) {
  size_t start = report.find(firstLine);
  if (start == std::string::npos) return "<missing>";
  size_t end = report.find("\n\n", start);
  return end == std::string::npos ? report.substr(start) : report.substr(start, end + 2 - start);
}

class ReportE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    release_ = UniqueName("R94.");
    base_ = "Software\\Autodesk\\AutoCAD\\" + release_;
    seed_.Own(HKEY_LOCAL_MACHINE, base_);
    seed_.Own(HKEY_CURRENT_USER, base_);
    report_ = folder_.Parent() + "report.txt";
  }

  std::string Product(const char* name, const char* productName) {
    std::string key = base_ + "\\" + name;
    seed_.SetString(HKEY_LOCAL_MACHINE, key, "ProductName", productName);
    seed_.SetString(HKEY_LOCAL_MACHINE, key, "Location", "C:\\Acad");
    return key;
  }

  std::string Report() {
    ProgramRun run = folder_.Run("-d \"" + report_ + "\"");
    EXPECT_FALSE(run.TimedOut);
    EXPECT_EQ(0u, run.ExitCode);
    EXPECT_TRUE(run.Boxes.empty());
    return ReadFile(report_);
  }

  ProgramFolder folder_;
  RegistrySeed seed_;
  std::string release_, base_, report_;
};

TEST_F(ReportE2E, ProductWithoutProfilesOrApplications) {
  std::string key = Product("ACAD-1:409", "Report Empty");
  EXPECT_EQ("Report Empty: " + key + "\nCurrent Profile: \nProfiles:\nApplications:\n\n",
            ProductBlock(Report(), "Report Empty: "));
}

TEST_F(ReportE2E, LinkedUnlinkedApplicationsTemplatesAndOrders) {
  std::string key = Product("ACAD-2:409", "Report Full");
  const std::string apps = key + "\\Applications\\Tarnwick";
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Alpha", "Loader", "alpha.arx");
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Alpha", "Loader0", "alpha2.arx");
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Alpha", "Modules", "alpha.dll");
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Alpha", "CommandGroups", "ALPHA");
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Alpha", "MenuGroup", "ALPHAMENU");
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Alpha", "MenuFile", "C:\\alpha.mnu");
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Alpha", "Template", "C:\\alpha.dwt");
  seed_.SetDword(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Alpha", "Unloadable", 0xFFFFFFFF);
  seed_.SetDword(HKEY_LOCAL_MACHINE, apps + "\\StdLoadOrder", "Alpha", 20);
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Beta", "Loader", "beta.arx");
  seed_.SetDword(HKEY_LOCAL_MACHINE, apps + "\\StdLoadOrder", "Beta", 10);
  seed_.SetString(HKEY_LOCAL_MACHINE, apps + "\\Applications\\Gamma", "Loader", "gamma.arx");

  const std::string profiles = key + "\\Profiles";
  seed_.SetString(HKEY_CURRENT_USER, profiles, "", "Linked");
  seed_.SetDword(HKEY_CURRENT_USER, profiles + "\\Linked\\Tarnwick\\Applications\\Alpha", "LoadOrder", 2);
  seed_.SetDword(HKEY_CURRENT_USER, profiles + "\\Linked\\Tarnwick\\Applications\\Alpha", "MenuLoaded", 1);
  seed_.SetDword(HKEY_CURRENT_USER, profiles + "\\Linked\\Tarnwick\\Applications\\Gamma", "LoadOrder", 1);
  seed_.CreateKey(HKEY_CURRENT_USER, profiles + "\\Unlinked");

  const std::string expected =
      "Report Full: " + key + "\n"
      "Current Profile: Linked\n"
      "Profiles:\n"
      "  Linked\n"
      "    AppLinks:\n"
      "      Gamma\n"
      "        StdLoadOrder=4294967295\n"
      "        LoadOrder=1\n"
      "        MenuLoaded=0\n"
      "      Alpha\n"
      "        StdLoadOrder=20\n"
      "        LoadOrder=2\n"
      "        MenuLoaded=1\n"
      "  Unlinked\n"
      "    AppLinks:\n"
      "Applications:\n"
      "  Beta\n"
      "    Loaders\n"
      "      beta.arx\n"
      "    Modules\n"
      "    CommandGroups\n"
      "    MenuGroups\n"
      "    MenuFiles\n"
      "    Template\n"
      "      \n"
      "    StdLoadOrder=10\n"
      "    Unloadable=0\n"
      "  Alpha\n"
      "    Loaders\n"
      "      alpha.arx\n"
      "      alpha2.arx\n"
      "    Modules\n"
      "      alpha.dll\n"
      "    CommandGroups\n"
      "      ALPHA\n"
      "    MenuGroups\n"
      "      ALPHAMENU\n"
      "    MenuFiles\n"
      "      C:\\alpha.mnu\n"
      "    Template\n"
      "      C:\\alpha.dwt\n"
      "    StdLoadOrder=20\n"
      "    Unloadable=-1\n"
      "  Gamma\n"
      "    Loaders\n"
      "      gamma.arx\n"
      "    Modules\n"
      "    CommandGroups\n"
      "    MenuGroups\n"
      "    MenuFiles\n"
      "    Template\n"
      "      \n"
      "    StdLoadOrder=4294967295\n"
      "    Unloadable=0\n"
      "\n";
  EXPECT_EQ(expected, ProductBlock(Report(), "Report Full: "));
}

TEST_F(ReportE2E, ProductsInNameOrderAndTheFileIsReplaced) {
  std::string later = Product("ACAD-3:409", "Report Zulu");
  std::string earlier = Product("ACAD-4:409", "Report Alpha");
  folder_.WriteFile(report_, std::string(100000, 'x'));
  std::string report = Report();
  EXPECT_EQ(std::string::npos, report.find('x' + std::string(10, 'x')));
  size_t a = report.find("Report Alpha: " + earlier + "\n");
  size_t z = report.find("Report Zulu: " + later + "\n");
  ASSERT_NE(std::string::npos, a);
  ASSERT_NE(std::string::npos, z);
  EXPECT_LT(a, z);
}

}  // namespace

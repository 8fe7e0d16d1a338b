#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "program_driver.h"
#include "tests/support/test_paths.h"
#include "registry_seed.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// An AutoCAD LT product with a stand-in executable, two profiles and two applications,
// seeded in the prefix's registry for one test.
class RunModeE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    release_ = UniqueName("R90.");
    id_ = "AutoCAD LT\\" + release_ + "\\ACADLT-7001:409";
    key_ = "Software\\Autodesk\\" + id_;
    profiles_ = key_ + "\\Profiles";
    seed_.Own(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD LT\\" + release_);
    seed_.Own(HKEY_CURRENT_USER, "Software\\Autodesk\\AutoCAD LT\\" + release_);

    installFolder_ = folder_.Parent() + "AutoCAD LT";
    ::CreateDirectoryA(installFolder_.c_str(), nullptr);
    ::CopyFileA((TestProgramFolder() + "acadlt.exe").c_str(), (installFolder_ + "\\acadlt.exe").c_str(), FALSE);
    seed_.SetString(HKEY_LOCAL_MACHINE, key_, "ProductName", "AutoCAD LT Test");
    seed_.SetString(HKEY_LOCAL_MACHINE, key_, "Location", installFolder_);

    menuFile_ = folder_.Parent() + "draw.mnu";
    folder_.WriteFile(menuFile_, "***MENUGROUP=DRAWGRP\r\n***POP1\r\n[Draw]\r\n***pop2\r\n[More]\r\n");
    const std::string apps = key_ + "\\Applications\\Tarnwick\\Applications\\";
    seed_.SetString(HKEY_LOCAL_MACHINE, apps + "Drawing", "Loader", "draw.arx");
    seed_.SetString(HKEY_LOCAL_MACHINE, apps + "Drawing", "Template", "C:\\Templates\\iso a3.dwt");
    seed_.SetString(HKEY_LOCAL_MACHINE, apps + "Drawing", "MenuGroup", "DRAWGRP");
    seed_.SetString(HKEY_LOCAL_MACHINE, apps + "Drawing", "MenuFile", menuFile_);
    seed_.SetString(HKEY_LOCAL_MACHINE, apps + "Survey", "Loader", "survey.arx");
    seed_.SetString(HKEY_LOCAL_MACHINE, apps + "Extra", "Loader", "extra.arx");

    seed_.SetString(HKEY_CURRENT_USER, profiles_, "", "Standard");
    seed_.SetString(HKEY_CURRENT_USER, profiles_ + "\\Standard", "", "The standard profile");
    seed_.SetDword(HKEY_CURRENT_USER, profiles_ + "\\Standard\\Tarnwick\\Applications\\Extra", "LoadOrder", 1);
    seed_.SetString(HKEY_CURRENT_USER, profiles_ + "\\Standard\\Menus", "Group1", "ACLT acadlt.mnc");
    seed_.SetString(HKEY_CURRENT_USER, profiles_ + "\\Work", "", "Work profile");
    seed_.SetDword(HKEY_CURRENT_USER, profiles_ + "\\Work\\Tarnwick\\Applications\\Drawing", "LoadOrder", 1);
    seed_.SetString(HKEY_CURRENT_USER, profiles_ + "\\Work\\Menus", "Group1", "ACLT acadlt.mnc");
    seed_.SetString(HKEY_CURRENT_USER, profiles_ + "\\Work\\Menus", "Pop1", "ACLT Pop1");

    record_ = folder_.Parent() + "acad.log";
    ::SetEnvironmentVariableA("TW_ACAD_RECORD", record_.c_str());
    ::SetEnvironmentVariableA("TW_ACAD_KEY", key_.c_str());
  }
  void TearDown() override {
    for (const char* name : {"TW_ACAD_RECORD", "TW_ACAD_KEY", "TW_ACAD_MESSAGES", "TW_ACAD_WAIT_FILE"})
      ::SetEnvironmentVariableA(name, nullptr);
  }

  // The stand-in's record once it holds text, or as it is after 20 s.
  std::string RecordOnceItHolds(const std::string& text) {
    std::string record;
    for (int i = 0; i < 400 && record.find(text) == std::string::npos; ++i) {
      ::Sleep(50);
      record = ReadFile(record_);
    }
    return record;
  }

  std::string Current() {
    std::string value = "<none>";
    ReadString(HKEY_CURRENT_USER, profiles_, "", &value);
    return value;
  }

  ProgramFolder folder_;
  RegistrySeed seed_;
  std::string release_, id_, key_, profiles_, installFolder_, menuFile_, record_;
};

TEST_F(RunModeE2E, TypicalRequestForAutoCadLt) {
  ProgramRun run = folder_.Run("-r -a \"" + id_ + "\" -p \"Work\" -AcCL -t \"C:\\Templates\\iso a3.dwt\"");
  ASSERT_FALSE(run.TimedOut);
  EXPECT_EQ(0u, run.ExitCode);
  EXPECT_TRUE(run.Boxes.empty());
  const std::string expected = "commandline=\"" + installFolder_ + "\\acadlt.exe\" /t \"C:\\Templates\\iso a3.dwt\"\n" +
                               "key=" + key_ + "\nprofile=Work\nTarnwikc=Standard\nRunPM=dword:1\nPipeName\n" +
                               "Menus\\Group1=ACLT acadlt.mnc\nMenus\\Group2=DRAWGRP " + menuFile_ + "\n" +
                               "Menus\\Pop1=ACLT Pop1\nMenus\\Pop2=DRAWGRP Pop1\n" +
                               "Menus\\Pop3=DRAWGRP Pop2\nexit=0\n";
  EXPECT_EQ(expected, ReadFile(record_));
  EXPECT_EQ("Standard", Current());
  std::string parked;
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, profiles_, "Tarnwikc", &parked));
  DWORD runPm = 0;
  EXPECT_TRUE(ReadDword(HKEY_CURRENT_USER, profiles_ + "\\Work\\Tarnwick", "RunPM", &runPm));
  EXPECT_EQ(1u, runPm);
  // A second run finds the menu group and adds nothing.
  folder_.Run("-r -a \"" + id_ + "\" -p \"Work\"");
  EXPECT_EQ(5u, inspect::ValueNames(HKEY_CURRENT_USER, profiles_ + "\\Work\\Menus").size());
}

TEST_F(RunModeE2E, ProfileNameIgnoresCase) {
  ProgramRun run = folder_.Run("-r -a \"" + id_ + "\" -p work");
  EXPECT_TRUE(run.Boxes.empty());
  std::string record = ReadFile(record_);
  EXPECT_NE(std::string::npos, record.find("\nprofile=work\n")) << record;
  EXPECT_NE(std::string::npos, record.find("\nRunPM=dword:1\n")) << record;  // under the stored name Work
  EXPECT_EQ(std::vector<std::string>({"Standard", "Work"}), SubkeyNames(HKEY_CURRENT_USER, profiles_));
}

TEST_F(RunModeE2E, MissingProfileIsCreatedWithExactlyTheGivenApplications) {
  ProgramRun run = folder_.Run("-r -a \"" + id_ + "\" -p \"New One\" -c -g Survey Drawing");
  EXPECT_TRUE(run.Boxes.empty());
  const std::string created = profiles_ + "\\New One";
  std::string description;
  EXPECT_TRUE(ReadString(HKEY_CURRENT_USER, created, "", &description));
  EXPECT_EQ("The standard profile", description);  // a copy of the current profile
  std::vector<std::string> links = SubkeyNames(HKEY_CURRENT_USER, created + "\\Tarnwick\\Applications");
  std::sort(links.begin(), links.end());
  EXPECT_EQ(std::vector<std::string>({"Drawing", "Survey"}), links);
  DWORD survey = 0, drawing = 0;
  ReadDword(HKEY_CURRENT_USER, created + "\\Tarnwick\\Applications\\Survey", "LoadOrder", &survey);
  ReadDword(HKEY_CURRENT_USER, created + "\\Tarnwick\\Applications\\Drawing", "LoadOrder", &drawing);
  EXPECT_LT(survey, drawing);  // registered in the order given
  std::string record = ReadFile(record_);
  EXPECT_NE(std::string::npos, record.find("\nprofile=New One\n")) << record;
  EXPECT_NE(std::string::npos, record.find("Menus\\Group2=DRAWGRP")) << record;
  EXPECT_EQ("Standard", Current());
}

TEST_F(RunModeE2E, WithAnEmptyCurrentProfileTheFirstOtherProfileIsCopied) {
  seed_.SetString(HKEY_CURRENT_USER, profiles_, "", "");
  ProgramRun run = folder_.Run("-r -a \"" + id_ + "\" -p New -c -g Survey");
  EXPECT_TRUE(run.Boxes.empty()) << (run.Boxes.empty() ? "" : run.Boxes[0].Text);
  std::string description;
  EXPECT_TRUE(ReadString(HKEY_CURRENT_USER, profiles_ + "\\New", "", &description));
  EXPECT_EQ("The standard profile", description);
  EXPECT_EQ(std::vector<std::string>({"Survey"}),
            SubkeyNames(HKEY_CURRENT_USER, profiles_ + "\\New\\Tarnwick\\Applications"));
  EXPECT_NE(std::string::npos, ReadFile(record_).find("\nprofile=New\nTarnwikc=\n")) << ReadFile(record_);
  EXPECT_EQ("", Current());
}

TEST_F(RunModeE2E, AParkedProfileDeletedWhileAutoCadRunsIsNotMadeCurrent) {
  const std::string go = folder_.Parent() + "go";
  ::SetEnvironmentVariableA("TW_ACAD_WAIT_FILE", go.c_str());
  fw::Handle program = folder_.Start("-r -a \"" + id_ + "\" -p Work");
  ASSERT_TRUE(program);
  const std::string record = RecordOnceItHolds("\nTarnwikc=Standard\n");
  ASSERT_NE(std::string::npos, record.find("\nTarnwikc=Standard\n")) << record;
  ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteTreeA(HKEY_CURRENT_USER, (profiles_ + "\\Standard").c_str()));
  folder_.WriteFile(go, "");
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(program.get(), 30000));
  EXPECT_EQ("Work", Current());
  std::string parked;
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, profiles_, "Tarnwikc", &parked));
}

TEST_F(RunModeE2E, EveryOutcomeHasItsMessage) {
  std::string noProfilesRelease = UniqueName("R91.");
  std::string noProfilesKey = "Software\\Autodesk\\AutoCAD LT\\" + noProfilesRelease + "\\ACADLT-1:409";
  seed_.Own(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD LT\\" + noProfilesRelease);
  seed_.SetString(HKEY_LOCAL_MACHINE, noProfilesKey, "ProductName", "No Profiles");
  seed_.SetString(HKEY_LOCAL_MACHINE, noProfilesKey, "Location", installFolder_);

  std::string missingExeRelease = UniqueName("R92.");
  std::string missingExeId = "AutoCAD\\" + missingExeRelease + "\\ACAD-1:409";
  seed_.Own(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD\\" + missingExeRelease);
  seed_.Own(HKEY_CURRENT_USER, "Software\\Autodesk\\AutoCAD\\" + missingExeRelease);
  seed_.SetString(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\" + missingExeId, "ProductName", "Missing Exe");
  seed_.SetString(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\" + missingExeId, "Location", "C:\\nowhere");
  seed_.SetString(HKEY_CURRENT_USER, "Software\\Autodesk\\" + missingExeId + "\\Profiles", "", "P");
  seed_.CreateKey(HKEY_CURRENT_USER, "Software\\Autodesk\\" + missingExeId + "\\Profiles\\P");

  // A volatile profile key cannot take the program's non-volatile marker key.
  {
    HKEY volatileKey = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, (profiles_ + "\\Fragile").c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr);
    ::RegCloseKey(volatileKey);
  }

  struct Row {
    std::string arguments;
    std::string message;
  };
  const Row rows[] = {
      {"-r -a \"AutoCAD\\R0\\NONE\" -p P", "Error: AutoCAD Id \"AutoCAD\\R0\\NONE\" not found "},
      {"-r -a \"" + id_ + "\" -p Nope", "Error: Profile \"Nope\" not found"},
      {"-r -a \"" + id_ + "\" -p Fragile", "Error: Cannot change current profile in registry"},
      {"-r -a \"" + missingExeId + "\" -p P", "Error: Cannot run AutoCAD"},
      {"-r -a \"" + noProfilesKey.substr(18) + "\" -p P",
       "You should start AutoCAD at least once before starting the application"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ProgramRun run = folder_.Run(rows[i].arguments);
    EXPECT_FALSE(run.TimedOut) << "row " << i;
    EXPECT_EQ(0u, run.ExitCode) << "row " << i;
    ASSERT_EQ(1u, run.Boxes.size()) << "row " << i;
    EXPECT_EQ("Orvane for AutoCAD", run.Boxes[0].Title) << "row " << i;
    EXPECT_EQ(rows[i].message, run.Boxes[0].Text) << "row " << i;
  }
  // After the failed marker write the requested profile stays current.
  EXPECT_EQ("Fragile", Current());
}

TEST_F(RunModeE2E, HandOffDeliversToTheInstanceStartedFirst) {
  ::SetEnvironmentVariableA("TW_ACAD_MESSAGES", "2");
  fw::Handle first = folder_.Start("-r -a \"" + id_ + "\" -p Work -InstName Desk -AcSSE msg1");
  ASSERT_TRUE(first);
  // The stand-in serves the pipe named in the profile; the first process's thread delivers msg1.
  std::string record = RecordOnceItHolds("message=msg1\n");
  ASSERT_NE(std::string::npos, record.find("message=msg1\n")) << record;
  const std::string pipe = "\\\\.\\pipe\\DESK@SOFTWARE_AUTODESK_" + std::string("AUTOCAD LT_") + release_ +
                           "_ACADLT-7001:409";
  EXPECT_NE(std::string::npos, record.find("\nPipeName=" + pipe + "\n")) << record;

  ProgramRun second = folder_.Run("-r -a \"" + id_ + "\" -p Work -InstName desk -AcOpen \"C:\\a b.dwg\"");
  EXPECT_FALSE(second.TimedOut);
  EXPECT_EQ(0u, second.ExitCode);
  EXPECT_TRUE(second.Boxes.empty());
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(first.get(), 30000));
  record = ReadFile(record_);
  // One stand-in only (its record is rewritten at every start) got both messages.
  EXPECT_NE(std::string::npos, record.find("message=msg1\nmessage=TARNWIK_ACSSE_OPEN_C:\\a b.dwg\n")) << record;
  std::string pipeName;
  EXPECT_TRUE(ReadString(HKEY_CURRENT_USER, profiles_ + "\\Work\\Tarnwick", "PipeName", &pipeName));
  EXPECT_EQ(pipe, pipeName);
}

}  // namespace

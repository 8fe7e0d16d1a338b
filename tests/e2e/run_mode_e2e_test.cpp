// Run mode through Tarnwick.exe and the AutoCAD stand-in, which records what it found when it
// started. Parking and restoring the current profile is the engine suite's; here the program
// shows it to AutoCAD.
#include <gtest/gtest.h>

#include "installation.h"
#include "program_driver.h"
#include "tests/support/test_paths.h"

namespace {

// An AutoCAD LT product with the stand-in as its program, the profile Standard and three applications.
class RunModeE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    installFolder_ = folder_.Parent() + "AutoCAD LT";
    ::CreateDirectoryA(installFolder_.c_str(), nullptr);
    ::CopyFileA((TestProgramFolder() + "acadlt.exe").c_str(), (installFolder_ + "\\acadlt.exe").c_str(),
                FALSE);
    key_ = installation_.AddProduct("AutoCAD LT", "ACADLT-7001:409", "AutoCAD LT Test", installFolder_);
    id_ = IdOf(key_);
    profiles_ = key_ + "\\Profiles";

    menuFile_ = folder_.Parent() + "draw.mnu";
    WriteWholeFile(menuFile_, "***MENUGROUP=DRAWGRP\r\n***POP1\r\n[Draw]\r\n***pop2\r\n[More]\r\n");
    Installation::Register(key_, "Drawing", "Loader", "draw.arx");
    Installation::Register(key_, "Drawing", "MenuGroup", "DRAWGRP");
    Installation::Register(key_, "Drawing", "MenuFile", menuFile_);
    Installation::Register(key_, "Survey");
    Installation::Register(key_, "Extra");

    seed::SetString(HKEY_CURRENT_USER, profiles_, "", "Standard");
    seed::SetString(HKEY_CURRENT_USER, profiles_ + "\\Standard", "", "The standard profile");
    Installation::Link(key_, "Standard", "Extra", 1);
    seed::SetString(HKEY_CURRENT_USER, profiles_ + "\\Standard\\Menus", "Group1", "ACLT acadlt.mnc");

    record_ = folder_.Parent() + "acad.log";
    ::SetEnvironmentVariableA("TW_ACAD_RECORD", record_.c_str());
    ::SetEnvironmentVariableA("TW_ACAD_KEY", key_.c_str());
  }
  void TearDown() override {
    for (const char* name : {"TW_ACAD_RECORD", "TW_ACAD_KEY", "TW_ACAD_MESSAGES"})
      ::SetEnvironmentVariableA(name, nullptr);
  }

  ProgramFolder folder_;
  Installation installation_;
  std::string key_, id_, profiles_, installFolder_, menuFile_, record_;
};

// A missing profile is created from the current one (an empty current profile names none: the
// first other profile is copied) with exactly the given applications, and AutoCAD finds it current.
TEST_F(RunModeE2E, CreatesTheProfileAndStartsAutoCadWithIt) {
  const struct {
    const char* current;  // before the run
    std::string arguments, created, links, record;
  } rows[] = {
      {"", "-p New -c -g Survey", "New", "Survey=1",
       "\nkey=" + key_ +
           "\nprofile=New\nTarnwikc=\nRunPM=dword:1\nPipeName\nMenus\\Group1=ACLT acadlt.mnc\nexit=0\n"},
      {"Standard", "-p \"New One\" -c -g Survey Drawing -AcCL -t \"C:\\Templates\\iso a3.dwt\"", "New One",
       "Survey=1 Drawing=2",
       " /t \"C:\\Templates\\iso a3.dwt\"\nkey=" + key_ +
           "\nprofile=New One\nTarnwikc=Standard\nRunPM=dword:1\nPipeName\nMenus\\Group1=ACLT acadlt.mnc\n"
           "Menus\\Group2=DRAWGRP " +
           menuFile_ + "\nMenus\\Pop1=DRAWGRP Pop1\nMenus\\Pop2=DRAWGRP Pop2\nexit=0\n"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    seed::SetString(HKEY_CURRENT_USER, profiles_, "", rows[i].current);
    ProgramRun run = folder_.Run("-r -a \"" + id_ + "\" " + rows[i].arguments);
    EXPECT_EQ(0u, run.ExitCode) << "row " << i;
    EXPECT_TRUE(run.Boxes.empty()) << "row " << i << ": " << (run.Boxes.empty() ? "" : run.Boxes[0].Text);
    EXPECT_EQ("commandline=\"" + installFolder_ + "\\acadlt.exe\"" + rows[i].record, ReadWholeFile(record_))
        << "row " << i;
    const std::string created = profiles_ + "\\" + rows[i].created;
    EXPECT_EQ("The standard profile", inspect::Text(HKEY_CURRENT_USER, created, "")) << "row " << i;
    EXPECT_EQ(rows[i].links, inspect::LinkOrder(HKEY_CURRENT_USER, created + "\\Tarnwick\\Applications"))
        << "row " << i;
    EXPECT_EQ(rows[i].current, inspect::Text(HKEY_CURRENT_USER, profiles_, "")) << "row " << i;
    EXPECT_EQ(Missing(), inspect::Value(HKEY_CURRENT_USER, profiles_, "Tarnwikc")) << "row " << i;
  }
}

TEST_F(RunModeE2E, HandOffDeliversToTheInstanceStartedFirst) {
  ::SetEnvironmentVariableA("TW_ACAD_MESSAGES", "2");
  fw::Handle first = folder_.Start("-r -a \"" + id_ + "\" -p Standard -InstName Desk -AcSSE msg1");
  ASSERT_TRUE(first);
  // The stand-in serves the pipe named in the profile; the first process's thread delivers msg1.
  for (int i = 0; i < 400 && ReadWholeFile(record_).find("message=msg1\n") == std::string::npos; ++i)
    ::Sleep(50);

  // The instance name is matched whatever its case.
  ProgramRun second = folder_.Run("-r -a \"" + id_ + "\" -p Standard -InstName desk -AcOpen \"C:\\a b.dwg\"");
  EXPECT_EQ(0u, second.ExitCode);
  EXPECT_TRUE(second.Boxes.empty());
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(first.get(), 30000));
  // One stand-in only (its record is rewritten at every start) got both messages.
  const std::string record = ReadWholeFile(record_);
  EXPECT_NE(std::string::npos, record.find("message=msg1\nmessage=TARNWIK_ACSSE_OPEN_C:\\a b.dwg\n"))
      << record;
}

}  // namespace

// Scripting mode from outside: every command-line action with -quiet creates no window,
// writes its messages and a summary to standard error and ends with its exit code; -log
// appends the same lines with date and time.
#include <gtest/gtest.h>

#include "registry_seed.h"
#include "script_driver.h"
#include "tests/support/test_paths.h"

namespace {

// The text when it has the shape "YYYY-MM-DD HH:MM:SS ", else "<not a time stamp>".
std::string LogTimestampShape(const std::string& text) {
  const char shape[] = "0000-00-00 00:00:00 ";
  for (size_t i = 0; i < 20; ++i)
    if (i >= text.size() || (shape[i] == '0' ? !isdigit(static_cast<unsigned char>(text[i])) : text[i] != shape[i]))
      return "<not a time stamp>";
  return text;
}

class ScriptingE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    release_ = UniqueName("R93.");
    id_ = "AutoCAD\\" + release_ + "\\ACAD-5001:409";
    key_ = "Software\\Autodesk\\" + id_;
    seed_.Own(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD\\" + release_);
    seed_.Own(HKEY_CURRENT_USER, "Software\\Autodesk\\AutoCAD\\" + release_);
    const std::string install = folder_.Parent() + "AutoCAD";
    ::CreateDirectoryA(install.c_str(), nullptr);
    ::CopyFileA((TestProgramFolder() + "acad.exe").c_str(), (install + "\\acad.exe").c_str(), FALSE);
    seed_.SetString(HKEY_LOCAL_MACHINE, key_, "ProductName", "Scripting " + release_);
    seed_.SetString(HKEY_LOCAL_MACHINE, key_, "Location", install);
    seed_.SetString(HKEY_CURRENT_USER, key_ + "\\Profiles", "", "Standard");
    seed_.CreateKey(HKEY_CURRENT_USER, key_ + "\\Profiles\\Standard");
    seed_.CreateKey(HKEY_CURRENT_USER, key_ + "\\Profiles\\Doomed " + release_);
    ::SetEnvironmentVariableA("TW_ACAD_RECORD", (folder_.Parent() + "acad.log").c_str());
  }
  void TearDown() override { ::SetEnvironmentVariableA("TW_ACAD_RECORD", nullptr); }

  ProgramFolder folder_;
  RegistrySeed seed_;
  std::string release_, id_, key_;
};

TEST_F(ScriptingE2E, EveryActionIsQuiet) {
  const std::string report = folder_.Parent() + "report.txt";
  const std::string doomed = "Doomed " + release_;
  const std::string log = folder_.Parent() + "tarnwick.log";
  const std::string exported = folder_.Parent() + "exported.arg";
  folder_.WriteFile(log, "earlier line\r\n");
  const struct {
    std::string arguments;
    DWORD exitCode;
    std::string error;  // the whole standard error
  } rows[] = {
      {"-quiet -r -a \"" + id_ + "\" -p Standard", 0, "-r -p \"Standard\": done\r\n"},
      {"-r -quiet -a \"AutoCAD\\R0\\None\" -p Standard", 1,
       "Error: AutoCAD Id \"AutoCAD\\R0\\None\" not found \r\n-r -p \"Standard\": failed with exit code 1\r\n"},
      {"-quiet -r -a \"" + id_ + "\" -p Missing -log \"" + log + "\"", 2,
       "Error: Profile \"Missing\" not found\r\n-r -p \"Missing\": failed with exit code 2\r\n"},
      {"-quiet -d \"" + report + "\"", 0, "-d \"" + report + "\": done\r\n"},
      {"-quiet -d \"" + folder_.Parent() + "no\\such\\r.txt\"", 2,
       "Error: Cannot write the file \"" + folder_.Parent() + "no\\such\\r.txt\"\r\n-d \"" + folder_.Parent() +
           "no\\such\\r.txt\": bad argument or file, nothing changed\r\n"},
      {"-quiet -dp \"" + doomed + "\"", 0, "-dp \"" + doomed + "\": done\r\n"},
      {"-quiet -dp \"" + doomed + "\"", 0, "-dp \"" + doomed + "\": nothing to do, this workstation matches\r\n"},
      {"-quiet -ua \"No App " + release_ + "\"", 0,
       "-ua \"No App " + release_ + "\": nothing to do, this workstation matches\r\n"},
      {"-quiet -export \"" + exported + "\" -a \"" + id_ + "\" -p Standard", 0, "-export \"" + exported + "\": done\r\n"},
      {"-quiet -import \"" + folder_.Parent() + "none.arg\" -a \"" + id_ + "\"", 2,
       "The file \"" + folder_.Parent() + "none.arg\" cannot be read.\r\n-import \"" + folder_.Parent() +
           "none.arg\": failed with exit code 2\r\n"},
      {"-quiet -bogus", 2, ""},  // the usage text, checked below
      {"-check \"" + folder_.Parent() + "none.ini\"", 2,
       "Error: Cannot read the file \"" + folder_.Parent() + "none.ini\"\r\n-check \"" + folder_.Parent() +
           "none.ini\": bad argument or file, nothing changed\r\n"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const ScriptRun run = RunScripted(folder_, rows[i].arguments);
    ASSERT_TRUE(run.Started) << "row " << i;
    EXPECT_FALSE(run.TimedOut) << "row " << i;
    EXPECT_TRUE(run.Windows.empty()) << "row " << i << ": " << run.Windows[0];
    EXPECT_EQ(rows[i].exitCode, run.ExitCode) << "row " << i;
    if (!rows[i].error.empty()) {
      EXPECT_EQ(rows[i].error, run.Error) << "row " << i;
    }
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_ + "\\Profiles\\" + doomed));
  EXPECT_NE(std::string::npos, ReadTextFile(report).find("Scripting " + release_ + ": " + key_ + "\n"));
  // The log keeps what was there and gets both lines, each after the local date and time.
  const std::string logged = ReadTextFile(log);
  const std::string first = "Error: Profile \"Missing\" not found\r\n";
  const size_t second = 14 + 20 + first.size();
  ASSERT_GT(logged.size(), second + 20) << logged;
  EXPECT_EQ("earlier line\r\n" + LogTimestampShape(logged.substr(14, 20)) + first +
                LogTimestampShape(logged.substr(second, 20)) + "-r -p \"Missing\": failed with exit code 2\r\n",
            logged);
  const ScriptRun usage = RunScripted(folder_, "-quiet");
  EXPECT_EQ(0u, usage.Error.find("Usage: Tarnwick.exe [-r -a \"ACAD_ID\" -p \"Profile\""));
  EXPECT_NE(std::string::npos, usage.Error.find("\r\n...\tAutoCAD command line\r\nTarnwick.exe: bad argument"));
}

}  // namespace

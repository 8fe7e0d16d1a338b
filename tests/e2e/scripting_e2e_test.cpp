// Scripting mode from outside: every command-line action with -quiet creates no window,
// writes its messages and a summary to standard error and ends with its exit code; -log
// appends the same lines with date and time. What -dp and -ua remove is the registration
// library's suite, the bytes of the report and of profile files the engine suite's.
#include <gtest/gtest.h>

#include <regex>

#include "installation.h"
#include "program_driver.h"
#include "tests/support/test_paths.h"

namespace {

TEST(ScriptingE2E, EveryActionIsQuiet) {
  ProgramFolder folder;
  Installation installation;
  const std::string install = folder.Parent() + "AutoCAD";
  ::CreateDirectoryA(install.c_str(), nullptr);
  ::CopyFileA((TestProgramFolder() + "acad.exe").c_str(), (install + "\\acad.exe").c_str(), FALSE);
  const std::string key =
      installation.AddProduct("AutoCAD", "ACAD-5001:409", "Scripting " + installation.Word(), install);
  const std::string id = IdOf(key), word = installation.Word(), parent = folder.Parent();
  seed::SetString(HKEY_CURRENT_USER, key + "\\Profiles", "", "Standard");
  Installation::Register(key, "Survey");
  Installation::Link(key, "Standard", "Survey", 1);
  seed::CreatePath(HKEY_CURRENT_USER, key + "\\Profiles\\Doomed " + word);
  // A volatile profile key cannot take the program's non-volatile marker key.
  seed::CreatePath(HKEY_CURRENT_USER, key + "\\Profiles\\Fragile", 0, REG_OPTION_VOLATILE);
  const std::string noProfiles =
      IdOf(installation.AddProduct("AutoCAD", "ACAD-1:409", "No Profiles", install));
  const std::string missingExe = installation.AddProduct("AutoCAD", "ACAD-2:409", "Missing Exe");
  seed::SetString(HKEY_CURRENT_USER, missingExe + "\\Profiles", "", "Q");
  seed::CreatePath(HKEY_CURRENT_USER, missingExe + "\\Profiles\\P");
  seed::CreatePath(HKEY_CURRENT_USER, missingExe + "\\Profiles\\Q");

  const std::string report = parent + "report.txt", log = parent + "tarnwick.log",
                    exported = parent + "e.arg";
  WriteWholeFile(log, "earlier line\r\n");
  const struct {
    std::string arguments;
    DWORD exitCode;
    std::string error;  // the whole standard error
  } rows[] = {
      {"-quiet -r -a \"" + id + "\" -p Standard", 0, "-r -p \"Standard\": done\r\n"},
      {"-r -quiet -a \"AutoCAD\\R0\\None\" -p Standard", 1,
       "Error: AutoCAD Id \"AutoCAD\\R0\\None\" not found \r\n-r -p \"Standard\": failed with exit code "
       "1\r\n"},
      {"-quiet -r -a \"" + id + "\" -p Missing -log \"" + log + "\"", 2,
       "Error: Profile \"Missing\" not found\r\n-r -p \"Missing\": failed with exit code 2\r\n"},
      {"-quiet -r -a \"" + id + "\" -p Fragile", 3,
       "Error: Cannot change current profile in registry\r\n-r -p \"Fragile\": failed with exit code 3\r\n"},
      {"-quiet -r -a \"" + IdOf(missingExe) + "\" -p P", 4,
       "Error: Cannot run AutoCAD\r\n-r -p \"P\": failed with exit code 4\r\n"},
      {"-quiet -r -a \"" + noProfiles + "\" -p P", 5,
       "You should start AutoCAD at least once before starting the application\r\n-r -p \"P\": failed with "
       "exit code 5\r\n"},
      {"-quiet -d \"" + report + "\"", 0, "-d \"" + report + "\": done\r\n"},
      {"-quiet -d \"" + parent + "no\\such\\r.txt\"", 2,
       "Error: Cannot write the file \"" + parent + "no\\such\\r.txt\"\r\n-d \"" + parent +
           "no\\such\\r.txt\": bad argument or file, nothing changed\r\n"},
      {"-quiet -dp \"Doomed " + word + "\"", 0, "-dp \"Doomed " + word + "\": done\r\n"},
      {"-quiet -dp \"Doomed " + word + "\"", 0,
       "-dp \"Doomed " + word + "\": nothing to do, this workstation matches\r\n"},
      {"-quiet -ua \"No App " + word + "\"", 0,
       "-ua \"No App " + word + "\": nothing to do, this workstation matches\r\n"},
      {"-quiet -ua Survey", 0, "-ua \"Survey\": done\r\n"},
      {"-quiet -export \"" + exported + "\" -a \"" + id + "\" -p Standard", 0,
       "-export \"" + exported + "\": done\r\n"},
      {"-quiet -import \"" + exported + "\" -a \"" + id + "\"", 2,
       "The profile \"Standard\" already exists\r\n-import \"" + exported +
           "\": failed with exit code 2\r\n"},
      {"-quiet -import \"" + exported + "\" -a \"" + id + "\" -p \"Carried over\"", 0,
       "-import \"" + exported + "\": done\r\n"},
      {"-quiet -import \"" + parent + "none.arg\" -a \"" + id + "\"", 2,
       "The file \"" + parent + "none.arg\" cannot be read.\r\n-import \"" + parent +
           "none.arg\": failed with exit code 2\r\n"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const ProgramRun run = folder.Run(rows[i].arguments);
    EXPECT_TRUE(run.Boxes.empty()) << "row " << i << ": " << run.Boxes[0].Text;
    EXPECT_EQ(rows[i].exitCode, run.ExitCode) << "row " << i;
    EXPECT_EQ(rows[i].error, run.Error) << "row " << i;
  }
  // Runs that failed after switching the current profile switched it back.
  EXPECT_EQ("Standard", inspect::Text(HKEY_CURRENT_USER, key + "\\Profiles", ""));
  EXPECT_EQ("Q", inspect::Text(HKEY_CURRENT_USER, missingExe + "\\Profiles", ""));
  EXPECT_EQ(Missing(), inspect::Value(HKEY_CURRENT_USER, missingExe + "\\Profiles", "Tarnwikc"));
  // The log keeps what was there and gets both lines, each after the local date and time.
  const std::string stamp = "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d ";
  EXPECT_TRUE(std::regex_match(
      ReadWholeFile(log), std::regex("earlier line\r\n" + stamp + "Error: Profile \"Missing\" not found\r\n" +
                                     stamp + "-r -p \"Missing\": failed with exit code 2\r\n")))
      << ReadWholeFile(log);
  const ProgramRun usage = folder.Run("-quiet -bogus");
  EXPECT_EQ(2u, usage.ExitCode);
  EXPECT_EQ(0u, usage.Error.find("Usage: Tarnwick.exe [-r -a \"ACAD_ID\" -p \"Profile\""));
  EXPECT_NE(std::string::npos,
            usage.Error.find("\r\n...\tAutoCAD command line\r\nTarnwick.exe: bad argument"));
}

}  // namespace

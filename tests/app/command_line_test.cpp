#include "app/command_line.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <windows.h>

#include <initializer_list>
#include <vector>

namespace {

// Parses the arguments as they would follow the program name.
CPMCommandLineInfo Parse(std::initializer_list<const char*> args) {
  std::vector<char*> argv{const_cast<char*>("Tarnwick.exe")};
  for (const char* arg : args) argv.push_back(const_cast<char*>(arg));
  CPMCommandLineInfo info;
  fw::ParseCommandLine(info, static_cast<int>(argv.size()), argv.data());
  return info;
}

// What the parse rules set, as one line: what is awaited, then the flags and values given.
std::string Described(const CPMCommandLineInfo& info) {
  std::string text = "pending=" + std::to_string(info.pending);
  const char* flagNames[] = {"any", "run", "create", "passThrough", "replace", "quiet"};
  const bool flags[] = {info.anyArgument, info.run, info.create, info.passThrough, info.replace, info.quiet};
  for (size_t i = 0; i < sizeof flags / sizeof flags[0]; ++i)
    if (flags[i]) text += std::string(" ") + flagNames[i];
  if (info.report) text += " report=" + info.reportFile;
  std::string applications;
  for (const std::string& application : info.applications) applications += application + ",";
  const char* names[] = {"id",     "p",   "dp",    "ua",    "inst", "msg", "export",
                         "import", "log", "apply", "check", "cl",   "apps"};
  const std::string values[] = {
      info.acadId,       info.profile,        info.deleteProfileName, info.unregisterAppName,
      info.instanceName, info.handOffMessage, info.exportFile,        info.importFile,
      info.logFile,      info.applyFile,      info.checkFile,         info.acadCommandLine,
      applications};
  for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i)
    if (!values[i].empty()) text += std::string(" ") + names[i] + "=" + values[i];
  return text;
}

TEST(CommandLine, FlagsValuesAndWhatIsAwaited) {
  const std::string longValue(100000, 'x');
  const struct {
    std::initializer_list<const char*> args;
    std::string expected;
  } rows[] = {
      {{}, "pending=-1"},
      {{"-r", "/a", "AutoCAD\\R16.0\\ACAD-201:409", "-P", "My Profile"},
       "pending=-1 any run id=Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409 p=My Profile"},
      // A stray value turns "nothing awaited" (-1) into "ignore" (0); a second value is ignored.
      {{"drawing.dwg"}, "pending=0 any"},
      {{"-p", "One", "Two", "Three"}, "pending=0 any p=One"},
      {{"-r", "x", "y"}, "pending=1 any run"},
      {{"-zz", "value", "-p", "P"}, "pending=-1 any p=P"},
      {{"-c", "-g", "App One", "App2", "App3", "-p", "P"},
       "pending=-1 any create p=P apps=App One,App2,App3,"},
      {{"-g", "A", "-c", "B"}, "pending=4 any create apps=A,B,"},
      {{"-d"}, "pending=5 any"},
      {{"-D", "C:\\report.txt"}, "pending=-1 any report=C:\\report.txt"},
      {{"-p", "-AcCL", "x"}, "pending=3 any passThrough cl= x"},
      // The lone "-" is a flag with an empty name: an unknown flag.
      {{"", "-", "/", "-p", ""}, "pending=-1 any"},
      {{"-p", longValue.c_str()}, "pending=-1 any p=" + longValue},
      // These options keep their last value and go on awaiting more.
      {{"-dp", "A", "B"}, "pending=8 any dp=B"},
      {{"-ua", "X", "Y"}, "pending=9 any ua=Y"},
      {{"-InstName", "i1", "i2"}, "pending=10 any inst=i2"},
      {{"-AcSSE", "m1", "m2"}, "pending=6 any msg=m2"},
      {{"-AcSSE", "cmd", "-AcOpen", "g.dwg"}, "pending=7 any msg=TARNWIK_ACSSE_OPEN_g.dwg"},
      // Everything after AcCL is handed on: flags with "/", values quoted by the argument rules.
      {{"-r", "-a", "R", "-AcCL", "-t", "C:\\My Templates\\a.dwt", "/nologo", "plain", "-p", "Late"},
       "pending=-1 any run passThrough id=Software\\Autodesk\\R cl= /t \"C:\\My Templates\\a.dwt\" /nologo "
       "plain /p Late"},
      {{"-AcCL", "x\"y", "C:\\My Templates\\"},
       "pending=-1 any passThrough cl= \"x\\\"y\" \"C:\\My Templates\\\\\""},
      // Profile files and scripting: one value each, the next one is stray.
      {{"-export", "a.arg", "-a", "X", "-p", "Work"},
       "pending=-1 any id=Software\\Autodesk\\X p=Work export=a.arg"},
      {{"/IMPORT", "b.arg", "-REPLACE", "-a", "X"},
       "pending=-1 any replace id=Software\\Autodesk\\X import=b.arg"},
      {{"-import", "b.arg", "stray"}, "pending=0 any import=b.arg"},
      {{"-replace", "-import"}, "pending=12 any replace"},
      {{"-export"}, "pending=11 any"},
      {{"-r", "-export", "x", "-replace"}, "pending=-1 any run replace export=x"},
      {{"-QUIET", "/log", "C:\\t.log", "extra", "-apply", "site.ini", "-check", "c.ini"},
       "pending=-1 any quiet log=C:\\t.log apply=site.ini check=c.ini"},
      // -quiet takes no value and leaves the awaited one alone.
      {{"-p", "-quiet", "P"}, "pending=-1 any quiet p=P"},
      {{"-apply", "-log"}, "pending=13 any"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].expected, Described(Parse(rows[i].args))) << "row " << i;
}

// Splits a command line the way the C runtime does for the program's __argv.
std::vector<std::string> SplitLikeTheRuntime(const std::string& arguments) {
  std::wstring line = L"Tarnwick.exe " + std::wstring(arguments.begin(), arguments.end());
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &count);
  std::vector<std::string> result;
  for (int i = 1; i < count; ++i) result.emplace_back(argv[i], argv[i] + wcslen(argv[i]));
  ::LocalFree(argv);
  return result;
}

TEST(QuoteArgument, RoundTripsThroughArgumentSplitting) {
  const char* rows[] = {
      "plain",
      "with blank",
      "",
      "ends in backslash\\",
      "C:\\Templates\\",
      "quote\"inside",
      "\\\"leading backslash quote",
      "Work\" -AcCL /b x.scr",
      "two\\\\\"quotes\"\"",
      "\t tab",
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    std::vector<std::string> args = SplitLikeTheRuntime("-p " + fw::QuoteArgument(rows[i]) + " -x");
    ASSERT_EQ(3u, args.size()) << "row " << i;
    EXPECT_EQ(rows[i], args[1]) << "row " << i;
    EXPECT_EQ("-x", args[2]) << "row " << i;
  }
}

}  // namespace

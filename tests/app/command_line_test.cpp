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

// What the parse rules set, as one line: the fields that are always there, then those given.
std::string Described(const CPMCommandLineInfo& info) {
  std::string text = "any=" + std::to_string(info.anyArgument) + " run=" + std::to_string(info.run) +
                     " create=" + std::to_string(info.create) + " pending=" + std::to_string(info.pending) +
                     " id=" + info.acadId + " p=" + info.profile + " apps=";
  for (const std::string& application : info.applications) text += application + ",";
  if (info.report) text += " report=" + info.reportFile;
  const std::pair<const char*, const std::string*> given[] = {
      {"dp", &info.deleteProfileName}, {"ua", &info.unregisterAppName}, {"inst", &info.instanceName},
      {"msg", &info.handOffMessage},   {"export", &info.exportFile},    {"import", &info.importFile},
      {"log", &info.logFile},          {"apply", &info.applyFile},      {"check", &info.checkFile},
      {"cl", &info.acadCommandLine}};
  for (const auto& field : given)
    if (!field.second->empty()) text += std::string(" ") + field.first + "=" + *field.second;
  if (info.passThrough) text += " passThrough";
  if (info.replace) text += " replace";
  if (info.quiet) text += " quiet";
  return text;
}

TEST(CommandLine, FlagsValuesAndWhatIsAwaited) {
  const std::string longValue(100000, 'x');
  const struct {
    std::initializer_list<const char*> args;
    std::string expected;
  } rows[] = {
      {{}, "any=0 run=0 create=0 pending=-1 id= p= apps="},
      {{"-r", "/a", "AutoCAD\\R16.0\\ACAD-201:409", "-P", "My Profile"},
       "any=1 run=1 create=0 pending=-1 id=Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409 p=My Profile "
       "apps="},
      // A stray value turns "nothing awaited" (-1) into "ignore" (0); a second value is ignored.
      {{"drawing.dwg"}, "any=1 run=0 create=0 pending=0 id= p= apps="},
      {{"-p", "One", "Two", "Three"}, "any=1 run=0 create=0 pending=0 id= p=One apps="},
      {{"-r", "x", "y"}, "any=1 run=1 create=0 pending=1 id= p= apps="},
      {{"-zz", "value", "-p", "P"}, "any=1 run=0 create=0 pending=-1 id= p=P apps="},
      {{"-zz", "value"}, "any=1 run=0 create=0 pending=0 id= p= apps="},
      {{"-c", "-g", "App One", "App2", "App3", "-p", "P"},
       "any=1 run=0 create=1 pending=-1 id= p=P apps=App One,App2,App3,"},
      {{"-g", "A", "-c", "B"}, "any=1 run=0 create=1 pending=4 id= p= apps=A,B,"},
      {{"-d"}, "any=1 run=0 create=0 pending=5 id= p= apps="},
      {{"-D", "C:\\report.txt"}, "any=1 run=0 create=0 pending=-1 id= p= apps= report=C:\\report.txt"},
      {{"-p", "-AcCL", "x"}, "any=1 run=0 create=0 pending=3 id= p= apps= cl= x passThrough"},
      // The lone "-" is a flag with an empty name: an unknown flag.
      {{"", "-", "/", "-p", ""}, "any=1 run=0 create=0 pending=-1 id= p= apps="},
      {{"-"}, "any=1 run=0 create=0 pending=0 id= p= apps="},
      {{"-p", longValue.c_str()}, "any=1 run=0 create=0 pending=-1 id= p=" + longValue + " apps="},
      // These options keep their last value and go on awaiting more.
      {{"-dp", "A", "B"}, "any=1 run=0 create=0 pending=8 id= p= apps= dp=B"},
      {{"-ua", "X", "Y"}, "any=1 run=0 create=0 pending=9 id= p= apps= ua=Y"},
      {{"-InstName", "i1", "i2"}, "any=1 run=0 create=0 pending=10 id= p= apps= inst=i2"},
      {{"-AcSSE", "m1", "m2"}, "any=1 run=0 create=0 pending=6 id= p= apps= msg=m2"},
      {{"-acopen", "f.dwg"}, "any=1 run=0 create=0 pending=7 id= p= apps= msg=TARNWIK_ACSSE_OPEN_f.dwg"},
      {{"-AcOpen", "f.dwg", "-AcSSE", "cmd"}, "any=1 run=0 create=0 pending=6 id= p= apps= msg=cmd"},
      {{"-AcSSE", "cmd", "-AcOpen", "g.dwg"},
       "any=1 run=0 create=0 pending=7 id= p= apps= msg=TARNWIK_ACSSE_OPEN_g.dwg"},
      // Everything after AcCL is handed on: flags with "/", values quoted by the argument rules.
      {{"-r", "-a", "R", "-AcCL", "-t", "C:\\My Templates\\a.dwt", "/nologo", "plain", "-p", "Late"},
       "any=1 run=1 create=0 pending=-1 id=Software\\Autodesk\\R p= apps= cl= /t \"C:\\My Templates\\a.dwt\" "
       "/nologo plain /p Late passThrough"},
      {{"-AcCL", "x\"y", "C:\\My Templates\\"},
       "any=1 run=0 create=0 pending=-1 id= p= apps= cl= \"x\\\"y\" \"C:\\My Templates\\\\\" passThrough"},
      // Profile files and scripting: one value each, the next one is stray.
      {{"-export", "a.arg", "-a", "X", "-p", "Work"},
       "any=1 run=0 create=0 pending=-1 id=Software\\Autodesk\\X p=Work apps= export=a.arg"},
      {{"/IMPORT", "b.arg", "-REPLACE", "-a", "X"},
       "any=1 run=0 create=0 pending=-1 id=Software\\Autodesk\\X p= apps= import=b.arg replace"},
      {{"-import", "b.arg", "stray"}, "any=1 run=0 create=0 pending=0 id= p= apps= import=b.arg"},
      {{"-replace", "-import"}, "any=1 run=0 create=0 pending=12 id= p= apps= replace"},
      {{"-export"}, "any=1 run=0 create=0 pending=11 id= p= apps="},
      {{"-r", "-export", "x", "-replace"}, "any=1 run=1 create=0 pending=-1 id= p= apps= export=x replace"},
      {{"-QUIET", "/log", "C:\\t.log", "extra", "-apply", "site.ini", "-check", "c.ini"},
       "any=1 run=0 create=0 pending=-1 id= p= apps= log=C:\\t.log apply=site.ini check=c.ini quiet"},
      // -quiet takes no value and leaves the awaited one alone.
      {{"-p", "-quiet", "P"}, "any=1 run=0 create=0 pending=-1 id= p=P apps= quiet"},
      {{"-apply", "-log"}, "any=1 run=0 create=0 pending=13 id= p= apps="},
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

TEST(QuoteArgument, ExactForms) {
  EXPECT_EQ("\"a b\"", fw::QuoteArgument("a b"));
  EXPECT_EQ("\"C:\\T\\\\\"", fw::QuoteArgument("C:\\T\\"));
  EXPECT_EQ("\"a\\\"b\"", fw::QuoteArgument("a\"b"));
  EXPECT_EQ("\"a\\\\\\\"b\"", fw::QuoteArgument("a\\\"b"));
}

}  // namespace

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "app/command_line.h"

namespace {

// Parses the arguments as they would follow the program name.
CPMCommandLineInfo Parse(std::initializer_list<const char*> args) {
  std::vector<char*> argv{const_cast<char*>("Tarnwick.exe")};
  for (const char* arg : args) argv.push_back(const_cast<char*>(arg));
  CPMCommandLineInfo info;
  fw::ParseCommandLine(info, static_cast<int>(argv.size()), argv.data());
  return info;
}

// The fields the parse rules move, as one line.
std::string Described(const CPMCommandLineInfo& info) {
  std::string text = "any=" + std::to_string(info.anyArgument) + " run=" + std::to_string(info.run) +
                     " create=" + std::to_string(info.create) + " pending=" + std::to_string(info.pending) +
                     " id=" + info.acadId + " p=" + info.profile + " apps=";
  for (const std::string& application : info.applications) text += application + ",";
  if (info.report) text += " report=" + info.reportFile;
  return text;
}

TEST(CommandLine, FlagsValuesAndWhatIsAwaited) {
  struct Row {
    std::initializer_list<const char*> args;
    const char* expected;
  };
  const Row rows[] = {
      {{}, "any=0 run=0 create=0 pending=-1 id= p= apps="},
      {{"-r", "/a", "AutoCAD\\R16.0\\ACAD-201:409", "-P", "My Profile"},
       "any=1 run=1 create=0 pending=-1 id=Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409 p=My Profile apps="},
      // A stray value turns "nothing awaited" (-1) into "ignore" (0); a second value is ignored.
      {{"drawing.dwg"}, "any=1 run=0 create=0 pending=0 id= p= apps="},
      {{"-p", "One", "Two", "Three"}, "any=1 run=0 create=0 pending=0 id= p=One apps="},
      {{"-r", "x", "y"}, "any=1 run=1 create=0 pending=1 id= p= apps="},
      {{"-zz", "value", "-p", "P"}, "any=1 run=0 create=0 pending=-1 id= p=P apps="},
      {{"-zz", "value"}, "any=1 run=0 create=0 pending=0 id= p= apps="},
      {{"-c", "-g", "App One", "App2", "App3", "-p", "P"}, "any=1 run=0 create=1 pending=-1 id= p=P apps=App One,App2,App3,"},
      {{"-g", "A", "-c", "B"}, "any=1 run=0 create=1 pending=4 id= p= apps=A,B,"},
      {{"-d"}, "any=1 run=0 create=0 pending=5 id= p= apps="},
      {{"-D", "C:\\report.txt"}, "any=1 run=0 create=0 pending=-1 id= p= apps= report=C:\\report.txt"},
      {{"-p", "-AcCL", "x"}, "any=1 run=0 create=0 pending=3 id= p= apps="},
      // The lone "-" is a flag with an empty name: an unknown flag.
      {{"", "-", "/", "-p", ""}, "any=1 run=0 create=0 pending=-1 id= p= apps="},
      {{"-"}, "any=1 run=0 create=0 pending=0 id= p= apps="},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].expected, Described(Parse(rows[i].args))) << "row " << i;
}

TEST(CommandLine, RepeatingOptionsKeepTheLastValue) {
  struct Row {
    std::initializer_list<const char*> args;
    std::string CPMCommandLineInfo::*field;
    const char* expected;
    int pending;
  };
  const Row rows[] = {
      {{"-dp", "A", "B"}, &CPMCommandLineInfo::deleteProfileName, "B", 8},
      {{"-ua", "X", "Y"}, &CPMCommandLineInfo::unregisterAppName, "Y", 9},
      {{"-InstName", "i1", "i2"}, &CPMCommandLineInfo::instanceName, "i2", 10},
      {{"-AcSSE", "m1", "m2"}, &CPMCommandLineInfo::handOffMessage, "m2", 6},
      {{"-acopen", "f.dwg"}, &CPMCommandLineInfo::handOffMessage, "TARNWIK_ACSSE_OPEN_f.dwg", 7},
      {{"-AcOpen", "f.dwg", "-AcSSE", "cmd"}, &CPMCommandLineInfo::handOffMessage, "cmd", 6},
      {{"-AcSSE", "cmd", "-AcOpen", "g.dwg"}, &CPMCommandLineInfo::handOffMessage, "TARNWIK_ACSSE_OPEN_g.dwg", 7},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    CPMCommandLineInfo info = Parse(rows[i].args);
    EXPECT_EQ(rows[i].expected, info.*(rows[i].field)) << "row " << i;
    EXPECT_EQ(rows[i].pending, info.pending) << "row " << i;
  }
}

TEST(CommandLine, PassThroughTakesEverythingAfterAcCL) {
  CPMCommandLineInfo info =
      Parse({"-r", "-a", "AutoCAD\\R16.0\\ACAD-201:409", "-AcCL", "-t", "C:\\My Templates\\a.dwt", "/nologo",
             "plain", "-p", "Late"});
  EXPECT_TRUE(info.passThrough);
  EXPECT_EQ(" /t \"C:\\My Templates\\a.dwt\" /nologo plain /p Late", info.acadCommandLine);
  EXPECT_TRUE(info.profile.empty());  // not parsed after AcCL
}

TEST(CommandLine, LongArgumentsAreKeptWhole) {
  std::string longValue(100000, 'x');
  CPMCommandLineInfo info = Parse({"-p", longValue.c_str()});
  EXPECT_EQ(longValue, info.profile);
}

}  // namespace

namespace {

// Splits a command line the way the C runtime does for the program's __argv.
std::vector<std::string> SplitLikeTheRuntime(const std::string& arguments) {
  std::wstring wide(arguments.begin(), arguments.end());
  std::wstring line = L"Tarnwick.exe " + wide;
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &count);
  std::vector<std::string> result;
  for (int i = 1; i < count; ++i) {
    std::wstring arg = argv[i];
    result.emplace_back(arg.begin(), arg.end());
  }
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

TEST(CommandLine, PassThroughQuotesValuesThatHoldQuotes) {
  CPMCommandLineInfo info = Parse({"-AcCL", "x\"y", "C:\\My Templates\\"});
  EXPECT_EQ(" \"x\\\"y\" \"C:\\My Templates\\\\\"", info.acadCommandLine);
}

}  // namespace

namespace {

TEST(CommandLine, ProfileFileOptionsTakeOneValueEach) {
  struct Row {
    std::initializer_list<const char*> args;
    const char* exportFile;
    const char* importFile;
    const char* profile;
    bool replace;
    int pending;
  };
  const Row rows[] = {
      {{"-export", "a.arg", "-a", "X", "-p", "Work"}, "a.arg", "", "Work", false, -1},
      {{"/IMPORT", "b.arg", "-REPLACE", "-a", "X"}, "", "b.arg", "", true, -1},
      {{"-import", "b.arg", "stray"}, "", "b.arg", "", false, 0},
      {{"-replace", "-import"}, "", "", "", true, 12},
      {{"-export"}, "", "", "", false, 11},
      {{"-r", "-export", "x", "-replace"}, "x", "", "", true, -1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    CPMCommandLineInfo info = Parse(rows[i].args);
    EXPECT_EQ(rows[i].exportFile, info.exportFile) << "row " << i;
    EXPECT_EQ(rows[i].importFile, info.importFile) << "row " << i;
    EXPECT_EQ(rows[i].profile, info.profile) << "row " << i;
    EXPECT_EQ(rows[i].replace, info.replace) << "row " << i;
    EXPECT_EQ(rows[i].pending, info.pending) << "row " << i;
  }
}

TEST(CommandLine, ScriptingOptions) {
  CPMCommandLineInfo info = Parse({"-QUIET", "/log", "C:\\t.log", "extra", "-apply", "site.ini", "-check", "c.ini"});
  EXPECT_TRUE(info.quiet);
  EXPECT_EQ("C:\\t.log", info.logFile);  // one value: the next one is stray
  EXPECT_EQ("site.ini", info.applyFile);
  EXPECT_EQ("c.ini", info.checkFile);
  EXPECT_EQ(-1, info.pending);
  // -quiet takes no value and leaves the awaited one alone.
  CPMCommandLineInfo between = Parse({"-p", "-quiet", "P"});
  EXPECT_TRUE(between.quiet);
  EXPECT_EQ("P", between.profile);
  // Without their values the options are not given.
  CPMCommandLineInfo bare = Parse({"-apply", "-log"});
  EXPECT_TRUE(bare.applyFile.empty());
  EXPECT_TRUE(bare.logFile.empty());
}

}  // namespace

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

TEST(CommandLine, NoArgumentsLeavesEverythingUnset) {
  CPMCommandLineInfo info = Parse({});
  EXPECT_FALSE(info.anyArgument);
  EXPECT_EQ(-1, info.pending);
  EXPECT_FALSE(info.run);
  EXPECT_TRUE(info.acadId.empty());
}

TEST(CommandLine, RunRequestWithBothFlagCharacters) {
  CPMCommandLineInfo info = Parse({"-r", "/a", "AutoCAD\\R16.0\\ACAD-201:409", "-P", "My Profile"});
  EXPECT_TRUE(info.anyArgument);
  EXPECT_TRUE(info.run);
  EXPECT_EQ("Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409", info.acadId);
  EXPECT_EQ("My Profile", info.profile);
  EXPECT_EQ(-1, info.pending);
}

TEST(CommandLine, StrayValuesAreNotStored) {
  CPMCommandLineInfo stray = Parse({"drawing.dwg"});
  EXPECT_TRUE(stray.anyArgument);
  EXPECT_EQ(0, stray.pending);  // a stray value turns "nothing awaited" into "ignore"
  EXPECT_TRUE(stray.profile.empty());

  // A second value after p's value is ignored: -1 turns to 0, then 0 ignores.
  CPMCommandLineInfo second = Parse({"-p", "One", "Two", "Three"});
  EXPECT_EQ("One", second.profile);
  EXPECT_EQ(0, second.pending);
}

TEST(CommandLine, RunFlagIgnoresItsValues) {
  CPMCommandLineInfo info = Parse({"-r", "x", "y"});
  EXPECT_TRUE(info.run);
  EXPECT_EQ(1, info.pending);
  EXPECT_TRUE(info.profile.empty());
}

TEST(CommandLine, UnknownFlagIgnoresItsValues) {
  CPMCommandLineInfo info = Parse({"-zz", "value", "-p", "P"});
  EXPECT_EQ("P", info.profile);
  CPMCommandLineInfo pendingState = Parse({"-zz", "value"});
  EXPECT_EQ(0, pendingState.pending);
}

TEST(CommandLine, ApplicationsTakeAnyNumberOfValues) {
  CPMCommandLineInfo info = Parse({"-c", "-g", "App One", "App2", "App3", "-p", "P"});
  EXPECT_TRUE(info.create);
  ASSERT_EQ(3u, info.applications.size());
  EXPECT_EQ("App One", info.applications[0]);
  EXPECT_EQ("App2", info.applications[1]);
  EXPECT_EQ("App3", info.applications[2]);
  EXPECT_EQ("P", info.profile);
}

TEST(CommandLine, CreateLeavesThePendingOptionAlone) {
  CPMCommandLineInfo info = Parse({"-g", "A", "-c", "B"});
  EXPECT_TRUE(info.create);
  ASSERT_EQ(2u, info.applications.size());
  EXPECT_EQ("B", info.applications[1]);
}

TEST(CommandLine, ReportFlagIsSetOnlyByItsValue) {
  CPMCommandLineInfo flagOnly = Parse({"-d"});
  EXPECT_FALSE(flagOnly.report);
  EXPECT_EQ(5, flagOnly.pending);
  CPMCommandLineInfo withFile = Parse({"-D", "C:\\report.txt"});
  EXPECT_TRUE(withFile.report);
  EXPECT_EQ("C:\\report.txt", withFile.reportFile);
  EXPECT_EQ(-1, withFile.pending);
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

TEST(CommandLine, PassThroughKeepsThePendingOption) {
  CPMCommandLineInfo info = Parse({"-p", "-AcCL", "x"});
  EXPECT_EQ(3, info.pending);
  EXPECT_EQ(" x", info.acadCommandLine);
  EXPECT_TRUE(info.profile.empty());
}

TEST(CommandLine, EmptyAndOddArguments) {
  CPMCommandLineInfo info = Parse({"", "-", "/", "-p", ""});
  EXPECT_TRUE(info.anyArgument);
  EXPECT_EQ("", info.profile);
  EXPECT_EQ(-1, info.pending);
  // The lone "-" is a flag with an empty name: an unknown flag.
  CPMCommandLineInfo lone = Parse({"-"});
  EXPECT_EQ(0, lone.pending);
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

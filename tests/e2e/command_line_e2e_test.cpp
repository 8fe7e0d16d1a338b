#include <gtest/gtest.h>

#include "program_driver.h"

namespace {

const char kAppName[] = "Orvane for AutoCAD";
const char kUsage[] =
    "Usage: Tarnwick.exe [-r -a \"ACAD_ID\" -p \"Profile\" [-c -g \"App\" \"App\"] -AcCL ...]\r\n"
    "\r\n"
    "Options:\r\n"
    "-r\tRun AutoCAD (must be followed by -a and -p)\r\n"
    "-a\tAutoCAD Id (e.g. AutoCAD\\R16.0\\ACAD-201:409)\r\n"
    "-p\tProfile name\r\n"
    "-c\tCreate profile if not exists\r\n"
    "-g\tEnable application(s) in newly created profile\n"
    "-AcCL\tPass arguments to the AutoCAD command line\r\n"
    "...\tAutoCAD command line";

TEST(CommandLineE2E, UnusableArgumentsShowTheUsageText) {
  ProgramFolder folder;
  // The parser's rules are the command-line suite's; one row per way to miss a run request.
  const char* rows[] = {
      "stray.dwg",
      "-unknown",
      "-dp",
      "-r -a \"AutoCAD\\R16.0\\ACAD-201:409\" -p \"\"",
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ProgramRun run = folder.Run(rows[i]);
    ASSERT_TRUE(run.Started) << "row " << i;
    EXPECT_FALSE(run.TimedOut) << "row " << i;
    EXPECT_EQ(0u, run.ExitCode) << "row " << i;
    ASSERT_EQ(1u, run.Boxes.size()) << "row " << i;
    EXPECT_EQ(kAppName, run.Boxes[0].Title) << "row " << i;
    EXPECT_EQ(kUsage, run.Boxes[0].Text) << "row " << i;
  }
}

// String id of the program file in language, converted to the ANSI code page as the
// program itself converts it.
std::string ProgramString(const std::string& exe, UINT id, LANGID language) {
  HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "<no module>";
  std::string text = "<no string>";
  HRSRC block = ::FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language);
  if (const WCHAR* p = block ? static_cast<const WCHAR*>(::LockResource(::LoadResource(module, block))) : nullptr) {
    for (UINT slot = 0; slot < id % 16; ++slot) p += 1 + *p;
    int size = ::WideCharToMultiByte(CP_ACP, 0, p + 1, *p, nullptr, 0, nullptr, nullptr);
    text.assign(size, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, p + 1, *p, &text[0], size, nullptr, nullptr);
  }
  ::FreeLibrary(module);
  return text;
}

TEST(CommandLineE2E, LanguageFromTheIniBesideTheProgramWinsOverTheParent) {
  ProgramFolder folder;
  const std::string russianUsage = ProgramString(folder.Exe(), 10010, 1049);
  ASSERT_NE(kUsage, russianUsage);
  folder.WriteFile(folder.Parent() + "Tarnwick.ini", "[Language]\r\nLang=RU\r\n");
  ProgramRun russian = folder.Run("-x");
  ASSERT_EQ(1u, russian.Boxes.size());
  EXPECT_EQ(ProgramString(folder.Exe(), 10005, 1049), russian.Boxes[0].Title);
  EXPECT_EQ(russianUsage, russian.Boxes[0].Text);

  folder.WriteFile(folder.Bin() + "Tarnwick.ini", "[Language]\r\nLang=EN\r\n");
  ProgramRun english = folder.Run("-x");
  ASSERT_EQ(1u, english.Boxes.size());
  EXPECT_EQ(kAppName, english.Boxes[0].Title);
  EXPECT_EQ(kUsage, english.Boxes[0].Text);
}

TEST(CommandLineE2E, ReportToAnUnwritablePathShowsNothing) {
  ProgramFolder folder;
  ProgramRun run = folder.Run("-d \"C:\\no such folder\\x\\report.txt\"");
  EXPECT_FALSE(run.TimedOut);
  EXPECT_EQ(0u, run.ExitCode);
  EXPECT_TRUE(run.Boxes.empty());
}

}  // namespace

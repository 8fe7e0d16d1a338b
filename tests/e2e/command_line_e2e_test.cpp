// What Tarnwick.exe shows for a command line it cannot use, in the language its INI file chooses.
// The parser's rules are the command-line suite's.
#include <gtest/gtest.h>

#include "program_driver.h"
#include "resources/resource.h"

namespace {

// String id of the program file in language, converted to the ANSI code page as the
// program itself converts it.
std::string ProgramString(const std::string& exe, UINT id, LANGID language) {
  HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "<no module>";
  std::string text = "<no string>";
  HRSRC block = ::FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language);
  if (const WCHAR* p =
          block ? static_cast<const WCHAR*>(::LockResource(::LoadResource(module, block))) : nullptr) {
    for (UINT slot = 0; slot < id % 16; ++slot) p += 1 + *p;
    int size = ::WideCharToMultiByte(CP_ACP, 0, p + 1, *p, nullptr, 0, nullptr, nullptr);
    text.assign(size, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, p + 1, *p, &text[0], size, nullptr, nullptr);
  }
  ::FreeLibrary(module);
  return text;
}

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);

TEST(CommandLineE2E, UnusableArgumentsShowTheUsageTextInTheLanguageOfTheIni) {
  ProgramFolder folder;
  const struct {
    std::string arguments;
    std::string ini;  // written before the run, choosing the language shown
    LANGID shown;     // 0: nothing is shown
  } rows[] = {
      {"stray.dwg", "", kEnglish},
      {"-dp", "", kEnglish},
      {"-r -a \"AutoCAD\\R16.0\\ACAD-201:409\" -p \"\"", "", kEnglish},
      // Without scripting mode a report that cannot be written is passed over in silence.
      {"-d \"C:\\no such folder\\x\\report.txt\"", "", 0},
      // The INI beside the program wins over the one in its parent folder.
      {"-x", folder.Parent() + "Tarnwick.ini", kRussian},
      {"-x", folder.Bin() + "Tarnwick.ini", kEnglish},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    if (!rows[i].ini.empty())
      WriteWholeFile(rows[i].ini,
                     rows[i].shown == kRussian ? "[Language]\r\nLang=RU\r\n" : "[Language]\r\nLang=EN\r\n");
    ProgramRun run = folder.Run(rows[i].arguments);
    EXPECT_EQ(0u, run.ExitCode) << "row " << i;
    ASSERT_EQ(rows[i].shown ? 1u : 0u, run.Boxes.size()) << "row " << i;
    if (!rows[i].shown) continue;
    EXPECT_EQ(ProgramString(folder.Exe(), IDS_APP_NAME, rows[i].shown), run.Boxes[0].Title) << "row " << i;
    EXPECT_EQ(ProgramString(folder.Exe(), IDS_USAGE, rows[i].shown), run.Boxes[0].Text) << "row " << i;
  }
}

}  // namespace

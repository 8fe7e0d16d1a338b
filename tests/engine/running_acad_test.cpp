// Running AutoCAD: a real stand-in process is found by its image path, and no longer once it ends.
#include "engine/running_acad.h"

#include <gtest/gtest.h>

#include "engine/same_name.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/running_standin.h"

namespace {

PMAcad ProductAt(const std::string& exePath) {
  PMAcad product;
  product.ExePath = exePath;
  return product;
}

TEST(RunningAcad, FindsTheProductWhoseExecutableIsARunningImage) {
  ScratchFolder folder;
  RunningStandIn standIn(folder.Path() + "\\");
  ASSERT_TRUE(standIn.Started());
  const std::string bin = RunningStandIn::ProgramFolder();
  std::string upper = bin + "ACAD.EXE";
  for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
  struct Row {
    std::string exePath;
    bool running;
  };
  const Row rows[] = {
      {bin + "acad.exe", true},
      {upper, true},
      {bin + ".\\acad.exe", true},
      {bin + "acadlt.exe", false},  // another product's program in the same folder
      {folder.Path() + "\\acad.exe", false},
      {"acad.exe", false},  // relative: the current folder, not the stand-in's
      {"", false},
  };
  ::SetCurrentDirectoryA((folder.Path() + "\\").c_str());
  const StringList images = RunningImagePaths();
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].running, IsAcadRunning(ProductAt(rows[row].exePath), images))
        << "row " << row << ": " << rows[row].exePath;

  ConfigurationModel model = {ProductAt(bin + "aclt.exe"), ProductAt(bin + "acad.exe")};
  EXPECT_EQ((std::vector<bool>{false, true}), RunningProducts(model));
  ASSERT_TRUE(standIn.End());
  EXPECT_EQ((std::vector<bool>{false, false}), RunningProducts(model));
  ::SetCurrentDirectoryA(bin.c_str());
}

// Text from UTF-16, in the ANSI code page; empty when it does not fit that code page.
std::string Ansi(const wchar_t* text) {
  char bytes[64] = "";
  BOOL lost = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, &lost);
  return length > 0 && !lost ? bytes : "";
}

TEST(SameNameIgnoringCase, FoldsLetterCaseOnlyAsTheRegistryDoes) {
  struct Row {
    std::string a, b;
    bool same;
  };
  const Row rows[] = {
      {"Work", "WORK", true},
      {"", "", true},
      {"co-op", "coop", false},  // a word sort would call these equal
      {"Work", "Work ", false},
      {"Strasse", Ansi(L"Stra\u00DFe"), false},
      {Ansi(L"\u00C9mile"), Ansi(L"\u00E9MILE"), true},  // non-ASCII letters fold too
      {"\x81\x40", "\x81\x40", true},                     // invalid in most code pages: bytes compared
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    if (rows[row].a.empty() != rows[row].b.empty()) continue;  // a letter the code page lacks
    EXPECT_EQ(rows[row].same, SameNameIgnoringCase(rows[row].a, rows[row].b))
        << "row " << row << ": " << rows[row].a << " / " << rows[row].b;
  }
}

}  // namespace

// Running AutoCAD: a real stand-in process is found by its image path, and no longer once it ends.
#include "engine/running_acad.h"

#include <gtest/gtest.h>

#include "tests/support/running_standin.h"
#include "tests/support/scratch_folder.h"

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

  ASSERT_TRUE(standIn.End());
  EXPECT_FALSE(IsAcadRunning(ProductAt(bin + "acad.exe"), RunningImagePaths()));
  ::SetCurrentDirectoryA(bin.c_str());
}

}  // namespace

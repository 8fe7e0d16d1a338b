// The product information: one object for the process, the name through the application's loader,
// the version from version resources of several shapes.
#include "base/oem_info.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "base/oem_info_impl.h"
#include "tests/support/test_paths.h"

namespace {

int g_loaderCalls = 0;
char* NamedLoader(UINT id, char* buffer, int size) {
  ++g_loaderCalls;
  wsprintfA(buffer, "Loaded %u", id);
  return buffer;
}
char* MissingLoader(UINT, char*, int) {
  ++g_loaderCalls;
  return nullptr;
}

class OemInfoTest : public ::testing::Test {
 protected:
  void TearDown() override { SetOemStringLoader(nullptr); }
};

TEST_F(OemInfoTest, OneObjectForTheProcessWhoseNameComesThroughTheApplicationsLoader) {
  IOemInfo* oem = new_IOemInfo();
  ASSERT_NE(nullptr, oem);
  EXPECT_EQ(oem, new_IOemInfo());
  // Callers that release once too often must not end the one object.
  for (int i = 0; i < 5; ++i) oem->Release();
  EXPECT_STREQ("Orvane for AutoCAD", oem->GetProductName());

  // Handing in a loader drops the name kept from the module's own table; the name is kept after the
  // first load.
  g_loaderCalls = 0;
  SetOemStringLoader(&NamedLoader);
  EXPECT_STREQ("Loaded 10005", oem->GetProductName());
  EXPECT_STREQ("Loaded 10005", oem->GetProductName());
  EXPECT_EQ(1, g_loaderCalls);
  // A name that cannot be loaded is empty and asked for again next time.
  g_loaderCalls = 0;
  SetOemStringLoader(&MissingLoader);
  EXPECT_STREQ("", oem->GetProductName());
  EXPECT_STREQ("", oem->GetProductName());
  EXPECT_EQ(2, g_loaderCalls);
  SetOemStringLoader(nullptr);
  EXPECT_STREQ("Orvane for AutoCAD", oem->GetProductName());
}

TEST_F(OemInfoTest, VersionOfFilesOfOtherShapes) {
  const std::string folder = TestProgramFolder();
  std::string digits;
  for (int i = 0; i < 259; ++i) digits += static_cast<char>('0' + i % 10);
  struct Row {
    std::string path;
    DWORD version;
    std::string text;
  };
  const Row rows[] = {
      // Version 3.7 whose texts are only in a German block.
      {folder + "about_version_german.dll", 0x00070003, ""},
      // Version 2.15 with a text longer than the buffer: cut to 259 characters and terminated.
      {folder + "about_version_long.dll", 0x000F0002, digits},
      // No version resource (a missing file or one that is no program reads the same).
      {folder + "about_link_target.exe", 0, ""},
      {"", 0, ""},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    EXPECT_EQ(row.version, ReadProductVersion(row.path.c_str())) << "row " << i << " " << row.path;
    char buffer[300];
    std::memset(buffer, 'X', sizeof buffer);
    ReadProductVersionString(row.path.c_str(), buffer, 260);
    EXPECT_EQ(row.text, std::string(buffer)) << "row " << i << " " << row.path;
    EXPECT_EQ('X', buffer[260]) << "row " << i << ": written past the buffer";
  }
}

}  // namespace

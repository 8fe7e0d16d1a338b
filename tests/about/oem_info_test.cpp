// The product information: one object for the process, the name through the application's loader,
// the version from version resources of several shapes.
#include "base/oem_info.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "base/handles.h"
#include "base/oem_info_impl.h"
#include "tests/support/test_paths.h"

namespace {

// Releases an interface at the end of the scope.
struct Held {
  explicit Held(IOemInfo* info) : info(info) {}
  ~Held() {
    if (info) info->Release();
  }
  IOemInfo* info;
};

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

TEST_F(OemInfoTest, OneObjectForTheProcessThatOverReleasingCannotEnd) {
  Held first(new_IOemInfo());
  Held second(new_IOemInfo());
  ASSERT_NE(nullptr, first.info);
  EXPECT_EQ(first.info, second.info);

  // Callers that release once too often must not end the one object.
  IOemInfo* third = new_IOemInfo();
  for (int i = 0; i < 5; ++i) third->Release();
  EXPECT_EQ(0u, std::strlen(third->GetOemField1()));
  EXPECT_STREQ("Orvane for AutoCAD", third->GetProductName());
}

TEST_F(OemInfoTest, ProductNameComesFromTheStringTableThroughTheApplicationsLoader) {
  Held oem(new_IOemInfo());
  SetOemStringLoader(nullptr);
  EXPECT_STREQ("Orvane for AutoCAD", oem.info->GetProductName());

  // Handing in a loader drops the name kept from the module's own table.
  g_loaderCalls = 0;
  SetOemStringLoader(&NamedLoader);
  EXPECT_STREQ("Loaded 10005", oem.info->GetProductName());
  EXPECT_STREQ("Loaded 10005", oem.info->GetProductName());
  EXPECT_EQ(1, g_loaderCalls) << "the name is kept after the first load";

  // A name that cannot be loaded is empty and asked for again next time.
  g_loaderCalls = 0;
  SetOemStringLoader(&MissingLoader);
  EXPECT_STREQ("", oem.info->GetProductName());
  EXPECT_STREQ("", oem.info->GetProductName());
  EXPECT_EQ(2, g_loaderCalls);
}

TEST_F(OemInfoTest, VersionOfFilesOfOtherShapes) {
  const std::string folder = TestProgramFolder();
  const std::string notPe = folder + "about_not_a_program.dll";
  {
    fw::FileHandle file(
        CreateFileA(notPe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    WriteFile(file.get(), "MZ but nothing more", 19, &written, nullptr);
  }
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
      // No version resource at all.
      {folder + "about_link_target.exe", 0, ""},
      {notPe, 0, ""},
      {folder + "no such file.dll", 0, ""},
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
  DeleteFileA(notPe.c_str());
}

}  // namespace

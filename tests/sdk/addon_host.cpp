// A host program that is not Tarnwick.exe, as AutoCAD is for the maker's add-ons: it loads the
// add-on named by TW_ADDON (built from the SDK alone) and runs each of its steps, which reach the
// library through the add-on's imports and catch its exceptions there.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using AddonStep = int (*)(const char* folder, char* out, int size);

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class AddonHost : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* addon = std::getenv("TW_ADDON");
    ASSERT_NE(nullptr, addon) << "TW_ADDON names the add-on to load";
    // Its own folder first for its imports, as hosts load add-ons from where they are installed.
    module_ = LoadLibraryExA(addon, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(nullptr, module_) << "LoadLibraryEx " << addon << ": error " << GetLastError();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "tw-addon-host-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    std::ofstream(folder_ + "\\lines.txt", std::ios::binary) << "first line\r\nsecond line\n\nlast line";
  }
  void TearDown() override {
    for (const char* name : {"lines.txt", "addon.ini"}) DeleteFileA((folder_ + "\\" + name).c_str());
    RemoveDirectoryA(folder_.c_str());
    if (module_) FreeLibrary(module_);
  }

  HMODULE module_ = nullptr;
  std::string folder_;
};

TEST_F(AddonHost, EachStepReachesTheLibraryAndCatchesItsExceptions) {
  const struct {
    const char* step;
    std::string expected;
  } rows[] = {
      {"Addon_Strings", "hello, add-on|HELLO, ADD-ON|13"},
      {"Addon_Heap", "zeroed=1 text=kept room=1"},
      {"Addon_Settings", "written=1 read=1 width=640 title=Add-on window"},
      {"Addon_ReadLines", "4:[first line][second line][][last line]"},
      {"Addon_MissingFile", "CXFileException code=6 operation=1 same name=1"},
      {"Addon_OfflineStorage", "GetValue=0 empty=1 GetChild=null storage threw=1"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    auto step = reinterpret_cast<AddonStep>(GetProcAddress(module_, rows[row].step));
    ASSERT_NE(nullptr, step) << "row " << row << ": " << rows[row].step;
    char out[256];
    memset(out, '#', sizeof out);
    out[sizeof out - 1] = '\0';
    EXPECT_EQ(1, step(folder_.c_str(), out, sizeof out)) << "row " << row << ": " << out;
    EXPECT_EQ(rows[row].expected, out) << "row " << row;
  }
  // The settings step's file, as the INI writer lays it out (the root section comes first).
  EXPECT_EQ("\r\n[\\]\r\n\r\n[\\Window]\r\nWidth=i640\r\nTitle=sAdd-on window\r\n",
            ReadWholeFile(folder_ + "\\addon.ini"));
}

}  // namespace

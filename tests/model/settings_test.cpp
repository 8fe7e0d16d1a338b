// The program's own settings: where they are written, and which stored values read as none.
#include "engine/settings.h"

#include <gtest/gtest.h>

#include "tests/support/private_registry.h"

namespace {

TEST(Settings, WrittenAsTextAndReadBackOnlyWhenUsable) {
  PrivateRegistry registry("settings");
  ASSERT_TRUE(registry.ok());
  ASSERT_TRUE(WriteSetting(kCurAcadValue, "AutoCAD 2010"));
  EXPECT_EQ(Sz("AutoCAD 2010"),
            inspect::Value(HKEY_CURRENT_USER, "Software\\Brevent Software\\Tarnwick\\1.0", "CurAcad"));
  const struct {
    DWORD type;
    std::string bytes;
    std::string read;  // empty: reads as none and leaves the output alone
  } rows[] = {
      {REG_SZ, std::string("AutoCAD 2010", 13), "AutoCAD 2010"},
      {REG_SZ, std::string(1, '\0'), ""},
      {REG_SZ, std::string(259, 'a') + '\0', std::string(259, 'a')},
      {REG_SZ, std::string(260, 'a') + '\0', ""},
      {REG_BINARY, "abc", "abc"},  // no terminating zero: still read within its size
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    seed::SetRaw(HKEY_CURRENT_USER, kSettingsKey, kCurAcadValue, rows[row].type, rows[row].bytes);
    std::string value = "unchanged";
    EXPECT_EQ(!rows[row].read.empty(), ReadSetting(kCurAcadValue, value)) << "row " << row;
    EXPECT_EQ(rows[row].read.empty() ? "unchanged" : rows[row].read, value) << "row " << row;
  }
}

}  // namespace

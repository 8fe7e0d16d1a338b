// The program's own settings: where they are written, and which stored values read as none.
#include "engine/settings.h"

#include <gtest/gtest.h>

#include "tests/support/private_registry.h"

namespace {

TEST(Settings, WrittenAsTextAndReadBackOnlyWhenUsable) {
  PrivateRegistry registry("settings");
  ASSERT_TRUE(registry.ok());
  std::string value = "unchanged";
  EXPECT_FALSE(ReadSetting(kCurAcadValue, value));
  ASSERT_TRUE(WriteSetting(kCurAcadValue, "AutoCAD 2010"));
  EXPECT_EQ(Sz("AutoCAD 2010"),
            inspect::Value(HKEY_CURRENT_USER, "Software\\Brevent Software\\Tarnwick\\1.0", "CurAcad"));
  EXPECT_TRUE(ReadSetting(kCurAcadValue, value));
  EXPECT_EQ("AutoCAD 2010", value);

  const struct {
    DWORD type;
    std::string bytes;
    const char* read;  // null: reads as none and leaves the output alone
  } rows[] = {
      {REG_SZ, std::string(1, '\0'), nullptr},
      {REG_SZ, std::string(300, 'a') + '\0', nullptr},
      {REG_BINARY, "abc", "abc"},  // no terminating zero: still read within its size
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    seed::SetRaw(HKEY_CURRENT_USER, kSettingsKey, kCurAcadValue, rows[row].type, rows[row].bytes);
    value = "unchanged";
    EXPECT_EQ(rows[row].read != nullptr, ReadSetting(kCurAcadValue, value)) << "row " << row;
    EXPECT_EQ(rows[row].read ? rows[row].read : "unchanged", value) << "row " << row;
  }
}

}  // namespace

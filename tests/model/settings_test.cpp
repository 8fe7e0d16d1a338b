#include <gtest/gtest.h>

#include "base/handles.h"
#include "engine/settings.h"

namespace {

// Gives the test a private HKEY_CURRENT_USER.
class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = "Software\\TarnwickTests\\settings-" + std::to_string(::GetCurrentProcessId());
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, root_.put(), nullptr));
    ASSERT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_CURRENT_USER, root_.get()));
  }
  void TearDown() override {
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    root_.reset();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
  }
  void SetRaw(DWORD type, const void* data, DWORD size) {
    fw::RegKey key;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    ::RegSetValueExA(key.get(), kCurAcadValue, 0, type, static_cast<const BYTE*>(data), size);
  }

  std::string scratch_;
  fw::RegKey root_;
};

TEST_F(Settings, WriteThenReadBack) {
  std::string value = "unchanged";
  EXPECT_FALSE(ReadSetting(kCurAcadValue, value));
  EXPECT_EQ("unchanged", value);
  ASSERT_TRUE(WriteSetting(kCurAcadValue, "AutoCAD 2010"));
  EXPECT_TRUE(ReadSetting(kCurAcadValue, value));
  EXPECT_EQ("AutoCAD 2010", value);

  fw::RegKey key;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brevent Software\\Tarnwick\\1.0", 0, KEY_READ, key.put()));
  char data[64] = {};
  DWORD size = sizeof data, type = 0;
  ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key.get(), "CurAcad", nullptr, &type, reinterpret_cast<BYTE*>(data), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(13u, size);  // with the terminating zero
}

TEST_F(Settings, EmptyOverlongAndOddValuesReadAsMissing) {
  std::string value = "unchanged";
  SetRaw(REG_SZ, "", 1);
  EXPECT_FALSE(ReadSetting(kCurAcadValue, value));
  std::string overlong(300, 'a');
  SetRaw(REG_SZ, overlong.c_str(), static_cast<DWORD>(overlong.size() + 1));
  EXPECT_FALSE(ReadSetting(kCurAcadValue, value));
  EXPECT_EQ("unchanged", value);
  SetRaw(REG_BINARY, "abc", 3);  // no terminating zero: still read within its size
  EXPECT_TRUE(ReadSetting(kCurAcadValue, value));
  EXPECT_EQ("abc", value);
}

}  // namespace

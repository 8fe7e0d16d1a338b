// Bounded reads: sizes at and past the buffer, wrong types, unterminated strings.
#include "engine/registry_io.h"

#include <gtest/gtest.h>

#include "engine_test.h"

namespace {

const char kPath[] = "Software\\Values";
const DWORD kNotThere = 0xFFFF;  // a row whose value is not stored

class RegistryIoTest : public ::testing::Test {
 protected:
  RegistrySandbox sandbox_;
  fw::RegKey Key() { return reg::OpenKey(HKEY_CURRENT_USER, kPath, KEY_READ); }
};

struct StringRow {
  DWORD type;
  std::string bytes;
  size_t capacity;
  reg::TypeRule rule;
  bool found;
  std::string text;
};

TEST_F(RegistryIoTest, ReadStringTakesWhatFitsAndRefusesTheRest) {
  const std::string x259(259, 'x'), x260(260, 'x');
  const StringRow rows[] = {
      {REG_SZ, std::string("abc", 4), 260, reg::TypeRule::Exact, true, "abc"},
      {REG_SZ, x259 + '\0', 260, reg::TypeRule::Exact, true, x259},
      {REG_SZ, x260 + '\0', 260, reg::TypeRule::Exact, false, ""},
      {REG_SZ, std::string("", 1), 260, reg::TypeRule::Exact, true, ""},
      {REG_SZ, "ABCD", 260, reg::TypeRule::Exact, true, "ABCD"},  // stored without its zero
      {REG_EXPAND_SZ, std::string("%TEMP%", 7), 260, reg::TypeRule::Exact, true, "%TEMP%"},
      {REG_MULTI_SZ, std::string("a\0b\0", 5), 260, reg::TypeRule::Exact, false, ""},
      {REG_MULTI_SZ, std::string("a\0b\0", 5), 260, reg::TypeRule::AnyType, true, "a"},
      {REG_DWORD, std::string("A\0\0\0", 4), 260, reg::TypeRule::Exact, false, ""},
      {REG_DWORD, std::string("A\0\0\0", 4), 260, reg::TypeRule::AnyType, true, "A"},
      {REG_BINARY, "abc", 260, reg::TypeRule::AnyType, true, "abc"},
      {REG_BINARY, x259, 260, reg::TypeRule::AnyType, true, x259},
      {REG_BINARY, x260, 260, reg::TypeRule::AnyType, false, ""},
      {REG_BINARY, std::string("ab\0cd", 5), 260, reg::TypeRule::AnyType, true, "ab"},
      {REG_BINARY, std::string(520, 'y'), 520, reg::TypeRule::AnyType, false, ""},
      {REG_BINARY, std::string(519, 'y'), 520, reg::TypeRule::AnyType, true, std::string(519, 'y')},
      {REG_BINARY, "", 260, reg::TypeRule::AnyType, true, ""},
      {kNotThere, "", 260, reg::TypeRule::AnyType, false, ""},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const StringRow& row = rows[i];
    const std::string name = "v" + std::to_string(i);
    if (row.type != kNotThere) seed::SetRaw(HKEY_CURRENT_USER, kPath, name.c_str(), row.type, row.bytes);
    std::string out = "unchanged";
    bool found = reg::ReadString(Key().get(), name.c_str(), row.capacity, out, row.rule);
    EXPECT_EQ(row.found, found) << "row " << i;
    EXPECT_EQ(row.found ? row.text : std::string("unchanged"), out) << "row " << i;
  }
  std::string out = "unchanged";
  EXPECT_FALSE(reg::ReadString(nullptr, "v0", 260, out));
  EXPECT_EQ("unchanged", out);
}

struct DwordRow {
  DWORD type;
  std::string bytes;
  reg::TypeRule rule;
  bool found;
  DWORD value;
};

TEST_F(RegistryIoTest, ReadDwordNeedsExactlyFourBytes) {
  const DwordRow rows[] = {
      {REG_DWORD, std::string("\x04\x03\x02\x01", 4), reg::TypeRule::Exact, true, 0x01020304},
      {REG_DWORD, std::string("\x04\x03", 2), reg::TypeRule::Exact, false, 0},
      {REG_DWORD, std::string("\x04\x03", 2), reg::TypeRule::AnyType, false, 0},
      {REG_BINARY, std::string("\xff\xff\xff\xff", 4), reg::TypeRule::Exact, false, 0},
      {REG_BINARY, std::string("\xff\xff\xff\xff", 4), reg::TypeRule::AnyType, true, 0xFFFFFFFF},
      {REG_QWORD, std::string("\x01\0\0\0\0\0\0\0", 8), reg::TypeRule::AnyType, false, 0},
      {REG_BINARY, "", reg::TypeRule::AnyType, false, 0},
      {kNotThere, "", reg::TypeRule::AnyType, false, 0},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const DwordRow& row = rows[i];
    const std::string name = "d" + std::to_string(i);
    if (row.type != kNotThere) seed::SetRaw(HKEY_CURRENT_USER, kPath, name.c_str(), row.type, row.bytes);
    DWORD out = 0xABCDEF;
    EXPECT_EQ(row.found, reg::ReadDword(Key().get(), name.c_str(), out, row.rule)) << "row " << i;
    EXPECT_EQ(row.found ? row.value : 0xABCDEFu, out) << "row " << i;
  }
}

}  // namespace

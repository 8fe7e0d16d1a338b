// The text of INI values: every type letter read and written, the integer and real rules.
#include "param/ini_value.h"

#include <gtest/gtest.h>
#include <locale.h>

#include "tests/param/param_test_util.h"

namespace {

std::string Parsed(const char* text) {
  CQVVariant v(99);
  if (!IniParseValue(text, &v)) return v.vt == QVT_EMPTY ? "fail" : "fail, output not cleared";
  return Text(v);
}

std::string Formatted(const tagQVVARIANT& v) {
  CXString text("name=");
  if (!IniFormatValue(v, text)) return text.Compare("name=") == 0 ? "none" : "none, output changed";
  return static_cast<const char*>(text);
}

TEST(IniValue, ReadingEveryLetter) {
  const struct {
    const char* text;
    const char* expected;
  } rows[] = {
      {"e", "e"},
      {"eanything at all", "e"},
      {"f01", "f1"},
      {"fyes", "f1"},
      {"fno", "f0"},
      {"bff", "bFF"},
      {"b0A trailing", "b0A"},
      {"w65535", "w65535"},
      {"w65536", "fail"},
      {"w0x10", "w16"},
      {"W4294967295", "W4294967295"},
      {"i 42", "i42"},
      {"i0x1F", "i31"},
      {"i1F", "i1"},
      {"i12abc", "i12"},
      {"u7", "u7"},
      {"l-100000", "l-100000"},
      {"R-2.25e3", "R-2250"},
      {"R1.", "R1"},
      {"s", "s"},
      {"s  two blanks", "s  two blanks"},
      {"z10,0x5", "z16,5"},
      {"z-1 , -2", "z-1,-2"},
      {"t1,2,3,4", "t1,2,3,4"},
      {"Z1.5,2", "Z1.5,2"},
      {"P.5,-.5", "P0.5,-0.5"},
      // Too large: strtol saturates.
      {"i99999999999", "i2147483647"},
      {"i-99999999999", "i-2147483648"},
      {"W99999999999", "W4294967295"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].expected, Parsed(rows[row].text)) << "row " << row << ": " << rows[row].text;
  // A wrong or missing letter, a number out of range, cut short or followed by a blank.
  for (const char* text : {"f2", "fx",   "f",  "f 1", "b7",     "bG1",    "b",      "w-1", "wabc", "Wx", "i",
                           "i-", "Rabc", "z1", "z1,", "zfoo,1", "t1,2,3", "T1,2,3", "q1",  "",     "I42"})
    EXPECT_EQ("fail", Parsed(text)) << text;
  EXPECT_FALSE(IniParseValue(nullptr, nullptr));
  EXPECT_TRUE(IniParseValue("i1", nullptr)) << "without an output it only checks the text";
}

TEST(IniValue, WritingEveryType) {
  DoubleByteCodePage codePage;
  const struct {
    CQVVariant value;
    std::string expected;
  } rows[] = {
      {CQVVariant(), "name=e"},
      {CQVVariant(1, QVT_BOOL), "name=f1"},
      {CQVVariant(static_cast<unsigned char>(10)), "name=b0A"},
      {CQVVariant(static_cast<unsigned short>(60000)), "name=w60000"},
      {CQVVariant(4000000000ul), "name=W4000000000"},
      {CQVVariant(-5), "name=i-5"},
      {CQVVariant(7u), "name=u7"},
      {CQVVariant(-100000l), "name=l-100000"},
      {CQVVariant(-0.001), "name=R-0.001"},
      {CQVVariant(1.0 / 3), "name=R0.33333333333333"},
      {CQVVariant(0.5f), "name=r0.5"},
      {CQVVariant("hello world"), "name=shello world"},
      {CQVVariant(static_cast<const char*>(nullptr)), "name=s"},
      {CQVVariant("first\r\nsecond"), "name=sfirst"},
      // 1022 single bytes and a double-byte character would need 1024 bytes: cut at 1023 whole.
      {CQVVariant((std::string(1022, 'x') + "\x95\x5C" + "tail").c_str()), "name=s" + std::string(1022, 'x')},
      {CQVVariant(tagSIZE{3, -4}), "name=z3,-4"},
      {CQVVariant(tagPOINT{-7, 8}), "name=p-7,8"},
      {CQVVariant(tagRECT{1, 2, 3, 4}), "name=t1,2,3,4"},
      {CQVVariant(tagRSIZE{1.5, -0.25}), "name=Z1.5,-0.25"},
      {CQVVariant(tagRPOINT{0.1, 100}), "name=P0.1,100"},
      {CQVVariant(tagRRECT{1, 2.5, -3, 1e20}), "name=T1,2.5,-3,1e+020"},
      {CQVVariant(tagQVBLOB{0, nullptr}), "none"},  // and every later type
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].expected, Formatted(rows[row].value)) << "row " << row;
}

TEST(IniValue, RealsIgnoreTheLocaleAndRestoreIt) {
  if (!setlocale(LC_NUMERIC, "German_Germany.1252")) GTEST_SKIP() << "no German locale in this C runtime";
  const std::string before = setlocale(LC_NUMERIC, nullptr);
  const std::string written = Formatted(CQVVariant(1.5));
  const std::string real = Parsed("R2.75"), pair = Parsed("Z0.5,1.5");
  const std::string after = setlocale(LC_NUMERIC, nullptr);
  setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(before, after);
  EXPECT_EQ("name=R1.5", written);
  EXPECT_EQ("R2.75", real);
  EXPECT_EQ("Z0.5,1.5", pair);
}

}  // namespace

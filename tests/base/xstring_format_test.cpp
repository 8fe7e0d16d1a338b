// CXString::Format (including arguments that defeat the length estimate) and Load.
#include <gtest/gtest.h>

#include <string>

#include "tests/base/test_resources.h"
#include "tests/base/xstring_test_util.h"

namespace {

TEST(XStringFormat, CommonConversions) {
  CXString s;
  EXPECT_EQ(10, s.Format("%d-%s-%c-%x", 42, "ab", 'z', 255));
  EXPECT_EQ("42-ab-z-ff", Str(s));
  EXPECT_EQ(10, s.GetLength());
}

TEST(XStringFormat, ResultsLongerThanTheEstimate) {
  const std::string longText(3000, 'L');
  struct Row {
    std::string expected;
    std::string actual;
  };
  auto format = [](const char* f, auto... args) {
    CXString s;
    const int bytes = s.Format(f, args...);
    EXPECT_EQ(s.GetSize(), bytes) << f;
    return Str(s);
  };
  const Row rows[] = {
      // %f counts the larger of 128 and width + precision.
      {"1." + std::string(200, '0'), format("%.200f", 1.0)},
      {"1." + std::string(200, '0') + "|" + std::string(130, 'x'),
       format("%.200f|%s", 1.0, std::string(130, 'x').c_str())},
      // %s is cut to the precision (3), the width (10) pads it.
      {"       abc", format("%10.3s", "abcdef")},
      // %c counts 2.
      {"    z", format("%5c", 'z')},
      // %E and %a count nothing.
      {"1.500000E+000|", format("%E|", 1.5)},
      // A 64-bit prefix is not counted as such; the arguments after it stay aligned.
      {"4611686018427387904 tail", format("%I64d %s", 1LL << 62, "tail")},
      {"-9223372036854775807|x", format("%lld|%s", -9223372036854775807LL, "x")},
      {"%" + longText + "%", format("%%%s%%", longText.c_str())},
      {std::string(200, ' ') + "7", format("%*d", 201, 7)},
      {"(null)", format("%s", static_cast<const char*>(nullptr))},
      {"wide", format("%ls", L"wide")},
      {"0x1f", format("%#x", 31)},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].expected, rows[row].actual) << "row " << row;

  // 301 digits before the point against an estimate of 128.
  const std::string huge = format("%f", 1e300);
  EXPECT_EQ(308u, huge.size());
  EXPECT_EQ("10000000000000000", huge.substr(0, 17));
  EXPECT_EQ(".000000", huge.substr(301));
}

TEST(XStringFormat, EmptyFormatsAndOwnArguments) {
  CXString s("keep");
  EXPECT_EQ(0, s.Format(""));
  EXPECT_TRUE(s.IsEmpty());
  s = "x";
  EXPECT_EQ(0, s.Format(nullptr));
  EXPECT_TRUE(s.IsEmpty());

  s = "abc";
  s.Format("%s+%s", static_cast<const char*>(s), static_cast<const char*>(s));
  EXPECT_EQ("abc+abc", Str(s));
  CXString shared(s);
  shared.Format("%s!", static_cast<const char*>(shared));
  EXPECT_EQ("abc+abc!", Str(shared));
  EXPECT_EQ("abc+abc", Str(s));
}

TEST(XStringLoad, StringResourcesOfEveryLength) {
  const HINSTANCE module = GetModuleHandleA(nullptr);
  struct Row {
    UINT id;
    int result;
    size_t length;
    char first;
  };
  const Row rows[] = {
      {IDS_TEST_SHORT, 1, 10, 'S'}, {IDS_TEST_LONG, 1, 310, '0'}, {IDS_TEST_255, 1, 255, 'a'},
      {IDS_TEST_511, 1, 511, 'A'},  {IDS_TEST_EMPTY, 0, 0, 0},    {IDS_TEST_MISSING, 0, 0, 0},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    CXString s("previous");
    EXPECT_EQ(rows[row].result, s.Load(module, rows[row].id)) << "row " << row;
    EXPECT_EQ(rows[row].length, Str(s).size()) << "row " << row;
    EXPECT_EQ(rows[row].first, Str(s).c_str()[0]) << "row " << row;
  }
  CXString s;
  s.Load(module, IDS_TEST_LONG);
  EXPECT_EQ('9', Str(s)[309]);
  EXPECT_EQ(1, HeaderOf(s).refs) << "unlocked after loading";
  s.Load(module, IDS_TEST_255);
  EXPECT_EQ(std::string("abcdefghijklmnopqrstuvwxyzabc"), Str(s).substr(0, 29));
}

}  // namespace

// CXString::Format with arguments that defeat the length estimate.
#include <gtest/gtest.h>

#include <string>

#include "tests/base/xstring_test_util.h"

namespace {

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

}  // namespace

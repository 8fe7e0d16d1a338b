// CXString: copying out within a size, with sentinels.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/base/xstring_test_util.h"

namespace {

TEST(XStringRead, CopyOutWithSentinels) {
  const CXString s("abcdef");
  char out[16];
  memset(out, '#', sizeof out);
  EXPECT_EQ(6, s.Copy(out));
  EXPECT_EQ(0, memcmp(out, "abcdef\0#", 8));

  memset(out, '#', sizeof out);
  EXPECT_EQ(3, s.Copy(out, 3));
  EXPECT_EQ(0, memcmp(out, "abc\0#", 5));
  EXPECT_EQ(6, s.Copy(out, 40));
  EXPECT_EQ(0, s.Copy(nullptr));

  struct Row {
    int size;
    const char* expected;
    int copied;
  };
  const Row rows[] = {{1, "", 0}, {2, "a", 1}, {6, "abcde", 5}, {7, "abcdef", 6}, {12, "abcdef", 6}};
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    memset(out, '#', sizeof out);
    EXPECT_EQ(rows[row].copied, s.CopyFit(out, rows[row].size)) << "row " << row;
    EXPECT_STREQ(rows[row].expected, out) << "row " << row;
    EXPECT_EQ('#', out[rows[row].size]) << "row " << row << ": wrote past size";
  }
  memset(out, '#', sizeof out);
  EXPECT_EQ(0, s.CopyFit(out, 0));
  EXPECT_EQ('#', out[0]);
  EXPECT_EQ(0, s.CopyFit(nullptr, 5));
}

}  // namespace

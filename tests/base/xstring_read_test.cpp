// CXString: measuring, reading, copying out, comparing and searching.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/base/xstring_test_util.h"

namespace {

TEST(XStringRead, SizesDataAndCharacters) {
  const CXString s("hello");
  EXPECT_EQ(5, s.GetLength());
  EXPECT_EQ(5, s.GetSize());
  EXPECT_EQ(3, s.GetSize(3));
  EXPECT_EQ(5, s.GetSize(50)) << "stops at the end";
  EXPECT_EQ(2, s.GetSize(1, 2));
  EXPECT_EQ(1, s.GetSize(4, 9));
  EXPECT_EQ(0, s.GetSize(9, 2));
  EXPECT_STREQ("llo", s.GetData(2));
  EXPECT_STREQ("", s.GetData(5));
  EXPECT_STREQ("", s.GetData(99));
  EXPECT_EQ('h', s.GetAt(0));
  EXPECT_EQ('o', s.GetAt(4));
  EXPECT_EQ(0, s.GetAt(5));
  EXPECT_EQ(0, s.GetAt(-1));
}

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

int Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

TEST(XStringCompare, ExactCaseInsensitiveAndCounted) {
  struct Row {
    const char* a;
    const char* b;
    int n;
    int exact, nocase, exactN, nocaseN;
  };
  const Row rows[] = {
      {"abc", "abc", 3, 0, 0, 0, 0},   {"abc", "ABC", 3, 1, 0, 1, 0},    {"abc", "abd", 2, -1, -1, 0, 0},
      {"ab", "abc", 2, -1, -1, 0, 0},  {"abc", "ab", 3, 1, 1, 1, 1},     {"", "", 1, 0, 0, 0, 0},
      {"a", nullptr, 1, 1, 1, 1, 1},   {"ABx", "aby", 2, -1, -1, -1, 0}, {"\xE9", "a", 1, 1, 1, 1, 1},
      {"abc", "xyz", 0, -1, -1, 0, 0},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    const CXString s(rows[row].a);
    EXPECT_EQ(rows[row].exact, Sign(s.Compare(rows[row].b))) << "row " << row;
    EXPECT_EQ(rows[row].nocase, Sign(s.CompareI(rows[row].b))) << "row " << row;
    EXPECT_EQ(rows[row].exactN, Sign(s.CompareN(rows[row].b, rows[row].n))) << "row " << row;
    EXPECT_EQ(rows[row].nocaseN, Sign(s.CompareIN(rows[row].b, rows[row].n))) << "row " << row;
  }
}

TEST(XStringFind, StringsCharactersAndSets) {
  const CXString s("abcabc/x\\y");
  struct Row {
    int found, expected;
  };
  const Row rows[] = {
      {s.Find("bc"), 1},
      {s.Find("bc", 2), 4},
      {s.Find("bc", 5), -1},
      {s.Find("bc", -3), 1},
      {s.Find("zz"), -1},
      {s.Find(""), -1},
      {s.Find(static_cast<const char*>(nullptr)), -1},
      {s.Find('c'), 2},
      {s.Find('c', 3), 5},
      {s.Find('c', 99), -1},
      {s.Find(static_cast<unsigned short>(0)), -1},
      {s.FindOnOf("/\\"), 6},
      {s.FindOnOf("/\\", 7), 8},
      {s.FindOnOf("xyz", 0), 7},
      {s.FindOnOf(""), -1},
      {s.FindOnOf(nullptr), -1},
      {s.FindRev('a'), 3},
      {s.FindRev('q'), -1},
      {s.FindRevOnOf("/\\"), 8},
      {s.FindRevOnOf("ab"), 4},
      {s.FindRevOnOf("q"), -1},
      {s.Find("abcabc/x\\y"), 0},
      {s.Find("abcabc/x\\yz"), -1},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].expected, rows[row].found) << "row " << row;
}

}  // namespace

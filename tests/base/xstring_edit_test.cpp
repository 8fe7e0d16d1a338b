// CXString editing: the range rule, replacement and FindReplace.
#include <gtest/gtest.h>

#include "tests/base/xstring_test_util.h"

namespace {

TEST(XStringRange, DeleteReplaceAndExtractFollowTheRangeRule) {
  struct Row {
    int pos, count;
    const char* deleted;    // "abcdefg" after Delete
    const char* extracted;  // Extract from "abcdefg"
    const char* replaced;   // Replace with "XY"
  };
  const Row rows[] = {
      {5, -2, "abcfg", "de", "abcXYfg"},  {2, 3, "abfg", "cde", "abXYfg"},
      {0, 0, "abcdefg", "", "abcdefg"},   {3, 0, "abcdefg", "", "abcdefg"},
      {-1, 2, "abcdefg", "", "abcdefg"},  {-1, -2, "abcde", "fg", "abcdeXY"},
      {7, -1, "abcdef", "g", "abcdefXY"}, {50, -3, "abcd", "efg", "abcdXY"},
      {4, 10, "abcd", "efg", "abcdXY"},   {2, -10, "cdefg", "ab", "XYcdefg"},
      {0, 7, "", "abcdefg", "XY"},        {6, 1, "abcdef", "g", "abcdefXY"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    CXString d("abcdefg");
    d.Delete(rows[row].pos, rows[row].count);
    EXPECT_EQ(rows[row].deleted, Str(d)) << "row " << row;

    const CXString source("abcdefg");
    CXString out("previous");
    const int bytes = source.Extract(rows[row].pos, rows[row].count, out);
    EXPECT_EQ(rows[row].extracted, Str(out)) << "row " << row;
    EXPECT_EQ(static_cast<int>(strlen(rows[row].extracted)), bytes) << "row " << row;

    CXString self("abcdefg");
    EXPECT_EQ(bytes, self.Extract(rows[row].pos, rows[row].count)) << "row " << row;
    EXPECT_EQ(rows[row].extracted, Str(self)) << "row " << row;

    CXString r("abcdefg");
    r.Replace(rows[row].pos, rows[row].count, "XY");
    EXPECT_EQ(rows[row].replaced, Str(r)) << "row " << row;
  }
}

TEST(XStringReplace, NeverOnlyInsertsOrOnlyDeletes) {
  CXString s("abc");
  s.Replace(1, 0, "XYZ");
  EXPECT_EQ("abc", Str(s));
  s.Replace(1, 1, "");
  EXPECT_EQ("abc", Str(s));
  s.Replace(1, 1, nullptr);
  EXPECT_EQ("abc", Str(s));
  s.Replace(1, 1, "XYZ");
  EXPECT_EQ("aXYZc", Str(s));
  s.Replace(0, 5, static_cast<const char*>(s) + 1);  // text from the string itself
  EXPECT_EQ("XYZc", Str(s));
}

TEST(XStringFindReplace, FirstOccurrenceOfStringsOrCharacters) {
  CXString s("aXa");
  EXPECT_EQ(1, s.FindReplace('a', "bb"));
  EXPECT_EQ("bbXa", Str(s));
  EXPECT_EQ(1, s.FindReplace('a', "bb"));
  EXPECT_EQ("bbXbb", Str(s));
  EXPECT_EQ(0, s.FindReplace('a', "bb"));
  EXPECT_EQ("bbXbb", Str(s));

  struct Row {
    int result;
    const char* text;
  };
  CXString a("one two one"), b("one two one"), c("one two one"), d("one two one"), e("one two one");
  const Row rows[] = {
      {a.FindReplace("one", "1"), "1 two one"},     {b.FindReplace("two", 'Z'), "one Z one"},
      {c.FindReplace('o', 'O'), "One two one"},     {d.FindReplace(" two", ""), "one one"},
      {e.FindReplace("three", "3"), "one two one"},
  };
  const CXString results[] = {a, b, c, d, e};
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].text, Str(results[row])) << "row " << row;
  EXPECT_EQ(1, rows[0].result);
  EXPECT_EQ(1, rows[1].result);
  EXPECT_EQ(1, rows[2].result);
  EXPECT_EQ(1, rows[3].result);
  EXPECT_EQ(0, rows[4].result);

  CXString f("abc");
  EXPECT_EQ(0, f.FindReplace("", "x"));
  EXPECT_EQ(0, f.FindReplace(static_cast<const char*>(nullptr), "x"));
  EXPECT_EQ(1, f.FindReplace("b", static_cast<const char*>(nullptr)));
  EXPECT_EQ("ac", Str(f));
}

}  // namespace

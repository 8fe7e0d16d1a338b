// CXString under the double-byte code page 932: a double-byte character is one character
// with its lead byte in the high half, and a trail byte is never taken for a character.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/base/xstring_test_util.h"

namespace {

// Shift-JIS: NI = 0x93FA, HON = 0x967B (trail byte '{'), HYO = 0x955C (trail byte '\'),
// fullwidth a = 0x8281, fullwidth A = 0x8260.
#define NI "\x93\xFA"
#define HON "\x96\x7B"
#define HYO "\x95\x5C"

class XStringDoubleByte : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(codePage.ok()) << "code page 932 unavailable"; }
  DoubleByteCodePage codePage;
};

TEST_F(XStringDoubleByte, SearchesMatchWholeCharactersOnly) {
  const CXString s("a" HON "{" HYO "\\");
  EXPECT_EQ(1, s.Find(static_cast<unsigned short>(0x967B)));
  EXPECT_EQ(2, s.Find('{')) << "the trail byte of HON is not a '{'";
  EXPECT_EQ(2, s.Find("{"));
  EXPECT_EQ(4, s.Find('\\'));
  EXPECT_EQ(4, s.FindRev('\\'));
  EXPECT_EQ(2, s.FindOnOf("{\\"));
  EXPECT_EQ(4, s.FindRevOnOf("\\"));
  EXPECT_EQ(3, s.FindOnOf(HYO));
  EXPECT_EQ(-1, CXString(HYO).Find('\\'));
  EXPECT_EQ(-1, CXString(HYO).FindRevOnOf("\\/"));
}

TEST_F(XStringDoubleByte, EditingAndCopyingKeepCharactersWhole) {
  CXString s(NI HON NI);
  CXString part;
  EXPECT_EQ(2, s.Extract(1, 1, part));
  EXPECT_EQ(HON, Str(part));
  char out[8];
  memset(out, '#', sizeof out);
  EXPECT_EQ(2, s.CopyFit(out, 4)) << "half of HON does not fit";
  EXPECT_STREQ(NI, out);
  EXPECT_EQ(4, s.Copy(out, 2));
  EXPECT_STREQ(NI HON, out);
  EXPECT_EQ(1, s.FindReplace(static_cast<unsigned short>(0x967B), 'x'));
  EXPECT_EQ(NI "x" NI, Str(s));
  s.Replace(0, 1, HYO);
  EXPECT_EQ(HYO "x" NI, Str(s));
}

TEST_F(XStringDoubleByte, PathDelimitersInsideCharactersAreIgnored) {
  const CXString path("C:\\" HYO "\\" HYO ".txt");
  EXPECT_STREQ(HYO ".txt", path.GetFileName());
  char out[32];
  EXPECT_EQ(5, path.GetFilePath(out));
  EXPECT_STREQ("C:\\" HYO, out);
  CXString dir("dir" HYO);
  EXPECT_EQ("dir" HYO "\\", Str(dir.AddDirDelim())) << "the last character is HYO, not a backslash";
  CXString reduce("C:\\" HYO "1\\" HYO "2\\" HYO "3\\f.txt");
  EXPECT_EQ(1, reduce.ReducePathString(12));
  EXPECT_EQ("C:\\" HYO "1\\...\\f.txt", Str(reduce));
}

TEST_F(XStringDoubleByte, LoneLeadByteAtTheEndIsReadSafely) {
  CXString s("ab\x93");
  EXPECT_EQ(3, s.GetLength());
  EXPECT_EQ(0x93, s.GetAt(2));
  EXPECT_EQ(0, s.GetAt(3));
  EXPECT_EQ(-1, s.Find('x'));
  s.Insert(99, 'c');
  EXPECT_EQ(
      "ab\x93"
      "c",
      Str(s));
  EXPECT_EQ(3, s.GetLength()) << "now a complete double-byte character";
  CXString t("\x93");
  t.TrimRight().Upper();
  EXPECT_EQ("\x93", Str(t));
}

}  // namespace

// CXString storage: the shared empty string, copy on write and locked buffers.
#include <gtest/gtest.h>

#include <functional>

#include "base/heap.h"
#include "tests/base/xstring_test_util.h"

namespace {

TEST(XStringEmpty, OperationsOnTheEmptyStringNeverTouchTheSharedRepresentation) {
  CXString s;
  const char* empty = s;
  EXPECT_EQ(-1, s.Find("a"));
  EXPECT_EQ(-1, s.Find('a'));
  EXPECT_EQ(-1, s.FindOnOf("abc"));
  EXPECT_EQ(-1, s.FindRev('a'));
  EXPECT_EQ(-1, s.FindRevOnOf("abc"));
  EXPECT_EQ(0, s.FindReplace("a", "b"));
  s.Upper().Lower().TrimLeft().TrimRight().Delete(0, 5).Replace(0, 1, "x").Insert(
      0, static_cast<unsigned short>(0));
  EXPECT_EQ(0, s.Extract(0, 3));
  s.ReleaseBuffer();
  EXPECT_EQ(empty, static_cast<const char*>(s)) << "nothing was allocated";
  CXString copy(s), assigned;
  assigned = s;
  EXPECT_EQ(empty, static_cast<const char*>(copy));
  EXPECT_EQ(empty, static_cast<const char*>(assigned));
  EXPECT_EQ(-1, HeaderOf(s).refs);
  char* buffer = s.GetBuffer(0);
  EXPECT_NE(empty, buffer) << "a buffer is never the shared empty string";
  s.ReleaseBuffer();
  EXPECT_EQ(-1, HeaderOf(CXString()).refs);
}

TEST(XStringSharing, EveryEditOfACopyLeavesTheOriginalAlone) {
  const std::vector<std::function<void(CXString&)>> edits = {
      [](CXString& s) { s.Insert(0, 'x'); },
      [](CXString& s) { s.Insert(2, "yy"); },
      [](CXString& s) { s.Delete(1, 2); },
      [](CXString& s) { s.Replace(0, 1, "Q"); },
      [](CXString& s) { s.Upper(); },
      [](CXString& s) { s.Lower(); },
      [](CXString& s) { s.TrimLeft(); },
      [](CXString& s) { s.TrimRight(); },
      [](CXString& s) { s.ChangeFileExt("txt"); },
      [](CXString& s) { s.AddDirDelim(); },
      [](CXString& s) { s.AddFileExtDelim(); },
      [](CXString& s) { s.Extract(1, 2); },
      [](CXString& s) { s.FindReplace('a', 'b'); },
      [](CXString& s) { s.FindReplace("Ab", "zz"); },
      [](CXString& s) { s += "tail"; },
      [](CXString& s) { s += 'c'; },
      [](CXString& s) { s.GetBuffer(3)[0] = '#'; },
      [](CXString& s) { s.Format("%d", 5); },
      [](CXString& s) { s = "C:\\a\\b\\c\\d.txt"; },
  };
  for (size_t row = 0; row < edits.size(); ++row) {
    CXString original(" Abc.d a ");
    CXString copy(original);
    edits[row](copy);
    copy.ReleaseBuffer();
    EXPECT_EQ(" Abc.d a ", Str(original)) << "row " << row;
    if (Str(copy) != Str(original)) {
      EXPECT_EQ(1, HeaderOf(original).refs) << "row " << row;
    }
  }
}

TEST(XStringLocking, GetBufferUnsharesAndKeepsContents) {
  CXString a("shared text");
  CXString b(a);
  char* buffer = b.GetBuffer(4);
  EXPECT_NE(static_cast<const char*>(a), buffer);
  EXPECT_STREQ("shared text", buffer);
  buffer[3] = 0;
  b.ReleaseBuffer(99);
  EXPECT_EQ("sha", Str(b));
  EXPECT_EQ("shared text", Str(a));
  EXPECT_GE(HeaderOf(b).capacity, 5);

  CXString big;
  char* room = big.GetBuffer(5000);
  EXPECT_GE(HeaderOf(big).capacity, 5001);
  memset(room, 'q', 5000);
  room[5000] = 0;
  big.ReleaseBuffer();
  EXPECT_EQ(5000, big.GetLength());

  CXString dropped("x");
  dropped.GetBuffer(10);
  dropped = "y";  // releasing a locked block unlocks it first
  EXPECT_EQ("y", Str(dropped));
}

}  // namespace

// CXString storage: the shared empty string, block sizes, sharing, copy on write, locked
// buffers, assignment and concatenation.
#include <gtest/gtest.h>

#include <functional>

#include "base/heap.h"
#include "tests/base/xstring_test_util.h"

namespace {

TEST(XStringEmpty, DefaultStringIsTheSharedEmptyRepresentation) {
  CXString a, b, c(nullptr), d("");
  const char* empty = a;
  EXPECT_EQ(empty, static_cast<const char*>(b));
  EXPECT_EQ(empty, static_cast<const char*>(c));
  EXPECT_EQ(empty, static_cast<const char*>(d));
  EXPECT_EQ(0, empty[0]);
  EXPECT_EQ(-1, HeaderOf(a).refs);
  EXPECT_EQ(0, HeaderOf(a).capacity);
  EXPECT_EQ(nullptr, HeaderOf(a).heap);
  EXPECT_EQ(0, a.GetLength());
  EXPECT_EQ(0, a.GetSize());
  EXPECT_EQ(0, a.GetAt(0));
  EXPECT_TRUE(a.IsEmpty());
}

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

TEST(XStringBlocks, BlockSizeFollowsTheAllocationFormula) {
  struct Row {
    int length;
    long capacity;  // ((length + 1 + 140) div 128) * 128 - 12
  };
  const Row rows[] = {{1, 116}, {114, 116}, {115, 244}, {242, 244}, {243, 372}, {244, 372}, {1000, 1012}};
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    const std::string text(rows[row].length, 'x');
    CXString s(text.c_str());
    const BlockHeader& header = HeaderOf(s);
    EXPECT_EQ(rows[row].capacity, header.capacity) << "row " << row;
    EXPECT_EQ(1, header.refs) << "row " << row;
    EXPECT_EQ(rows[row].length, header.size) << "row " << row;
    const int blockSize = static_cast<int>(header.capacity) + 16;
    if (blockSize < 192) {
      EXPECT_EQ(Mem_DefaultHeap(blockSize), header.heap) << "row " << row << ": the size class's pool";
    }
    // The capacity past the text is zero-filled.
    const char* data = s;
    for (long i = rows[row].length; i < header.capacity; ++i)
      ASSERT_EQ(0, data[i]) << "row " << row << " byte " << i;
  }
}

TEST(XStringSharing, CopiesShareUntilOneIsChanged) {
  CXString original("abc");
  CXString copy(original);
  EXPECT_EQ(static_cast<const char*>(original), static_cast<const char*>(copy));
  EXPECT_EQ(2, HeaderOf(original).refs);
  CXString third;
  third = copy;
  EXPECT_EQ(3, HeaderOf(original).refs);
  third = third;
  EXPECT_EQ(3, HeaderOf(original).refs) << "self-assignment";
  third = "other";
  EXPECT_EQ(2, HeaderOf(original).refs);
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

TEST(XStringLocking, CopiesOfALockedStringAreIndependent) {
  CXString s("locked");
  char* buffer = s.GetBuffer(20);
  EXPECT_EQ(-1, HeaderOf(s).refs);
  EXPECT_STREQ("locked", buffer);
  CXString copy(s);
  CXString assigned;
  assigned = s;
  EXPECT_NE(static_cast<const char*>(s), static_cast<const char*>(copy));
  EXPECT_NE(static_cast<const char*>(s), static_cast<const char*>(assigned));
  EXPECT_EQ(1, HeaderOf(copy).refs);
  strcpy(buffer, "changed in place");
  s.ReleaseBuffer();
  EXPECT_EQ(1, HeaderOf(s).refs);
  EXPECT_EQ("changed in place", Str(s));
  EXPECT_EQ("locked", Str(copy));
  EXPECT_EQ("locked", Str(assigned));
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

TEST(XStringAssign, FromTextAndFromItsOwnCharacters) {
  CXString s("abcdef");
  s = static_cast<const char*>(s) + 2;  // points into the string being replaced
  EXPECT_EQ("cdef", Str(s));
  s = static_cast<const char*>(s);
  EXPECT_EQ("cdef", Str(s));
  s = nullptr;
  EXPECT_TRUE(s.IsEmpty());
  s = "again";
  s.Empty();
  EXPECT_EQ(-1, HeaderOf(s).refs);
}

TEST(XStringConcat, FiveOperatorsAndAppending) {
  const CXString ab("ab"), empty;
  EXPECT_EQ("abab", Str(ab + ab));
  EXPECT_EQ("abc", Str(ab + 'c'));
  EXPECT_EQ("abc", Str(ab + static_cast<unsigned short>('c')));
  EXPECT_EQ("cab", Str('c' + ab));
  EXPECT_EQ("ab--", Str(ab + "--"));
  EXPECT_EQ("--ab", Str("--" + ab));
  EXPECT_EQ("ab", Str(ab + static_cast<const char*>(nullptr)));
  EXPECT_EQ("ab", Str(static_cast<const char*>(nullptr) + ab));
  EXPECT_EQ("ab", Str(ab + static_cast<unsigned short>(0)));
  EXPECT_TRUE((empty + empty).IsEmpty());
  const CXString joined = ab + CXString(std::string(300, 'z').c_str());
  EXPECT_EQ(302, joined.GetLength());
  EXPECT_EQ(1, HeaderOf(joined).refs);

  CXString s("x");
  s += s;  // appends its own characters
  s += static_cast<const char*>(s);
  s += ab;
  s += 'q';
  s += static_cast<const char*>(nullptr);
  EXPECT_EQ("xxxxabq", Str(s));
  for (int i = 0; i < 200; ++i) s += "0123456789";
  EXPECT_EQ(2007, s.GetLength());
}

}  // namespace

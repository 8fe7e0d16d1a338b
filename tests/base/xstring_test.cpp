// CXString: storage (the shared empty string, copy on write, locked buffers), copying out,
// editing, formatting, path parts, and all of it under a double-byte code page, where a
// double-byte character is one character and a trail byte is never taken for a character.
#include "base/xstring.h"

#include <gtest/gtest.h>
#include <mbctype.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::string Str(const CXString& s) { return static_cast<const char*>(s); }

// The four header words in front of a string's characters.
struct BlockHeader {
  void* heap;
  long refs;
  long size;
  long capacity;
};
const BlockHeader& HeaderOf(const CXString& s) {
  return *(reinterpret_cast<const BlockHeader*>(static_cast<const char*>(s)) - 1);
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
  const CXString copy(s);
  EXPECT_EQ(empty, static_cast<const char*>(copy)) << "nothing was allocated";
  EXPECT_NE(empty, s.GetBuffer(0)) << "a buffer is never the shared empty string";
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
  CXString dropped("x");
  dropped.GetBuffer(10);
  dropped = "y";  // releasing a locked block unlocks it first
  EXPECT_EQ("y", Str(dropped));
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
  const struct {
    const char* text;
    std::function<int(CXString&)> edit;
    int result;
    const char* after;
  } rows[] = {
      {"aXa", [](CXString& s) { return s.FindReplace('a', "bb"); }, 1, "bbXa"},
      {"bbXa", [](CXString& s) { return s.FindReplace('a', "bb"); }, 1, "bbXbb"},
      {"bbXbb", [](CXString& s) { return s.FindReplace('a', "bb"); }, 0, "bbXbb"},
      {"one two one", [](CXString& s) { return s.FindReplace("one", "1"); }, 1, "1 two one"},
      {"one two one", [](CXString& s) { return s.FindReplace("two", 'Z'); }, 1, "one Z one"},
      {"one two one", [](CXString& s) { return s.FindReplace('o', 'O'); }, 1, "One two one"},
      {"one two one", [](CXString& s) { return s.FindReplace(" two", ""); }, 1, "one one"},
      {"one two one", [](CXString& s) { return s.FindReplace("three", "3"); }, 0, "one two one"},
      {"abc", [](CXString& s) { return s.FindReplace("", "x"); }, 0, "abc"},
      {"abc", [](CXString& s) { return s.FindReplace(static_cast<const char*>(nullptr), "x"); }, 0, "abc"},
      {"abc", [](CXString& s) { return s.FindReplace("b", static_cast<const char*>(nullptr)); }, 1, "ac"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    CXString s(rows[row].text);
    EXPECT_EQ(rows[row].result, rows[row].edit(s)) << "row " << row;
    EXPECT_EQ(rows[row].after, Str(s)) << "row " << row;
  }
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

const char* kUntouched = "<untouched>";

TEST(XStringPath, PartsOfPaths) {
  struct Row {
    const char* path;
    int pathBytes;
    const char* dir;  // what GetFilePath writes, kUntouched when nothing
    const char* name;
    const char* nameWithExt;
    const char* ext;  // null when there is no extension
  };
  const Row rows[] = {
      {"C:\\dir\\name.ext", 6, "C:\\dir", "name", "name.ext", "ext"},
      {"C:\\file.txt", 2, "C:", "file", "file.txt", "txt"},
      {"C:file.txt", 2, "C:", "file", "file.txt", "txt"},
      {"bare", 0, kUntouched, "bare", "bare", nullptr},
      {"bare.tar.gz", 0, kUntouched, "bare.tar", "bare.tar.gz", "gz"},
      {"a.b\\c", 3, "a.b", "c", "c", nullptr},
      {"dir/sub/f.x", 7, "dir/sub", "f", "f.x", "x"},
      {"dir\\", 3, "dir", "", "", nullptr},
      {"name.", 0, kUntouched, "name", "name.", ""},
      {"\\\\srv\\share\\f", 11, "\\\\srv\\share", "f", "f", nullptr},
      {"", 0, kUntouched, "", "", nullptr},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    const Row& r = rows[row];
    const CXString s(r.path);
    char out[64];
    strcpy(out, kUntouched);
    EXPECT_EQ(r.pathBytes, s.GetFilePath(out)) << "row " << row;
    EXPECT_STREQ(r.dir, out) << "row " << row;
    EXPECT_EQ(r.dir == kUntouched ? std::string() : std::string(r.dir), Str(s.FilePath())) << "row " << row;

    strcpy(out, kUntouched);
    EXPECT_EQ(static_cast<int>(strlen(r.name)), s.GetFileName(out)) << "row " << row;
    EXPECT_STREQ(r.name, out) << "row " << row;
    EXPECT_EQ(static_cast<int>(strlen(r.name)), s.GetFileName(nullptr)) << "row " << row;
    EXPECT_STREQ(r.nameWithExt, s.GetFileName()) << "row " << row;

    strcpy(out, kUntouched);
    EXPECT_EQ(r.ext ? static_cast<int>(strlen(r.ext)) : 0, s.GetFileExt(out)) << "row " << row;
    EXPECT_STREQ(r.ext ? r.ext : "", out) << "row " << row;
    EXPECT_STREQ(r.ext, s.GetFileExt()) << "row " << row;
  }
}

// Shift-JIS: NI = 0x93FA, HON = 0x967B (trail byte '{'), HYO = 0x955C (trail byte '\'),
// fullwidth a = 0x8281, fullwidth A = 0x8260.
#define NI "\x93\xFA"
#define HON "\x96\x7B"
#define HYO "\x95\x5C"

// Runs each test under the double-byte code page 932 and restores the previous one.
class XStringDoubleByte : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(0, _setmbcp(932)) << "code page 932 unavailable"; }
  void TearDown() override { _setmbcp(previous); }
  const int previous = _getmbcp();
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

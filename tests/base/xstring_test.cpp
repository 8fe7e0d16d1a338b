// CXString: storage (the shared empty string, copy on write), copying out, searching and
// editing, formatting, path parts and character-separated fields. Every test runs under the double-byte code
// page 932, where a double-byte character is one character and a trail byte is never taken for a character;
// plain ASCII behaves as under any code page.
#include "base/xstring.h"

#include <gtest/gtest.h>
#include <mbctype.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "base/string_enums.h"

namespace {

// Shift-JIS: NI = 0x93FA, HON = 0x967B (trail byte '{'), HYO = 0x955C (trail byte '\').
#define NI "\x93\xFA"
#define HON "\x96\x7B"
#define HYO "\x95\x5C"

class XString : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(0, _setmbcp(932)) << "code page 932 unavailable"; }
  void TearDown() override { _setmbcp(previous); }
  const int previous = _getmbcp();
};

std::string Str(const CXString& s) { return static_cast<const char*>(s); }

// The reference count in the header in front of a string's characters.
long RefsOf(const CXString& s) { return reinterpret_cast<const long*>(static_cast<const char*>(s))[-3]; }

TEST_F(XString, OperationsOnTheEmptyStringNeverTouchTheSharedRepresentation) {
  CXString s;
  const char* empty = s;
  s.Upper().Lower().TrimLeft().TrimRight().Delete(0, 5).Replace(0, 1, "x").Insert(
      0, static_cast<unsigned short>(0));
  EXPECT_EQ(0, s.Extract(0, 3));
  EXPECT_EQ(0, s.FindReplace("a", "b"));
  s.ReleaseBuffer();
  const CXString copy(s);
  EXPECT_EQ(empty, static_cast<const char*>(copy)) << "nothing was allocated";
  EXPECT_NE(empty, s.GetBuffer(0)) << "a buffer is never the shared empty string";
  s.ReleaseBuffer();
  EXPECT_EQ(-1, RefsOf(CXString()));
}

TEST_F(XString, EveryEditOfACopyLeavesTheOriginalAlone) {
  const std::vector<std::function<void(CXString&)>> edits = {
      [](CXString& s) { s.Insert(0, 'x'); },
      [](CXString& s) { s.Delete(1, 2); },
      [](CXString& s) { s.Replace(0, 1, "Q"); },
      [](CXString& s) { s.Upper(); },
      [](CXString& s) { s.TrimLeft(); },
      [](CXString& s) { s.ChangeFileExt("txt"); },
      [](CXString& s) { s.AddDirDelim(); },
      [](CXString& s) { s.Extract(1, 2); },
      [](CXString& s) { s.FindReplace("Ab", "zz"); },
      [](CXString& s) { s += "tail"; },
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
    EXPECT_TRUE(Str(copy) == Str(original) || RefsOf(original) == 1) << "row " << row << ": still shared";
  }
  CXString locked("x");
  locked.GetBuffer(10);
  locked = "y";  // releasing a locked block unlocks it first
  EXPECT_EQ("y", Str(locked));
}

TEST_F(XString, CopyOutWithSentinels) {
  char out[16];
  memset(out, '#', sizeof out);
  EXPECT_EQ(3, CXString("abcdef").Copy(out, 3));
  EXPECT_EQ(0, memcmp(out, "abc\0#", 5));
  EXPECT_EQ(4, CXString(NI HON NI).Copy(out, 2)) << "two characters, four bytes";
  EXPECT_EQ(6, CXString("abcdef").Copy(out));
  EXPECT_STREQ("abcdef", out);
  EXPECT_EQ(0, CXString("abcdef").Copy(nullptr));

  const struct {
    const char* text;
    int size;
    const char* expected;
    int copied;
  } rows[] = {{"abcdef", 0, "###############", 0},  // nothing written
              {"abcdef", 1, "", 0},
              {"abcdef", 6, "abcde", 5},
              {"abcdef", 7, "abcdef", 6},
              {"abcdef", 12, "abcdef", 6},
              {NI HON NI, 4, NI, 2},
              {NI HON NI, 5, NI HON, 4}};  // half of HON does not fit
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    memset(out, '#', sizeof out - 1);
    out[sizeof out - 1] = 0;
    EXPECT_EQ(rows[row].copied, CXString(rows[row].text).CopyFit(out, rows[row].size)) << "row " << row;
    EXPECT_STREQ(rows[row].expected, out) << "row " << row;
    EXPECT_EQ('#', out[rows[row].size]) << "row " << row << ": wrote past size";
  }
  EXPECT_EQ(0, CXString("abc").CopyFit(nullptr, 5));
}

TEST_F(XString, DeleteReplaceAndExtractFollowTheRangeRule) {
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

TEST_F(XString, SearchesAndEdits) {
  typedef CXString S;
  const struct {
    const char* text;
    std::function<int(CXString&)> operation;
    int result;
    const char* after;  // null: unchanged
  } rows[] = {
      // Searches match whole characters only: the trail byte of HON is not a '{'.
      {"a" HON "{" HYO "\\", [](S& s) { return s.Find(static_cast<unsigned short>(0x967B)); }, 1, nullptr},
      {"a" HON "{" HYO "\\", [](S& s) { return s.Find('{'); }, 2, nullptr},
      {"a" HON "{" HYO "\\", [](S& s) { return s.Find('\\'); }, 4, nullptr},
      {"a" HON "{" HYO "\\", [](S& s) { return s.FindRev('\\'); }, 4, nullptr},
      {"a" HON "{" HYO "\\", [](S& s) { return s.FindOnOf("{\\"); }, 2, nullptr},
      {"a" HON "{" HYO "\\", [](S& s) { return s.FindRevOnOf("\\"); }, 4, nullptr},
      {"a" HON "{" HYO "\\", [](S& s) { return s.FindOnOf(HYO); }, 3, nullptr},
      {HYO, [](S& s) { return s.Find('\\'); }, -1, nullptr},
      {HYO, [](S& s) { return s.FindRevOnOf("\\/"); }, -1, nullptr},
      {"",
       [](S& s) { return s.Find('a') + s.Find("a") + s.FindOnOf("a") + s.FindRev('a') + s.FindRevOnOf("a"); },
       -5, nullptr},
      // FindReplace replaces the first occurrence of a string or a character.
      {"aXa", [](S& s) { return s.FindReplace('a', "bb"); }, 1, "bbXa"},
      {"bbXbb", [](S& s) { return s.FindReplace('a', "bb"); }, 0, nullptr},
      {"one two one", [](S& s) { return s.FindReplace("one", "1"); }, 1, "1 two one"},
      {"one two one", [](S& s) { return s.FindReplace("two", 'Z'); }, 1, "one Z one"},
      {"one two one", [](S& s) { return s.FindReplace(" two", ""); }, 1, "one one"},
      {"one two one", [](S& s) { return s.FindReplace("three", "3"); }, 0, nullptr},
      {"abc", [](S& s) { return s.FindReplace(static_cast<const char*>(nullptr), "x"); }, 0, nullptr},
      {"abc", [](S& s) { return s.FindReplace("b", static_cast<const char*>(nullptr)); }, 1, "ac"},
      {NI HON NI, [](S& s) { return s.FindReplace(static_cast<unsigned short>(0x967B), 'x'); }, 1, NI "x" NI},
      // Replace never only inserts or only deletes.
      {"abc", [](S& s) { return s.Replace(1, 0, "XYZ").GetLength(); }, 3, nullptr},
      {"abc", [](S& s) { return s.Replace(1, 1, "").GetLength(); }, 3, nullptr},
      {"abc", [](S& s) { return s.Replace(1, 1, nullptr).GetLength(); }, 3, nullptr},
      {"aXYZc", [](S& s) { return s.Replace(0, 5, static_cast<const char*>(s) + 1).GetLength(); }, 4, "XYZc"},
      {NI "x" NI, [](S& s) { return s.Replace(0, 1, HYO).GetLength(); }, 3, HYO "x" NI},
      {NI HON NI, [](S& s) { return s.Extract(1, 1); }, 2, HON},
      // A lone lead byte at the end is read safely.
      {"ab\x93", [](S& s) { return s.GetLength(); }, 3, nullptr},
      {"ab\x93", [](S& s) { return s.GetAt(2); }, 0x93, nullptr},
      {"ab\x93", [](S& s) { return s.GetAt(3); }, 0, nullptr},
      {"ab\x93", [](S& s) { return s.Find('x'); }, -1, nullptr},
      {"ab\x93", [](S& s) { return s.Insert(99, 'c').GetLength(); }, 3,
       "ab\x93"
       "c"},
      {"\x93", [](S& s) { return s.TrimRight().Upper().GetLength(); }, 1, nullptr},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    CXString s(rows[row].text);
    EXPECT_EQ(rows[row].result, rows[row].operation(s)) << "row " << row;
    EXPECT_EQ(rows[row].after ? rows[row].after : rows[row].text, Str(s)) << "row " << row;
  }
}

TEST_F(XString, FormatResultsLongerThanTheEstimate) {
  const std::string longText(3000, 'L');
  auto format = [](const char* f, auto... args) {
    CXString s;
    const int bytes = s.Format(f, args...);
    EXPECT_EQ(s.GetSize(), bytes) << f;
    return Str(s);
  };
  const struct {
    std::string expected;
    std::string actual;
  } rows[] = {
      // %f counts the larger of 128 and width + precision.
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
      {"%" + longText + "%", format("%%%s%%", longText.c_str())},
      {std::string(200, ' ') + "7", format("%*d", 201, 7)},
      {"(null)", format("%s", static_cast<const char*>(nullptr))},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].expected, rows[row].actual) << "row " << row;
  // 301 digits before the point against an estimate of 128.
  const std::string huge = format("%f", 1e300);
  EXPECT_EQ(308u, huge.size());
  EXPECT_EQ("10000000000000000", huge.substr(0, 17));
  EXPECT_EQ(".000000", huge.substr(301));
}

// The parts of a path as "path-bytes dir|name|name.ext|ext|ext-pointer"; "-" where nothing
// was written, "(null)" for no extension at all.
std::string PartsOf(const char* path) {
  const CXString s(path);
  char dir[64] = "-", name[64] = "-", ext[64] = "-";
  const int dirBytes = s.GetFilePath(dir);
  const int nameBytes = s.GetFileName(name), extBytes = s.GetFileExt(ext);
  std::string text = std::to_string(dirBytes) + " " + dir + "|" + name + "|" + s.GetFileName() + "|" + ext +
                     "|" + (s.GetFileExt() ? s.GetFileExt() : "(null)");
  if (nameBytes != static_cast<int>(strlen(name)) || nameBytes != s.GetFileName(nullptr) ||
      extBytes != static_cast<int>(strlen(ext)) || Str(s.FilePath()) != (dirBytes ? dir : ""))
    text += " (counts or copies disagree)";
  return text;
}

TEST_F(XString, PartsOfPaths) {
  const struct {
    const char* path;
    const char* parts;
  } rows[] = {
      {"C:\\dir\\name.ext", "6 C:\\dir|name|name.ext|ext|ext"},
      {"C:\\file.txt", "2 C:|file|file.txt|txt|txt"},
      {"C:file.txt", "2 C:|file|file.txt|txt|txt"},
      {"bare", "0 -|bare|bare||(null)"},
      {"bare.tar.gz", "0 -|bare.tar|bare.tar.gz|gz|gz"},
      {"a.b\\c", "3 a.b|c|c||(null)"},
      {"dir/sub/f.x", "7 dir/sub|f|f.x|x|x"},
      {"dir\\", "3 dir||||(null)"},
      {"name.", "0 -|name|name.||"},
      {"\\\\srv\\share\\f", "11 \\\\srv\\share|f|f||(null)"},
      {"", "0 -||||(null)"},
      // Delimiters inside double-byte characters are ignored.
      {"C:\\" HYO "\\" HYO ".txt", "5 C:\\" HYO "|" HYO "|" HYO ".txt|txt|txt"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].parts, PartsOf(rows[row].path)) << "row " << row;
  CXString dir("dir" HYO);
  EXPECT_EQ("dir" HYO "\\", Str(dir.AddDirDelim())) << "the last character is HYO, not a backslash";
  CXString reduce("C:\\" HYO "1\\" HYO "2\\" HYO "3\\f.txt");
  EXPECT_EQ(1, reduce.ReducePathString(12));
  EXPECT_EQ("C:\\" HYO "1\\...\\f.txt", Str(reduce));
}

// Every field of a character-separated string, as strtok yields them; the enumerator is released.
std::vector<std::string> Fields(const char* text, const char* separators) {
  CTEnum<const char*>* e = new CCharSeparatedStringsEnum(text, separators);
  std::vector<std::string> items;
  const char* item;
  while (e->Next(1, &item, nullptr)) items.push_back(item);
  e->Release();
  return items;
}

TEST_F(XString, CharSeparatedFieldsAsStrtokYieldsThem) {
  const struct {
    const char* text;
    const char* separators;
    std::vector<std::string> fields;
  } rows[] = {
      {"1,,2", ",", {"1", "2"}},
      {",a,b,", ",", {"a", "b"}},
      {"a;b,c", ",;", {"a", "b", "c"}},
      {"", ",", {}},
      {"a b", "", {"a b"}},
      {nullptr, ",", {}},
      {"x,y", nullptr, {"x,y"}},
      {"a" HYO "b\\c", "\\", {"a" HYO "b", "c"}},  // the trail byte of HYO is no separator
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].fields, Fields(rows[row].text, rows[row].separators)) << "row " << row;
}

}  // namespace

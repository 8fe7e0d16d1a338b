// Reading INI text into a memory store: logical lines, sections, entries, type letters,
// includes and malformed input.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "base/exceptions.h"
#include "fio/xfile.h"
#include "param/ini.h"
#include "param/ini_lines.h"
#include "param/mem_param.h"
#include "param/param_ref.h"
#include "tests/param/param_test_util.h"

namespace {

// A memory store that counts the values set on it, so that a file read twice shows.
class CountingParam : public CMemParam {
 public:
  CountingParam() : CMemParam("") {}
  void SetValue(const char* path, const tagQVVARIANT* value) override {
    ++sets;
    CMemParam::SetValue(path, value);
  }
  int sets = 0;
};

TEST(IniReader, TextToTree) {
  DoubleByteCodePage codePage;
  const struct {
    std::string text;
    const char* tree;
  } rows[] = {
      {"[\\a\\b]\r\nk=i42", "[\\]\n[\\a]\n[\\a\\b] k=i42\n"},
      {"[\\]\r\nx= s  hello  \r\n", "[\\] x=s  hello\n"},
      {"[\\]\r\n  ; a comment line\r\n;only|a=i1|comment\r\nb=i1|;c=i1|d=i1\nz=i1", "[\\] b=i1 z=i1\n"},
      {"[\\]\r\n||a=i1||b=i2 ; comment||\n\r\n \t \n", "[\\] a=i1 b=i2\n"},
      // Shift-JIS 0x95 0x7C has "|" as its trail byte; a zero byte ends its physical line.
      {"[\\]\r\nk=s\x95\x7Cz|n=i1\r\n", "[\\] k=s\x95\x7Cz n=i1\n"},
      {std::string("[\\]\r\na=i1\0junk|b=i2\r\nc=i3", 25), "[\\] a=i1 c=i3\n"},
      {"[\\]\r\nflag\r\nq\r\n", "[\\] flag=i0\n"},
      {"[Section]\r\nv=i1", "[\\]\n[\\ection] v=i1\n"},
      {"v=i1\r\n[\\]\r\nw=i2", "[\\] w=i2\n"},
      {"[\\a]\r\nx=i1\r\n[\\]\r\ny=i2", "[\\] y=i2\n[\\a] x=i1\n"},
      {"[\\A]\r\nx=i1\r\n[\\a]\r\ny=i2", "[\\]\n[\\A] x=i1 y=i2\n"},
      {"[\\]\r\nname   =i5\r\n=i6\r\n", "[\\] name=i5 @=i6\n"},
      {"[\\]\r\na\\b=i1", "[\\]\n[\\a] b=i1\n"},
      {"[\\]\r\nk=i1\r\nK=i2", "[\\] k=i2\n"},
      {"[\\]|a=i1|[\\b]|c=i2", "[\\] a=i1\n[\\b] c=i2\n"},
      {"; comment\r\n[\\] ; trailing\r\nv=R2.5", "[\\] v=R2.5\n"},
      // Unterminated, empty and odd section headers.
      {"[\\abc\r\nv=i1", "[\\]\n[\\abc] v=i1\n"},
      {"[\r\nv=i1", "[\\]\n"},
      {"[]\r\nv=i1", "[\\] v=i1\n"},
      {"[\\a\\\\b\\]\r\nv=i1", "[\\]\n[\\a]\n[\\a\\b] v=i1\n"},
      {"[\\a]]\r\nv=i1", "[\\]\n[\\a]] v=i1\n"},
      // Bad letters and numbers.
      {"[\\]\r\nk=q5\r\nk2=\r\nk3=i\r\nk4=fmaybe\r\nk5=b1\r\nk6=w70000", "[\\]\n"},
      // Directives other than include, and an include without a name.
      {"[\\]\r\n#define x 1\r\n#include\r\n#include \"\"\r\nv=i1", "[\\] v=i1\n"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    QVRef<IParam> root(new_MemParam());
    EXPECT_EQ(1, Param_IniFile2Param(MemFileName(rows[row].text).c_str(), root.Get())) << "row " << row;
    EXPECT_EQ(rows[row].tree, TreeText(root.Get())) << "row " << row;
  }
}

TEST(IniReader, BinaryGarbageNeverBreaksTheReader) {
  std::string garbage = "[\\]\r\n";
  for (unsigned i = 0, state = 1; i < 300000; ++i) {
    state = state * 1103515245 + 12345;
    garbage += static_cast<char>(state >> 16);
  }
  garbage += "\r\n[\\]\r\nend=i99\r\n";
  QVRef<IParam> root(new_MemParam());
  EXPECT_EQ(1, Param_IniFile2Param(MemFileName(garbage).c_str(), root.Get()));
  EXPECT_EQ("i99", ValueAt(root.Get(), "end"));
}

// The line buffer: an overlong line is cut at its end and the next line stays whole.
TEST(IniLines, OverlongLineIsCutAndTheNextLineStaysWhole) {
  const std::string longLine = "a=s" + std::string(8997, 'x'), text = longLine + "\r\nb=i1\r\n";
  QVRef<IXFile> file(Fio_Open(MemFileName(text).c_str(), 0));
  CInputBuffer input(file.Get());
  EXPECT_EQ(longLine.substr(0, CInputBuffer::LINE_BUFFER_SIZE - 1), input.NextLine());
  EXPECT_STREQ("b=i1", input.NextLine());
  EXPECT_EQ(nullptr, input.NextLine());
}

TEST(IniInclude, FilesAreReadWhereTheyAreIncludedAndEachOnlyOnce) {
  typedef std::vector<std::pair<const char*, const char*>> Files;  // the first is read
  const struct {
    Files files;
    const char* tree;
  } rows[] = {
      {{{"top.ini", "[\\]\r\na=i1\r\n#include other.ini\r\nc=i3\r\n"}, {"other.ini", "b=i2\r\n"}},
       "[\\] a=i1 b=i2 c=i3\n"},
      // Quotes, blanks, letter case of the directive, a missing closing quote.
      {{{"top.ini", "[\\]\r\n#  INCLUDE   \"with blank.ini\"\r\n# include \"quoted.ini\r\nz=i0\r\n"},
        {"with blank.ini", "a=i1\r\n"},
        {"quoted.ini", "b=i2\r\n"}},
       "[\\] a=i1 b=i2 z=i0\n"},
      // ".\" names follow the including file, plain names the top file.
      {{{"top.ini", "[\\]\r\n#include sub\\middle.ini\r\n"},
        {"sub\\middle.ini", "m=i1\r\n#include .\\inner.ini\r\n#include plain.ini\r\n"},
        {"sub\\inner.ini", "fromSub=i2\r\n"},
        {"plain.ini", "fromTop=i3\r\n"}},
       "[\\] m=i1 fromSub=i2 fromTop=i3\n"},
      // Memory-file names are never included: this address would crash the reader.
      {{{"top.ini", "[\\]\r\na=i1\r\n#include fmem::16,4096\r\n#include \"FMEM::1,1\"\r\nb=i2\r\n"}},
       "[\\] a=i1 b=i2\n"},
      {{{"self.ini", "[\\]\r\nv=i1\r\n#include self.ini\r\n#include .\\SELF.INI\r\nw=i2\r\n"}},
       "[\\] v=i1 w=i2\n"},
      {{{"a.ini", "[\\]\r\na=i1\r\n#include b.ini\r\naEnd=i1\r\n"},
        {"b.ini", "b=i2\r\n#include c.ini\r\nbEnd=i2\r\n"},
        {"c.ini", "c=i3\r\n#include a.ini\r\n#include b.ini\r\ncEnd=i3\r\n"}},
       "[\\] a=i1 b=i2 c=i3 cEnd=i3 bEnd=i2 aEnd=i1\n"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    ScratchFolder folder;
    CreateDirectoryA((folder / "sub").c_str(), nullptr);
    for (const auto& file : rows[row].files) WriteWholeFile(folder / file.first, file.second);
    QVRef<CountingParam> root(new CountingParam);
    ASSERT_EQ(1, Param_IniFile2Param((folder / rows[row].files[0].first).c_str(), root.Get()))
        << "row " << row;
    const std::string tree = TreeText(root.Get());
    EXPECT_EQ(rows[row].tree, tree) << "row " << row;
    EXPECT_EQ(std::count(tree.begin(), tree.end(), '='), root->sets)
        << "row " << row << ": an entry read twice";
  }
}

TEST(IniReader, MissingFilesThrowAndKeepWhatWasRead) {
  ScratchFolder folder;
  const std::string top = folder.Write("top.ini", "[\\]\r\nbefore=i1\r\n#include absent.ini\r\nafter=i2\r\n");
  const struct {
    const char* name;
    int code;
  } rows[] = {{top.c_str(), FIOERR_FILE_NOT_FOUND},
              {"C:\\no\\such\\folder\\file.ini", FIOERR_BAD_PATH},
              {nullptr, FIOERR_BAD_PATH},
              {"", FIOERR_BAD_PATH}};
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    QVRef<IParam> root(new_MemParam());
    try {
      Param_IniFile2Param(rows[row].name, root.Get());
      ADD_FAILURE() << "row " << row << ": no exception";
    } catch (const CXFileException& e) {
      EXPECT_EQ(rows[row].code, e.GetCode()) << "row " << row;
    }
    EXPECT_EQ(row == 0 ? "[\\] before=i1\n" : "[\\]\n", TreeText(root.Get())) << "row " << row;
  }
  EXPECT_EQ(0, Param_IniFile2Param(MemFileName("[\\]").c_str(), nullptr));
}

}  // namespace

// Reading INI text into a memory store: sections, entries, type letters, includes and
// malformed input.
#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "param/ini.h"
#include "param/mem_param.h"
#include "param/param_ref.h"
#include "tests/param/file_test_util.h"
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

// The tree that the text reads into.
std::string TreeOf(const std::string& text) {
  QVRef<IParam> root(new_MemParam());
  EXPECT_EQ(1, Param_IniFile2Param(MemFileName(text).c_str(), root.Get()));
  return TreeText(root.Get());
}

TEST(IniReader, SectionsAndEntries) {
  const struct {
    const char* text;
    const char* tree;
  } rows[] = {
      {"[\\a\\b]\r\nk=i42", "[\\]\n[\\a]\n[\\a\\b] k=i:42\n"},
      {"[\\]\r\nx= s  hello  \r\n", "[\\] x=s:  hello\n"},
      {"[\\]\r\na=i1|b=i2 ; comment\r\n", "[\\] a=i:1 b=i:2\n"},
      {"[\\]\r\nflag\r\nq\r\n", "[\\] flag=i:0\n"},
      {"[\\]\r\nk=w70000\r\nj=i0x1F\r\nz=z10,0x5\r\n", "[\\] j=i:31 z=z:16,5\n"},
      {"[Section]\r\nv=i1", "[\\]\n[\\ection] v=i:1\n"},
      {"v=i1\r\n[\\]\r\nw=i2", "[\\] w=i:2\n"},
      {"[\\a]\r\nx=i1\r\n[\\]\r\ny=i2", "[\\] y=i:2\n[\\a] x=i:1\n"},
      {"[\\A]\r\nx=i1\r\n[\\a]\r\ny=i2", "[\\]\n[\\A] x=i:1 y=i:2\n"},
      {"[\\]\r\nname   =i5\r\n=i6\r\n", "[\\] name=i:5 @=i:6\n"},
      {"[\\]\r\nk=q5\r\nk2=\r\nk3=i\r\nk4=fmaybe\r\nk5=b1", "[\\]\n"},
      {"[\\]\r\na\\b=i1", "[\\]\n[\\a] b=i:1\n"},
      {"[\\]\r\nk=i1\r\nK=i2", "[\\] k=i:2\n"},
      {"  [\\x]  \r\n\tv=i1\t", "[\\]\n[\\x] v=i:1\n"},
      {"[\\]|a=i1|[\\b]|c=i2", "[\\] a=i:1\n[\\b] c=i:2\n"},
      {"; comment\r\n[\\] ; trailing\r\nv=R2.5", "[\\] v=R:2.5\n"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].tree, TreeOf(rows[row].text)) << "row " << row << ": " << rows[row].text;
}

TEST(IniReader, MalformedInputReadsWhatItCan) {
  const struct {
    const char* text;
    const char* tree;
  } rows[] = {
      // Unterminated, empty and odd section headers.
      {"[\\abc\r\nv=i1", "[\\]\n[\\abc] v=i:1\n"},
      {"[\r\nv=i1", "[\\]\n"},
      {"[]\r\nv=i1", "[\\] v=i:1\n"},
      {"[\\a\\\\b\\]\r\nv=i1", "[\\]\n[\\a]\n[\\a\\b] v=i:1\n"},
      {"[\\a]]\r\nv=i1", "[\\]\n[\\a]] v=i:1\n"},
      // Bad letters and numbers.
      {"[\\]\r\na=x1\r\nb=i\r\nc=ix\r\nd=z1\r\ne=t1,2,3\r\nf=R.\r\ng=b\r\nh=i7", "[\\] h=i:7\n"},
      // Directives other than include, and an include without a name.
      {"[\\]\r\n#define x 1\r\n#include\r\n#include \"\"\r\nv=i1", "[\\] v=i:1\n"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].tree, TreeOf(rows[row].text)) << "row " << row << ": " << rows[row].text;
}

TEST(IniReader, OverlongLineIsSurvivedAndTheRestRead) {
  const std::string text = "[\\]\r\nlong=s" + std::string(30000, 'z') + "\r\nafter=i1\r\n";
  QVRef<IParam> root(new_MemParam());
  ASSERT_EQ(1, Param_IniFile2Param(MemFileName(text).c_str(), root.Get()));
  EXPECT_EQ("i:1", ValueAt(root.Get(), "after"));
  const std::string first = ValueAt(root.Get(), "long");
  EXPECT_EQ(0u, first.find("s:zzz")) << first.substr(0, 20);
}

TEST(IniReader, BinaryGarbageNeverBreaksTheReader) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    std::string garbage = "[\\]\r\n";
    unsigned state = seed;
    for (int i = 0; i < 100000; ++i) {
      state = state * 1103515245 + 12345;
      garbage += static_cast<char>(state >> 16);
    }
    garbage += "\r\n[\\]\r\nend=i99\r\n";
    QVRef<IParam> root(new_MemParam());
    EXPECT_EQ(1, Param_IniFile2Param(MemFileName(garbage).c_str(), root.Get())) << "seed " << seed;
    EXPECT_EQ("i:99", ValueAt(root.Get(), "end")) << "seed " << seed;
  }
}

TEST(IniReader, NullRootAndMissingFiles) {
  EXPECT_EQ(0, Param_IniFile2Param(MemFileName("[\\]").c_str(), nullptr));
  QVRef<IParam> root(new_MemParam());
  try {
    Param_IniFile2Param("C:\\no\\such\\folder\\file.ini", root.Get());
    ADD_FAILURE() << "no exception";
  } catch (const CXFileException& e) {
    EXPECT_TRUE(e.GetCode() == 6 || e.GetCode() == 7) << e.GetCode();
  }
  EXPECT_THROW(Param_IniFile2Param(nullptr, root.Get()), CXFileException);
  EXPECT_THROW(Param_IniFile2Param("", root.Get()), CXFileException);
}

class IniInclude : public ::testing::Test {
 protected:
  std::string Read(const std::string& top) {
    QVRef<IParam> root(new_MemParam());
    EXPECT_EQ(1, Param_IniFile2Param((folder / top).c_str(), root.Get()));
    return TreeText(root.Get());
  }
  ScratchFolder folder;
};

TEST_F(IniInclude, PlainNameNextToTheTopFile) {
  WriteWholeFile(folder / "top.ini", "[\\]\r\na=i1\r\n#include other.ini\r\nc=i3\r\n");
  WriteWholeFile(folder / "other.ini", "b=i2\r\n");
  EXPECT_EQ("[\\] a=i:1 b=i:2 c=i:3\n", Read("top.ini"));
}

TEST_F(IniInclude, QuotedNamesAndSpacing) {
  WriteWholeFile(folder / "top.ini",
             "[\\]\r\n#  INCLUDE   \"with blank.ini\"\r\n# include \"quoted.ini\r\nz=i0\r\n");
  WriteWholeFile(folder / "with blank.ini", "a=i1\r\n");
  WriteWholeFile(folder / "quoted.ini", "b=i2\r\n");
  EXPECT_EQ("[\\] a=i:1 b=i:2 z=i:0\n", Read("top.ini"));
}

TEST_F(IniInclude, DotNamesFollowTheIncludingFile) {
  CreateDirectoryA((folder / "sub").c_str(), nullptr);
  WriteWholeFile(folder / "top.ini", "[\\]\r\n#include sub\\middle.ini\r\n");
  WriteWholeFile(folder / "sub\\middle.ini", "m=i1\r\n#include .\\inner.ini\r\n#include plain.ini\r\n");
  WriteWholeFile(folder / "sub\\inner.ini", "fromSub=i2\r\n");
  WriteWholeFile(folder / "plain.ini", "fromTop=i3\r\n");
  EXPECT_EQ("[\\] m=i:1 fromSub=i:2 fromTop=i:3\n", Read("top.ini"));
}

TEST_F(IniInclude, MemoryFileNamesAreNotIncluded) {
  // An address that would crash the reader if it were read.
  WriteWholeFile(folder / "top.ini", "[\\]\r\na=i1\r\n#include fmem::16,4096\r\n#include \"FMEM::1,1\"\r\nb=i2\r\n");
  EXPECT_EQ("[\\] a=i:1 b=i:2\n", Read("top.ini"));
}

TEST_F(IniInclude, MissingIncludeEndsReadingWithWhatWasRead) {
  WriteWholeFile(folder / "top.ini", "[\\]\r\nbefore=i1\r\n#include absent.ini\r\nafter=i2\r\n");
  QVRef<IParam> root(new_MemParam());
  try {
    Param_IniFile2Param((folder / "top.ini").c_str(), root.Get());
    ADD_FAILURE() << "no exception";
  } catch (const CXFileException& e) {
    EXPECT_EQ(6, e.GetCode());
  }
  EXPECT_EQ("[\\] before=i:1\n", TreeText(root.Get()));
}

TEST_F(IniInclude, AFileThatIncludesItselfIsReadOnce) {
  WriteWholeFile(folder / "self.ini", "[\\]\r\nv=i1\r\n#include self.ini\r\n#include .\\SELF.INI\r\nw=i2\r\n");
  QVRef<CountingParam> root(new CountingParam);
  ASSERT_EQ(1, Param_IniFile2Param((folder / "self.ini").c_str(), root.Get()));
  EXPECT_EQ("[\\] v=i:1 w=i:2\n", TreeText(root.Get()));
  EXPECT_EQ(2, root->sets) << "each entry read once";
}

TEST_F(IniInclude, IncludeLoopsThroughOtherFilesEnd) {
  WriteWholeFile(folder / "a.ini", "[\\]\r\na=i1\r\n#include b.ini\r\naEnd=i1\r\n");
  WriteWholeFile(folder / "b.ini", "b=i2\r\n#include c.ini\r\nbEnd=i2\r\n");
  WriteWholeFile(folder / "c.ini", "c=i3\r\n#include a.ini\r\n#include b.ini\r\ncEnd=i3\r\n");
  QVRef<CountingParam> root(new CountingParam);
  ASSERT_EQ(1, Param_IniFile2Param((folder / "a.ini").c_str(), root.Get()));
  EXPECT_EQ("[\\] a=i:1 b=i:2 c=i:3 cEnd=i:3 bEnd=i:2 aEnd=i:1\n", TreeText(root.Get()));
  EXPECT_EQ(6, root->sets) << "each file read once";
}

TEST_F(IniInclude, DepthIsCapped) {
  // f0 includes f1 ... f19; at most 16 inputs are open at once.
  for (int i = 0; i < 20; ++i) {
    const std::string n = std::to_string(i);
    WriteWholeFile(folder / ("f" + n + ".ini"), std::string(i == 0 ? "[\\]\r\n" : "") + "v" + n + "=i" + n +
                                                "\r\n#include f" + std::to_string(i + 1) + ".ini\r\nend" + n +
                                                "=i" + n + "\r\n");
  }
  QVRef<IParam> root(new_MemParam());
  ASSERT_EQ(1, Param_IniFile2Param((folder / "f0.ini").c_str(), root.Get()));
  for (int i = 0; i < 20; ++i) {
    const std::string n = std::to_string(i);
    const std::string expected = i < 16 ? "i:" + n : "missing";
    EXPECT_EQ(expected, ValueAt(root.Get(), ("v" + n).c_str())) << "file " << i;
    EXPECT_EQ(expected, ValueAt(root.Get(), ("end" + n).c_str())) << "file " << i;
  }
}

}  // namespace

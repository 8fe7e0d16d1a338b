// Logical lines of INI text: "|" separators, ";" comments, blanks, double-byte text and
// input that is not text at all.
#include "param/ini_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "param/param_ref.h"
#include "tests/param/file_test_util.h"
#include "tests/param/param_test_util.h"

namespace {

typedef std::vector<std::string> Lines;

Lines LogicalLines(const std::string& text) {
  QVRef<IXFile> file(Fio_Open(MemFileName(text).c_str(), 0));
  CInputBuffer input(file.Get());
  Lines lines;
  while (const char* line = input.NextLine()) lines.push_back(line);
  return lines;
}

TEST(IniLines, SeparatorsAndComments) {
  const struct {
    const char* text;
    Lines expected;
  } rows[] = {
      {"a=i1|b=i2 ; comment\r\n", {"a=i1", "b=i2"}},
      {"  ; a comment line\r\nx=i1", {"x=i1"}},
      {";only|a|comment\r\n", {}},
      {"||a||b||\n", {"a", "b"}},
      {"a|;b|c\nd", {"a", "d"}},
      {"\n\r\n \t \n", {}},
      {"  padded  \t\r\n", {"padded"}},
      {"one | two |three\r\nfour", {"one", "two", "three", "four"}},
      {"last line without an end", {"last line without an end"}},
      {"x=s  keep inner  blanks  |y", {"x=s  keep inner  blanks", "y"}},
      {"", {}},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].expected, LogicalLines(rows[row].text)) << "row " << row;
}

TEST(IniLines, TrailBytesEndNothing) {
  DoubleByteCodePage codePage;
  ASSERT_TRUE(codePage.ok());
  // Shift-JIS 0x95 0x7C has "|" as its trail byte.
  EXPECT_EQ((Lines{"k=s\x95\x7Cz", "n=i1"}), LogicalLines("k=s\x95\x7Cz|n=i1\r\n"));
}

TEST(IniLines, OverlongLineIsCutAndTheNextLineStaysWhole) {
  const std::string longLine = "a=s" + std::string(8997, 'x');
  const Lines lines = LogicalLines(longLine + "\r\nb=i1\r\n");
  const Lines expected = {longLine.substr(0, CInputBuffer::LINE_BUFFER_SIZE - 1), "b=i1"};
  EXPECT_EQ(expected, lines);
}

TEST(IniLines, BinaryGarbageGivesTrimmedNonEmptyLines) {
  std::string garbage;
  unsigned seed = 12345;
  for (int i = 0; i < 65536; ++i) {
    seed = seed * 1103515245 + 12345;
    garbage += static_cast<char>(seed >> 16);
  }
  const Lines lines = LogicalLines(garbage);
  EXPECT_FALSE(lines.empty());
  for (size_t i = 0; i < lines.size(); ++i) {
    ASSERT_FALSE(lines[i].empty()) << "line " << i;
    EXPECT_FALSE(isspace(static_cast<unsigned char>(lines[i].front()))) << "line " << i;
    EXPECT_FALSE(isspace(static_cast<unsigned char>(lines[i].back()))) << "line " << i;
    EXPECT_EQ(std::string::npos, lines[i].find_first_of("|;\n")) << "line " << i;
  }
}

TEST(IniLines, ZeroBytesEndTheirLineOnly) {
  const std::string text("a=i1\0junk|b=i2\r\nc=i3", 20);
  EXPECT_EQ((Lines{"a=i1", "c=i3"}), LogicalLines(text));
}

}  // namespace

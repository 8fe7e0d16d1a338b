// Logical lines of INI text: "|" separators, ";" comments, blanks, double-byte text, zero
// bytes and overlong lines.
#include "param/ini_lines.h"

#include <gtest/gtest.h>

#include "param/param_ref.h"
#include "tests/param/param_test_util.h"

namespace {

Names LogicalLines(const std::string& text) {
  QVRef<IXFile> file(Fio_Open(MemFileName(text).c_str(), 0));
  CInputBuffer input(file.Get());
  Names lines;
  while (const char* line = input.NextLine()) lines.push_back(line);
  return lines;
}

TEST(IniLines, SeparatorsAndComments) {
  DoubleByteCodePage codePage;
  ASSERT_TRUE(codePage.ok());
  const struct {
    std::string text;
    Names expected;
  } rows[] = {
      {"a=i1|b=i2 ; comment\r\n", {"a=i1", "b=i2"}},
      {"  ; a comment line\r\nx=i1", {"x=i1"}},
      {";only|a|comment\r\n", {}},
      {"||a||b||\n", {"a", "b"}},
      {"a|;b|c\nd", {"a", "d"}},
      {"\n\r\n \t \n", {}},
      {"one | two |three\r\nfour", {"one", "two", "three", "four"}},
      {"x=s  keep inner  blanks  |y", {"x=s  keep inner  blanks", "y"}},
      {"", {}},
      // Shift-JIS 0x95 0x7C has "|" as its trail byte.
      {"k=s\x95\x7Cz|n=i1\r\n", {"k=s\x95\x7Cz", "n=i1"}},
      // A zero byte ends its physical line.
      {std::string("a=i1\0junk|b=i2\r\nc=i3", 20), {"a=i1", "c=i3"}},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].expected, LogicalLines(rows[row].text)) << "row " << row;
}

TEST(IniLines, OverlongLineIsCutAndTheNextLineStaysWhole) {
  const std::string longLine = "a=s" + std::string(8997, 'x');
  const Names expected = {longLine.substr(0, CInputBuffer::LINE_BUFFER_SIZE - 1), "b=i1"};
  EXPECT_EQ(expected, LogicalLines(longLine + "\r\nb=i1\r\n"));
}

}  // namespace

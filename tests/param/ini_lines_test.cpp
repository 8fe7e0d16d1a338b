// Logical lines of INI text: an overlong line is cut at the buffer and the next line stays
// whole (separators, comments and blanks are read through the reader's table).
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

TEST(IniLines, OverlongLineIsCutAndTheNextLineStaysWhole) {
  const std::string longLine = "a=s" + std::string(8997, 'x');
  const Names expected = {longLine.substr(0, CInputBuffer::LINE_BUFFER_SIZE - 1), "b=i1"};
  EXPECT_EQ(expected, LogicalLines(longLine + "\r\nb=i1\r\n"));
}

}  // namespace

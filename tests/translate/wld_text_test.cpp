// The line and escape rules of dictionary files.
#include "translate/wld_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WldLineRules, AcceptsQuotedLinesOnly) {
  const struct {
    const char* line;
    const char* text;  // null: the line is skipped
  } cases[] = {
      {" \t\v\f\"Open\"\t\v \r\n", "Open"},  // white space and CR LF cut before the closing quote
      {"\"\"", ""},                          // two quotes: an empty text
      {"  \"  ", nullptr},                   // one character after the cut
      {"; \"comment\"", nullptr},
      {"  ;\"comment\"", nullptr},  // a comment after the cut
      {"Open\"", nullptr},          // no leading quote (an empty line neither)
      {"\"Open", "Ope"},            // the last character closes, whatever it is
      {"\"a \"quoted\" word\"", "a \"quoted\" word"},
      {"\"trailing  \"  ", "trailing  "},  // blanks inside the quotes stay
  };
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    std::string line = cases[row].line;
    EXPECT_STREQ(cases[row].text, wldtext::AcceptLine(&line[0])) << "row " << row << ": " << cases[row].line;
  }
}

TEST(WldEscapes, DecodesAsTheFileFormatSays) {
  const struct {
    const char* text;
    const char* decoded;
  } cases[] = {
      {"plain", "plain"},   {"\\n\\r\\t", "\n\r\t"}, {"", ""},
      {"a\\xb", "a\\xb"},                        // any other character keeps the backslash
      {"a\\\\nb", "a\nb"},                       // a doubled backslash drops the first and stays an escape
      {"a\\\\xb", "a\\xb"}, {"a\\\\\\\\", "a"},  // four backslashes at the end all go
      {"end\\", "end"},                          // a final backslash goes
  };
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row)
    EXPECT_STREQ(cases[row].decoded, wldtext::DecodeEscapes(cases[row].text)) << "row " << row;
}

}  // namespace

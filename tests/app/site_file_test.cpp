// Reading site standards: INI text as the profile functions see it, whole files through
// the file layer, and sources named beside the standard.
#include "app/site_file.h"

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"

namespace {

// "[section]key=value|key=value..." per section, in order.
std::string Describe(const std::vector<IniSection>& sections) {
  std::string text;
  for (const IniSection& section : sections) {
    text += "[" + section.Name + "]";
    for (const IniKey& key : section.Keys) text += key.Name + "=" + key.Value + "|";
    text += "\n";
  }
  return text;
}

TEST(SiteFile, IniTextAsTheProfileFunctionsReadIt) {
  const struct {
    std::string text;
    std::string sections;
  } rows[] = {
      {"; comment\r\n[Profile A]\r\n  Products = A* ; x \r\nSource=\"s.arg\"\r\n\r\n[Remove]\r\nProfiles=B\r\n",
       "[Profile A]Products=A* ; x|Source=s.arg|\n[Remove]Profiles=B|\n"},
      {"[A]\nk=1\nk=2\n", "[A]k=1|k=1|\n"},  // a repeated key is listed twice, for the parser to refuse
      {"key=before any section\n[A]\n", "[A]\n"},
      {"", ""},
      {"[A", ""},
      {std::string("[A]\nk=v\0w\n", 12), "[A]k=v|\n"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].sections, Describe(ParseIniText(rows[i].text))) << "row " << i;
  // A line beyond the profile functions' buffers: the section is still there.
  EXPECT_EQ(0u, Describe(ParseIniText("[A]\n" + std::string(100000, 'x') + "=1\n[B]\n")).find("[A]"));
}

TEST(SiteFile, WholeFiles) {
  ScratchFolder folder;
  std::string bytes = "sentinel";
  EXPECT_TRUE(ReadWholeFile(folder.Write("empty.ini", ""), bytes));
  EXPECT_EQ("", bytes);
  EXPECT_TRUE(ReadWholeFile(folder.Write("text.ini", "[A]\r\nk=\xff\x01v\r\n"), bytes));
  EXPECT_EQ("[A]\r\nk=\xff\x01v\r\n", bytes);
  EXPECT_FALSE(ReadWholeFile(folder / "none.ini", bytes));
  EXPECT_EQ("", bytes);
  EXPECT_FALSE(ReadWholeFile(folder.Path(), bytes));
}

TEST(SiteFile, SourcesBesideTheStandard) {
  const struct {
    const char *site, *source, *resolved;
  } rows[] = {
      {"C:\\cad\\site.ini", "office.arg", "C:\\cad\\office.arg"},
      {"C:\\cad\\site.ini", "D:\\office.arg", "D:\\office.arg"},
      {"\\\\server\\cad\\site.ini", "office.arg", "\\\\server\\cad\\office.arg"},
      {"ftp://u:p@host/cad/site.ini", "office.arg", "ftp://u:p@host/cad/office.arg"},
      {"site.ini", "office.arg", "office.arg"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].resolved, ResolveBeside(rows[i].site, rows[i].source)) << "row " << i;
}

}  // namespace

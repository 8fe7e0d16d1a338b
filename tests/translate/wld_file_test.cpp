// Reading dictionary files into CWld and looking texts up.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/scratch_folder.h"
#include "translate/wld.h"

namespace {

TEST(WldFile, PairsOfAcceptedLines) {
  // The cut of an overlong line falls just before a quote, so a rest read as a line of its own
  // would be accepted and pair the later lines wrongly.
  const std::string overlong =
      "\"" + std::string(CWld::LINE_BUFFER - 2, 'a') + "\"" + std::string(807, 'b') + "\"\n\"Lang\"\n";
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
  const std::string huge =
      "\"" + std::string(100000, 'a') + "\"\n\"huge\"\n" + std::string(50000, 'b') + "\n";
  const std::string open = "\"Open\"\n\"Oeffnen\"\n";
  const struct {
    std::string bytes;
    int entries;  // -1: not checked
    std::string source;
    const char* translation;  // null: none
  } cases[] = {
      {"\"Open\"\r\n\"Oeffnen\"\r\n\"Close\"\r\n\"Zu\"\r\n", 2, "open", nullptr},  // compared exactly
      {"; c\n\n\"Open\"\nnot quoted\n\"\n\"Oeffnen\"\n", 1, "Open", "Oeffnen"},    // skipped lines between
      {overlong + open, 2, "Open", "Oeffnen"},
      {"\"Open\"\n\"\"\n", -1, "Open", nullptr},                                // an empty translation
      {"\"Line\\nbreak\"\n\"Zeile\\tTab\"\n", 1, "Line\nbreak", "Zeile\tTab"},  // escapes on both sides
      {open + "\"Close\"\n", 1, "Close", nullptr},      // an odd line count drops the last source
      {"\"Open\"\n\"Oeffnen\"", 1, "Open", "Oeffnen"},  // no line end at the end
      {junk + "\n" + open + std::string("\0\0\"x\0\"\n", 7), -1, "Open", "Oeffnen"},
      {huge + open, -1, "Open", "Oeffnen"},
      {"", 0, "Open", nullptr},
  };
  ScratchFolder folder;
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    CWld dictionary;
    EXPECT_EQ(1, dictionary.Init(folder.Write("test.wld", cases[row].bytes).c_str())) << "row " << row;
    if (cases[row].entries >= 0) {
      EXPECT_EQ(cases[row].entries, dictionary.GetEntryCount()) << "row " << row;
    }
    EXPECT_STREQ(cases[row].translation, dictionary.Translate(cases[row].source.c_str(), 1)) << "row " << row;
  }
}

// Add reads further files into a loaded dictionary; what is there first stays.
TEST(WldFile, InitReadsOnceAndAddKeepsTheFirstTranslation) {
  ScratchFolder folder;
  CWld dictionary;
  EXPECT_EQ(1, dictionary.Init((folder / "missing.wld").c_str()));
  EXPECT_TRUE(dictionary.IsLoaded());
  const std::string open = folder.Write("open.wld", "\"Open\"\n\"Auf\"\n");
  EXPECT_EQ(1, dictionary.Init(open.c_str()));
  EXPECT_EQ(0, dictionary.GetEntryCount()) << "a second Init reads nothing";
  EXPECT_EQ(1, dictionary.Add(open.c_str()));
  EXPECT_EQ(1, dictionary.Add(folder.Write("more.wld", "\"Open\"\n\"Offen\"\n").c_str()));
  EXPECT_STREQ("Auf", dictionary.Translate("Open", 1));
}

TEST(WldFile, ContextLookupComesBeforeThePlainOne) {
  ScratchFolder folder;
  CWld dictionary;
  dictionary.Init(
      folder.Write("context.wld", "\"mod.dll#3#7Close\"\n\"Kontext\"\n\"Close\"\n\"Zu\"\n").c_str());
  EXPECT_STREQ("Kontext", dictionary.TranslateInContext("Close", "mod.dll#3#7"));
  EXPECT_STREQ("Zu", dictionary.TranslateInContext("Close", std::string(600, 'k').c_str()))
      << "an overlong context";
}

// The dictionary font: any three settings make it, the size clamped to 8..16 (junk: 8).
TEST(WldFile, FontSettings) {
  const struct {
    const char* settings;
    const char* face;
    int size;
  } cases[] = {
      {"\"DialogFontSize\"\n\"30\"\n\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n", "Arial",
       16},
      {"\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n\"DialogFontSize\"\n\"junk\"\n", "Arial",
       8},
      {"\"DialogFontSize\"\n\"10\"\n\"DialogFontSize\"\n\"11\"\n\"DialogFontSize\"\n\"12\"\n", "MS Shell Dlg",
       12},
  };
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  ScratchFolder folder;
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    CWld dictionary;
    dictionary.Init(folder.Write("font.wld", cases[row].settings).c_str());
    EXPECT_EQ(cases[row].size, dictionary.GetFontSize()) << "row " << row;
    LOGFONTA font = {};
    ::GetObjectA(dictionary.GetFont(), sizeof font, &font);
    EXPECT_STREQ(cases[row].face, font.lfFaceName) << "row " << row;
    EXPECT_EQ(-(dpi * cases[row].size / 72), font.lfHeight) << "row " << row;
    EXPECT_EQ(0, dictionary.GetEntryCount()) << "row " << row << ": settings are not entries";
  }
}

}  // namespace

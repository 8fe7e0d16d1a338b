// Reading dictionary files into CWld and looking texts up.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "translate/wld.h"

namespace {

struct FileCase {
  std::string bytes;
  int entries;                                                 // -1: not checked
  std::vector<std::pair<std::string, const char*>> lookups;  // null: no translation
};

TEST(WldFile, PairsOfAcceptedLines) {
  // The cut of an overlong line falls just before a quote, so a rest read as a line of its own
  // would be accepted and pair the later lines wrongly.
  const std::string overlong = "\"" + std::string(CWld::LINE_BUFFER - 2, 'a') + "\"" + std::string(807, 'b') + "\"";
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
  const std::string huge = "\"" + std::string(100000, 'a') + "\"\n\"huge\"\n" + std::string(50000, 'b') + "\n";
  const FileCase cases[] = {
      {"\"Open\"\r\n\"Oeffnen\"\r\n\"Close\"\r\n\"Schliessen\"\r\n",
       2,
       {{"Open", "Oeffnen"}, {"Close", "Schliessen"}, {"open", nullptr}}},
      {"; comment\n\n\"Open\"\nnot quoted\n  ; \"comment after blanks\"\n\"\n\"Oeffnen\"\n\"Close\"\n\"Zu\"\n",
       2,
       {{"Open", "Oeffnen"}, {"Close", "Zu"}}},
      {overlong + "\n\"Lang\"\n\"Open\"\n\"Oeffnen\"\n",
       2,
       {{std::string(CWld::LINE_BUFFER - 3, 'a'), "Lang"}, {"Open", "Oeffnen"}}},
      {"\"Open\"\n\"\"\n\"Close\"\n\"Zu\"\n", -1, {{"Open", nullptr}, {"Close", "Zu"}}},  // empty: untranslated
      {"\"Line\\nbreak\"\n\"Zeile\\tTab\\\\n\"\n\"C:\\temp\"\n\"C:\\Temp\"\n",
       2,
       {{"Line\nbreak", "Zeile\tTab\n"}, {"C:\\temp", nullptr}, {"C:\temp", "C:\\Temp"}}},  // escapes on both sides
      {"\"Open\"\n\"Oeffnen\"\n\"Close\"\n", 1, {{"Close", nullptr}}},  // an odd line count drops the last source
      {"\"Open\n\"Oeffnen\n", 1, {{"Ope", "Oeffne"}}},                // the last character closes
      {"\"Open\"\n\"Oeffnen\"", 1, {{"Open", "Oeffnen"}}},            // no line end at the end
      {junk + "\n\"Open\"\n\"Oeffnen\"\n" + std::string("\0\0\"x\0\"\n", 7), -1, {{"Open", "Oeffnen"}}},
      {huge + "\"Open\"\n\"Oeffnen\"\n", -1, {{"Open", "Oeffnen"}, {std::string(100000, 'a'), nullptr}}},
      {"", 0, {}},
  };
  ScratchFolder folder;
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    CWld dictionary;
    EXPECT_EQ(1, dictionary.Init(folder.Write("test.wld", cases[row].bytes).c_str())) << "row " << row;
    if (cases[row].entries >= 0) {
      EXPECT_EQ(cases[row].entries, dictionary.GetEntryCount()) << "row " << row;
    }
    for (const auto& lookup : cases[row].lookups) {
      const char* found = dictionary.Translate(lookup.first.c_str(), 1);
      EXPECT_STREQ(lookup.second, found) << "row " << row << ": " << lookup.first.substr(0, 20);
    }
  }
}

TEST(WldFile, InitReadsOnceAndMissingFilesChangeNothing) {
  ScratchFolder folder;
  CWld dictionary;
  EXPECT_TRUE(dictionary.IsCustomFont()) << "the default font before any dictionary";
  EXPECT_EQ(1, dictionary.Init((folder / "missing.wld").c_str()));
  EXPECT_TRUE(dictionary.IsLoaded());
  EXPECT_EQ(1, dictionary.Init(folder.Write("late.wld", "\"Open\"\n\"Auf\"\n").c_str()));
  EXPECT_EQ(1, dictionary.Add(nullptr));
  EXPECT_EQ(0, dictionary.GetEntryCount()) << "a second Init reads nothing";
}

TEST(WldFile, TranslateInPlaceCutsAtTheBufferSize) {
  ScratchFolder folder;
  CWld dictionary;
  dictionary.Init(folder.Write("cut.wld", "\"Open\"\n\"Oeffnen bitte\"\n").c_str());
  char buffer[32];
  memset(buffer, '#', sizeof buffer);
  strcpy(buffer, "Open");
  EXPECT_EQ(5, dictionary.Translate(buffer, 6u));
  EXPECT_STREQ("Oeffn", buffer);
  EXPECT_EQ('#', buffer[6]) << "nothing written past the size";
  strcpy(buffer, "Open");
  EXPECT_EQ(13, dictionary.Translate(buffer, sizeof buffer));
  EXPECT_STREQ("Oeffnen bitte", buffer);
  strcpy(buffer, "Other");
  EXPECT_EQ(5, dictionary.Translate(buffer, sizeof buffer)) << "no translation: the text stays";
  EXPECT_EQ(0, dictionary.Translate(static_cast<char*>(nullptr), 10u));
  EXPECT_STREQ("Other", dictionary.Translate("Other", 0));
}

TEST(WldFile, ContextLookupComesBeforeThePlainOne) {
  ScratchFolder folder;
  CWld dictionary;
  dictionary.Init(folder.Write("context.wld", "\"mod.dll#3#7Close\"\n\"Kontext\"\n\"Close\"\n\"Zu\"\n").c_str());
  EXPECT_STREQ("Kontext", dictionary.TranslateInContext("Close", "mod.dll#3#7"));
  EXPECT_STREQ("Zu", dictionary.TranslateInContext("Close", "mod.dll#3#8"));
  EXPECT_STREQ("Zu", dictionary.TranslateInContext("Close", nullptr));
  EXPECT_STREQ("Zu", dictionary.TranslateInContext("Close", std::string(600, 'k').c_str()));
}

// The dictionary font: any three settings make it, the size clamped to 8..16.
TEST(WldFile, FontSettings) {
  const struct {
    const char* settings;
    const char* face;
    int size;
  } cases[] = {
      {"\"DialogFontName\"\n\"Tahoma\"\n\"DialogFontScript\"\n\"0\"\n\"DialogFontSize\"\n\"10\"\n", "Tahoma", 10},
      {"\"DialogFontSize\"\n\"30\"\n\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n", "Arial", 16},
      {"\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n\"DialogFontSize\"\n\"5\"\n", "Arial", 8},
      {"\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n\"DialogFontSize\"\n\"junk\"\n", "Arial", 8},
      {"\"DialogFontSize\"\n\"10\"\n\"DialogFontSize\"\n\"11\"\n\"DialogFontSize\"\n\"12\"\n", "MS Shell Dlg", 12},
  };
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  ScratchFolder folder;
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    CWld dictionary;
    dictionary.Init(folder.Write("font.wld", cases[row].settings).c_str());
    EXPECT_TRUE(dictionary.IsCustomFont()) << "row " << row;
    EXPECT_EQ(cases[row].size, dictionary.GetFontSize()) << "row " << row;
    LOGFONTA font = {};
    ::GetObjectA(dictionary.GetFont(), sizeof font, &font);
    EXPECT_STREQ(cases[row].face, font.lfFaceName) << "row " << row;
    EXPECT_EQ(-(dpi * cases[row].size / 72), font.lfHeight) << "row " << row;
    EXPECT_EQ(0, dictionary.GetEntryCount()) << "row " << row << ": settings are not entries";
  }
}

}  // namespace

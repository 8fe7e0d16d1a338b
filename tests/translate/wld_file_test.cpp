// Reading dictionary files into CWld and looking texts up.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/scratch_folder.h"
#include "base/keys.h"
#include "translate/wld.h"

namespace {

class WldFileTest : public ::testing::Test {
 protected:
  // A dictionary read from a file of exactly these bytes.
  void Load(const std::string& bytes) { dictionary_.Init(folder_.Write("test.wld", bytes).c_str()); }
  std::string Lookup(const char* text) {
    const char* found = dictionary_.Translate(text, 1);
    return found ? found : "<none>";
  }

  ScratchFolder folder_;
  CWld dictionary_;
};

TEST_F(WldFileTest, PairsOfQuotedLinesWithCrLf) {
  Load("\"Open\"\r\n\"Oeffnen\"\r\n\"Close\"\r\n\"Schliessen\"\r\n");
  EXPECT_EQ(2, dictionary_.GetEntryCount());
  EXPECT_EQ("Oeffnen", Lookup("Open"));
  EXPECT_EQ("Schliessen", Lookup("Close"));
  EXPECT_EQ("<none>", Lookup("open"));  // texts are compared exactly
  EXPECT_TRUE(dictionary_.IsLoaded());
}

TEST_F(WldFileTest, SkippedLinesDoNotBreakPairs) {
  Load(
      "; comment\n\n\"Open\"\nnot quoted\n  ; \"comment after "
      "blanks\"\n\"\n\"Oeffnen\"\n\"Close\"\n\"Zu\"\n");
  EXPECT_EQ("Oeffnen", Lookup("Open"));
  EXPECT_EQ("Zu", Lookup("Close"));
  EXPECT_EQ(2, dictionary_.GetEntryCount());
}

TEST_F(WldFileTest, OverlongLineIsCutAndLaterPairsStayTogether) {
  // The cut falls just before a quote, so a rest read as a line of its own would be accepted.
  const std::string longLine =
      "\"" + std::string(CWld::LINE_BUFFER - 2, 'a') + "\"" + std::string(807, 'b') + "\"";
  ASSERT_EQ(9000u, longLine.size());
  Load(longLine + "\n\"Lang\"\n\"Open\"\n\"Oeffnen\"\n");
  EXPECT_EQ(2, dictionary_.GetEntryCount());
  EXPECT_EQ("Lang", Lookup(std::string(CWld::LINE_BUFFER - 3, 'a').c_str()));
  EXPECT_EQ("Oeffnen", Lookup("Open"));
}

TEST_F(WldFileTest, EmptyTranslationLeavesTheSourceUntranslated) {
  Load("\"Open\"\n\"\"\n\"Close\"\n\"Zu\"\n");
  EXPECT_EQ("<none>", Lookup("Open"));
  EXPECT_STREQ("Open", dictionary_.Translate("Open", 0));
  EXPECT_EQ("Zu", Lookup("Close"));
  char buffer[16] = "Open";
  EXPECT_EQ(4, dictionary_.Translate(buffer, sizeof buffer));
  EXPECT_STREQ("Open", buffer);
}

TEST_F(WldFileTest, EscapesApplyToBothTexts) {
  Load("\"Line\\nbreak\"\n\"Zeile\\tTab\\\\n\"\n\"C:\\temp\"\n\"C:\\Temp\"\n");
  EXPECT_EQ("Zeile\tTab\n", Lookup("Line\nbreak"));
  EXPECT_EQ("<none>", Lookup("C:\\temp"));  // "\t" in the file is a tab
  EXPECT_EQ("C:\\Temp", Lookup("C:\temp"));
}

TEST_F(WldFileTest, OddLineCountDropsTheLastSource) {
  Load("\"Open\"\n\"Oeffnen\"\n\"Close\"\n");
  EXPECT_EQ(1, dictionary_.GetEntryCount());
  EXPECT_EQ("<none>", Lookup("Close"));
}

TEST_F(WldFileTest, UnterminatedQuoteTakesTheLastCharacterAsClosing) {
  Load("\"Open\n\"Oeffnen\n");
  EXPECT_EQ("Oeffne", Lookup("Ope"));
}

TEST_F(WldFileTest, LastLineWithoutLineEnd) {
  Load("\"Open\"\n\"Oeffnen\"");
  EXPECT_EQ("Oeffnen", Lookup("Open"));
}

TEST_F(WldFileTest, BinaryJunkIsSkippedWithoutHarm) {
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
  junk += "\n\"Open\"\n\"Oeffnen\"\n";
  junk += std::string("\0\0\"x\0\"\n", 7);
  Load(junk);
  EXPECT_EQ("Oeffnen", Lookup("Open"));
}

TEST_F(WldFileTest, HugeLinesDoNotHideLaterEntries) {
  std::string bytes = "\"" + std::string(100000, 'a') + "\"\n\"huge\"\n";
  bytes += std::string(50000, 'b') + "\n";
  bytes += "\"Open\"\n\"Oeffnen\"\n";
  Load(bytes);
  EXPECT_EQ("Oeffnen", Lookup("Open"));
  EXPECT_EQ("<none>", Lookup(std::string(100000, 'a').c_str()));
}

TEST_F(WldFileTest, MissingAndEmptyFilesLeaveTheDictionaryAsItWas) {
  EXPECT_EQ(1, dictionary_.Init((folder_ / "missing.wld").c_str()));
  EXPECT_TRUE(dictionary_.IsLoaded());
  EXPECT_EQ(0, dictionary_.GetEntryCount());
  EXPECT_EQ(1, dictionary_.Add(folder_.Write("empty.wld", "").c_str()));
  EXPECT_EQ(0, dictionary_.GetEntryCount());
  EXPECT_EQ(1, dictionary_.Add(nullptr));
}

TEST_F(WldFileTest, TranslateInPlaceCutsAtCharacterBoundaries) {
  Load("\"Open\"\n\"Oeffnen bitte\"\n");
  char buffer[32];
  memset(buffer, '#', sizeof buffer);
  strcpy(buffer, "Open");
  EXPECT_EQ(5, dictionary_.Translate(buffer, 6u));
  EXPECT_STREQ("Oeffn", buffer);
  EXPECT_EQ('#', buffer[6]);  // nothing written past the size
  strcpy(buffer, "Open");
  EXPECT_EQ(13, dictionary_.Translate(buffer, sizeof buffer));
  EXPECT_STREQ("Oeffnen bitte", buffer);
  EXPECT_EQ(0, dictionary_.Translate(static_cast<char*>(nullptr), 10u));
  char empty[4] = "";
  EXPECT_EQ(0, dictionary_.Translate(empty, sizeof empty));
}

TEST_F(WldFileTest, ContextLookupComesBeforeThePlainOne) {
  Load("\"mod.dll#3#7Close\"\n\"Kontext\"\n\"Close\"\n\"Zu\"\n");
  EXPECT_STREQ("Kontext", dictionary_.TranslateInContext("Close", "mod.dll#3#7"));
  EXPECT_STREQ("Zu", dictionary_.TranslateInContext("Close", "mod.dll#3#8"));
  EXPECT_STREQ("Zu", dictionary_.TranslateInContext("Close", nullptr));
  const std::string longContext(600, 'k');
  EXPECT_STREQ("Zu", dictionary_.TranslateInContext("Close", longContext.c_str()));
}

// The dictionary font and its settings.
int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

LOGFONTA FontOf(HFONT font) {
  LOGFONTA logFont = {};
  ::GetObjectA(font, sizeof logFont, &logFont);
  return logFont;
}

struct FontCase {
  const char* settings;
  const char* face;
  int script;
  int size;
};

TEST(WldFontSettings, ThreeSettingsMakeTheFontWithTheSizeClamped) {
  const FontCase cases[] = {
      {"\"DialogFontName\"\n\"Tahoma\"\n\"DialogFontScript\"\n\"0\"\n\"DialogFontSize\"\n\"10\"\n", "Tahoma",
       0, 10},
      {"\"DialogFontSize\"\n\"30\"\n\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n", "Arial", 0,
       16},
      {"\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n\"DialogFontSize\"\n\"5\"\n", "Arial", 0,
       8},
      {"\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n\"DialogFontSize\"\n\"junk\"\n", "Arial",
       0, 8},
      // Any three settings count; the face not given stays the default font's.
      {"\"DialogFontSize\"\n\"10\"\n\"DialogFontSize\"\n\"11\"\n\"DialogFontSize\"\n\"12\"\n", "MS Shell Dlg",
       0, 12},
  };
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    ScratchFolder folder;
    CWld dictionary;
    dictionary.Init(folder.Write("font.wld", cases[row].settings).c_str());
    EXPECT_TRUE(dictionary.IsCustomFont()) << "row " << row;
    EXPECT_STREQ(cases[row].face, dictionary.GetFontFace()) << "row " << row;
    EXPECT_EQ(cases[row].size, dictionary.GetFontSize()) << "row " << row;
    const LOGFONTA font = FontOf(dictionary.GetFont());
    EXPECT_STREQ(cases[row].face, font.lfFaceName) << "row " << row;
    EXPECT_EQ(-(ScreenDpi() * cases[row].size / 72), font.lfHeight) << "row " << row;
    EXPECT_EQ(0, dictionary.GetEntryCount()) << "row " << row << ": settings are not entries";
  }
}

}  // namespace

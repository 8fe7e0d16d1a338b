#include <gtest/gtest.h>

#include <fstream>

#include "framework/language.h"

namespace {

class LanguageChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    path_ = std::string(folder) + "tw_lang_" + std::to_string(::GetCurrentProcessId()) + ".ini";
  }
  void TearDown() override { ::DeleteFileA(path_.c_str()); }

  LANGID Choose(const std::string& contents) {
    std::ofstream(path_, std::ios::binary) << contents;
    return ChooseUiLanguage(path_);
  }

  std::string path_;
};

TEST_F(LanguageChoice, FromTheLanguageSection) {
  const LANGID userDefault = static_cast<LANGID>(::GetUserDefaultLCID());
  struct Row {
    const char* ini;
    LANGID expected;
  };
  const Row rows[] = {
      {"[Language]\r\nLang=RU\r\n", 1049},
      {"[Language]\r\nLang=ru\r\n", 1049},
      {"[Language]\r\nLang=Ru\r\n", 1049},
      {"[Language]\r\nLang=DE\r\n", 1033},
      {"[Language]\r\nLang=RUS\r\n", 1033},
      {"[Language]\r\nLangId=7\r\nSubLangId=1\r\n", 0x0407},
      {"[Language]\r\nLangId=19\r\nLang=EN\r\n", 0x0019},        // hex 19 = Russian primary, no sub-language
      {"[Language]\r\nLangId=9\r\nSubLangId=2\r\nLang=RU\r\n", 0x0809},  // a valid LangId wins over Lang
      {"[Language]\r\nLangId=9\r\nSubLangId=zz\r\n", 0x0009},    // a sub-language that does not read is 0
      {"[Language]\r\nLangId=xyz\r\nLang=RU\r\n", 1049},         // a LangId that does not read falls back
      {"[Language]\r\nLangId=0\r\nLang=de\r\n", 1033},           // 0 counts as none
      {"[Language]\r\nLangId=1ffff\r\n", 0xFFFF},                // kept to 16 bits
      {"[Language]\r\nLangId=13\r\nSubLangId=3f\r\n", 0xFC13},   // sub-language shifted by 10
      {"[Language]\r\n", userDefault},
      {"[Other]\r\nLang=RU\r\n", userDefault},
      {"garbage \x01\x02 without sections", userDefault},
      {"", userDefault},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].expected, Choose(rows[i].ini)) << "row " << i;
}

TEST_F(LanguageChoice, NoFileMeansTheUserDefault) {
  EXPECT_EQ(static_cast<LANGID>(::GetUserDefaultLCID()), ChooseUiLanguage(""));
  EXPECT_EQ(static_cast<LANGID>(::GetUserDefaultLCID()), ChooseUiLanguage("C:\\no\\such\\folder\\x.ini"));
}

TEST_F(LanguageChoice, OverlongValuesAreCutNotOverrun) {
  std::string lang = "RU" + std::string(5000, 'x');
  EXPECT_EQ(1033, Choose("[Language]\r\nLang=" + lang + "\r\n"));
}

}  // namespace

#include "framework/language.h"

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"

namespace {

TEST(LanguageChoice, FromTheLanguageSection) {
  const LANGID userDefault = static_cast<LANGID>(::GetUserDefaultLCID());
  const struct {
    std::string ini;  // none: no file at all
    LANGID expected;
  } rows[] = {
      {"[Language]\r\nLang=RU\r\n", 1049},
      {"[Language]\r\nLang=ru\r\n", 1049},
      {"[Language]\r\nLang=DE\r\n", 1033},
      {"[Language]\r\nLang=RUS\r\n", 1033},
      {"[Language]\r\nLang=RU" + std::string(5000, 'x') + "\r\n", 1033},  // cut, not overrun
      {"[Language]\r\nLangId=7\r\nSubLangId=1\r\n", 0x0407},
      {"[Language]\r\nLangId=19\r\nLang=EN\r\n", 0x0019},  // hex 19 = Russian primary, no sub-language
      {"[Language]\r\nLangId=9\r\nSubLangId=2\r\nLang=RU\r\n", 0x0809},  // a valid LangId wins over Lang
      {"[Language]\r\nLangId=9\r\nSubLangId=zz\r\n", 0x0009},   // a sub-language that does not read is 0
      {"[Language]\r\nLangId=xyz\r\nLang=RU\r\n", 1049},        // a LangId that does not read falls back
      {"[Language]\r\nLangId=0\r\nLang=de\r\n", 1033},          // 0 counts as none
      {"[Language]\r\nLangId=1ffff\r\n", 0xFFFF},               // kept to 16 bits
      {"[Language]\r\nLangId=13\r\nSubLangId=3f\r\n", 0xFC13},  // sub-language shifted by 10
      {"[Language]\r\n", userDefault},
      {"[Other]\r\nLang=RU\r\n", userDefault},
      {"garbage \x01\x02 without sections", userDefault},
      {"", userDefault},
      {"none", userDefault},
  };
  ScratchFolder folder;
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::string path = rows[i].ini == "none" ? folder / "none.ini" : folder.Write("x.ini", rows[i].ini);
    EXPECT_EQ(rows[i].expected, ChooseUiLanguage(path)) << "row " << i;
  }
  EXPECT_EQ(userDefault, ChooseUiLanguage(""));
}

}  // namespace

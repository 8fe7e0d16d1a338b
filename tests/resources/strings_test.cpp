// String table 10000-10027 in English (US) and Russian.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/resources/own_resources.h"

namespace restest {
namespace {

constexpr UINT kFirstString = IDS_CURRENT_PROFILE;
constexpr UINT kLastString = IDS_REGDLL_NO_ENTRY;

// Every string of the table, block by block.
std::vector<UINT> AllStrings() {
  std::vector<UINT> ids;
  for (const auto& range : {std::make_pair(kFirstString, kLastString),
                            std::make_pair<UINT, UINT>(IDS_BACKUP_FAILED, IDS_CHOOSE_BACKUP),
                            std::make_pair<UINT, UINT>(IDS_SUMMARY_DONE, IDS_SITE_NOT_REGISTERED)})
    for (UINT id = range.first; id <= range.second; ++id) ids.push_back(id);
  return ids;
}

// The usage text line by line; line 8 ends with LF alone and line 10 has no line end.
std::string ExpectedUsage() {
  const char* const lines[] = {
      "Usage: Tarnwick.exe [-r -a \"ACAD_ID\" -p \"Profile\" [-c -g \"App\" \"App\"] -AcCL ...]",
      "",
      "Options:",
      "-r\tRun AutoCAD (must be followed by -a and -p)",
      "-a\tAutoCAD Id (e.g. AutoCAD\\R16.0\\ACAD-201:409)",
      "-p\tProfile name",
      "-c\tCreate profile if not exists",
      "-g\tEnable application(s) in newly created profile",
      "-AcCL\tPass arguments to the AutoCAD command line",
      "...\tAutoCAD command line",
  };
  std::string text;
  for (size_t i = 0; i < 10; ++i) {
    text += lines[i];
    if (i == 7) {
      text += "\n";
    } else if (i < 9) {
      text += "\r\n";
    }
  }
  return text;
}

std::u16string Load(UINT id, WORD language) {
  auto text = LoadBlockString(id, language);
  EXPECT_TRUE(text.has_value()) << "string " << id << " language " << language;
  return text.value_or(u"");
}

// The printf conversions in order ("%s", "%d"...), so a translation keeps its arguments.
std::vector<std::string> Conversions(const std::u16string& text) {
  std::vector<std::string> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    std::string conversion = "%";
    size_t j = i + 1;
    while (j < text.size() && std::u16string(u"-+ #0123456789.lh").find(text[j]) != std::u16string::npos) {
      conversion += static_cast<char>(text[j++]);
    }
    if (j < text.size()) conversion += static_cast<char>(text[j] < 0x80 ? text[j] : '?');
    if (conversion != "%%") found.push_back(conversion);
    i = j;
  }
  return found;
}

// The line ends and tabs in order, so a translation keeps the text's structure.
std::u16string ControlCharacters(const std::u16string& text) {
  std::u16string found;
  for (char16_t c : text) {
    if (c == u'\r' || c == u'\n' || c == u'\t') found.push_back(c);
  }
  return found;
}

std::vector<std::u16string> SplitLines(const std::u16string& text) {
  std::vector<std::u16string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    if (text[i] == u'\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(text[i]);
    }
  }
  return lines;
}

bool HasCyrillic(const std::u16string& text) {
  for (char16_t c : text) {
    if (c >= 0x0400 && c <= 0x04FF) return true;
  }
  return false;
}

TEST(StringTable, UsageTextHasExactBytes) {
  std::string usage = ToAnsi(Load(IDS_USAGE, kEnglish));
  EXPECT_EQ(usage, ExpectedUsage());
  ASSERT_FALSE(usage.empty());
  EXPECT_NE(usage.back(), '\n') << "the last line has no line end";
}

TEST(StringTable, EnglishTextsAreExact) {
  struct Row {
    UINT id;
    const char* text;
  };
  const Row rows[] = {
      {10000, "Current profile: %s"},
      {10001, "Cannot delete the current profile"},
      {10002, "Are you sure you want to delete the profile \"%s\"?"},
      {10003, "The profile \"%s\" already exists"},
      {10004, "Empty names are not allowed"},
      {10005, "Orvane for AutoCAD"},
      {10006, "Error: AutoCAD Id \"%s\" not found "},
      {10007, "Error: Profile \"%s\" not found"},
      {10008, "Error: Cannot run AutoCAD"},
      {10009, "Error: Cannot change current profile in registry"},
      {10011, "About..."},
      {10013, "Version: %d.%d"},
      {10014, "Version: %s"},
      {10015, "About %s %d.%d"},
      {10018,
       "The changes must be applied before performing Drag'n'Drop operations.\r\n"
       "Do you want to apply changes now?"},
      {10019, "Cannot delete the last profile"},
      {10022, "Do you want to apply changes before refresh?"},
      {10023,
       "The changes made to the profile configuration are not applied.\r\n"
       "Do you want to apply changes now and run AutoCAD?"},
      {10024, "You should start AutoCAD at least once before starting the application"},
  };
  for (size_t row = 0; row < sizeof(rows) / sizeof(rows[0]); ++row) {
    EXPECT_EQ(ToAnsi(Load(rows[row].id, kEnglish)), rows[row].text)
        << "row " << row << ", id " << rows[row].id;
  }
}

TEST(StringTable, EnglishStringsArePlainAsciiAndPresent) {
  // ASCII survives the conversion to any ANSI code page unchanged.
  for (UINT id : AllStrings()) {
    std::u16string text = Load(id, kEnglish);
    EXPECT_FALSE(text.empty()) << "id " << id;
    for (char16_t c : text) {
      EXPECT_LT(static_cast<unsigned>(c), 0x80u) << "id " << id << ": " << ToUtf8(text);
    }
  }
}

TEST(StringTable, RussianTextsAreExact) {
  struct Row {
    UINT id;
    const char16_t* text;
  };
  const Row rows[] = {
      {10000, u"Текущий профиль: %s"},
      {10001, u"Нельзя удалить текущий профиль"},
      {10005, u"Orvane for AutoCAD"},
      {10006, u"Ошибка: идентификатор AutoCAD \"%s\" не найден "},
      {10011, u"О программе..."},
      {10015, u"О программе %s %d.%d"},
      {10018, u"Перед перетаскиванием необходимо применить изменения.\r\nПрименить изменения сейчас?"},
      {10023,
       u"Изменения конфигурации профилей не применены.\r\nПрименить изменения сейчас и запустить AutoCAD?"},
      {10010,
       u"Использование: Tarnwick.exe [-r -a \"ACAD_ID\" -p \"Профиль\" [-c -g \"Приложение\" "
       u"\"Приложение\"] -AcCL ...]\r\n"
       u"\r\n"
       u"Параметры:\r\n"
       u"-r\tЗапустить AutoCAD (требует -a и -p)\r\n"
       u"-a\tИдентификатор AutoCAD (например, AutoCAD\\R16.0\\ACAD-201:409)\r\n"
       u"-p\tИмя профиля\r\n"
       u"-c\tСоздать профиль, если его нет\r\n"
       u"-g\tВключить приложения во вновь созданном профиле\n"
       u"-AcCL\tПередать аргументы в командную строку AutoCAD\r\n"
       u"...\tКомандная строка AutoCAD"},
      {10025,
       u"Нельзя удалить или переименовать профиль \"%s\": он снова станет текущим, когда запущенный AutoCAD "
       u"завершит работу"},
      {10026,
       u"Подключения приложений нельзя изменить, так как не найдена библиотека регистрации.\r\n"
       u"Она искалась здесь:\r\n%s"},
      {10027, u"Подключения приложений нельзя изменить, так как библиотека регистрации %s не содержит %s"},
  };
  for (size_t row = 0; row < sizeof(rows) / sizeof(rows[0]); ++row) {
    std::u16string actual = Load(rows[row].id, kRussian);
    EXPECT_EQ(actual, std::u16string(rows[row].text))
        << "row " << row << ", id " << rows[row].id << ": " << ToUtf8(actual);
  }
}

TEST(StringTable, RussianKeepsArgumentsLineEndsAndTrailingBlanks) {
  for (UINT id : AllStrings()) {
    std::u16string english = Load(id, kEnglish);
    std::u16string russian = Load(id, kRussian);
    ASSERT_FALSE(russian.empty()) << "id " << id;
    EXPECT_EQ(Conversions(russian), Conversions(english)) << "id " << id << ": " << ToUtf8(russian);
    EXPECT_EQ(ControlCharacters(russian), ControlCharacters(english))
        << "id " << id << ": " << ToUtf8(russian);
    EXPECT_EQ(russian.back() == u' ', english.back() == u' ') << "id " << id << ": " << ToUtf8(russian);
    if (id != IDS_APP_NAME) {
      EXPECT_TRUE(HasCyrillic(russian)) << "id " << id << " is not translated";
    }
  }
}

TEST(StringTable, UsageKeepsOptionNamesInEveryLanguage) {
  const char16_t* const options[] = {u"-r", u"-a", u"-p", u"-c", u"-g", u"-AcCL", u"..."};
  for (WORD language : kLanguages) {
    std::vector<std::u16string> lines = SplitLines(Load(IDS_USAGE, language));
    ASSERT_EQ(lines.size(), 10u) << "language " << language;
    EXPECT_TRUE(lines[1].empty()) << "language " << language;
    EXPECT_NE(lines[0].find(u"Tarnwick.exe [-r -a \"ACAD_ID\" -p \""), std::u16string::npos)
        << "language " << language << ": " << ToUtf8(lines[0]);
    for (size_t row = 0; row < 7; ++row) {
      const std::u16string& line = lines[row + 3];
      EXPECT_EQ(line.substr(0, line.find(u'\t')), options[row])
          << "language " << language << ", line " << row + 4;
    }
  }
}

TEST(StringTable, MissingStringsAreReportedAsMissing) {
  // Guards the block decoder the other cases rely on: a block that is not there is absent,
  // an empty slot of an existing block is empty.
  EXPECT_FALSE(LoadBlockString(20000, kEnglish).has_value());
  EXPECT_FALSE(LoadBlockString(IDS_USAGE, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)).has_value());
  auto unused_slot = LoadBlockString(kLastString + 1, kEnglish);
  ASSERT_TRUE(unused_slot.has_value());
  EXPECT_TRUE(unused_slot->empty());
}

}  // namespace
}  // namespace restest

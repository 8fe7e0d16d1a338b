// Menu 135 in English (US) and Russian, loaded by the system from this module's bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/handles.h"
#include "resources/resource.h"
#include "tests/resources/dialog_template.h"
#include "tests/resources/own_resources.h"

namespace restest {
namespace {

fw::Menu LoadProfileMenu(WORD language) {
  auto bytes = FindOwnResource(RT_MENU, IDR_PROFILE_MENU, language);
  if (!bytes) return fw::Menu();
  return fw::Menu(LoadMenuIndirectW(bytes->data));
}

std::u16string ItemText(HMENU menu, int position) {
  WCHAR text[256] = {0};
  GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

bool IsSeparator(HMENU menu, int position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoW(menu, position, TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

TEST(ProfileMenu, HoldsOnePopupWithTheProfileCommandsInEveryLanguage) {
  struct Item {
    UINT id;  // 0: separator
    const char16_t* english;
    const char16_t* russian;
  };
  const Item items[] = {
      {IDC_SET_CURRENT, u"Set &Current", u"Сделать &текущим"},
      {IDC_ADD_PROFILE, u"Add to &List...", u"&Добавить..."},
      {IDC_DELETE_PROFILE, u"&Delete", u"&Удалить"},
      {IDC_RENAME_PROFILE, u"Re&name...", u"Переи&меновать..."},
      {0, nullptr, nullptr},
      {ID_PROFILE_RUN, u"&Run...", u"&Запустить..."},
      {0, nullptr, nullptr},
      {ID_PROFILE_EXPORT, u"E&xport...", u"&Экспорт..."},
      {ID_PROFILE_IMPORT, u"&Import...", u"&Импорт..."},
      {ID_PROFILE_RESTORE, u"Res&tore...", u"&Восстановить..."},
  };
  const int count = sizeof(items) / sizeof(items[0]);
  for (WORD language : kLanguages) {
    fw::Menu menu = LoadProfileMenu(language);
    ASSERT_TRUE(menu) << "language " << language;
    ASSERT_EQ(GetMenuItemCount(menu.get()), 1) << "language " << language;
    EXPECT_EQ(ItemText(menu.get(), 0), language == kEnglish ? u"Profiles" : u"Профили")
        << "language " << language;
    HMENU popup = GetSubMenu(menu.get(), 0);
    ASSERT_NE(popup, nullptr) << "language " << language;
    ASSERT_EQ(GetMenuItemCount(popup), count) << "language " << language;
    for (int row = 0; row < count; ++row) {
      std::string where = "language " + std::to_string(language) + ", row " + std::to_string(row);
      if (items[row].id == 0) {
        EXPECT_TRUE(IsSeparator(popup, row)) << where;
        continue;
      }
      EXPECT_FALSE(IsSeparator(popup, row)) << where;
      EXPECT_EQ(GetMenuItemID(popup, row), items[row].id) << where;
      const char16_t* expected = language == kEnglish ? items[row].english : items[row].russian;
      EXPECT_EQ(ItemText(popup, row), std::u16string(expected))
          << where << ": " << ToUtf8(ItemText(popup, row));
    }
  }
}

TEST(ProfileMenu, CommandsReadLikeTheMainDialogButtons) {
  const UINT shared_ids[] = {IDC_SET_CURRENT, IDC_ADD_PROFILE, IDC_DELETE_PROFILE, IDC_RENAME_PROFILE};
  for (WORD language : kLanguages) {
    fw::Menu menu = LoadProfileMenu(language);
    auto bytes = FindOwnResource(RT_DIALOG, IDD_MAIN, language);
    ASSERT_TRUE(menu && bytes) << "language " << language;
    auto dialog = ParseDialogTemplateEx(bytes->data, bytes->size);
    ASSERT_TRUE(dialog.has_value()) << "language " << language;
    for (UINT id : shared_ids) {
      WCHAR text[256] = {0};
      GetMenuStringW(GetSubMenu(menu.get(), 0), id, text, 256, MF_BYCOMMAND);
      std::u16string menu_text(reinterpret_cast<const char16_t*>(text));
      bool found = false;
      for (const DialogItem& item : dialog->items) {
        if (item.id != id) continue;
        found = true;
        EXPECT_EQ(menu_text, item.title.name) << "language " << language << ", command " << id;
      }
      EXPECT_TRUE(found) << "language " << language << ", command " << id;
    }
  }
}

}  // namespace
}  // namespace restest

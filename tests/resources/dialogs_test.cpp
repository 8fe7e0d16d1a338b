// Dialog templates 101, 131, 132 and 133 in English (US) and Russian, read as the system
// reads them and created for real.
#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/handles.h"
#include "resources/resource.h"
#include "tests/resources/dialog_template.h"
#include "tests/resources/own_resources.h"

namespace restest {
namespace {

constexpr DWORD kLabelId = static_cast<DWORD>(IDC_STATIC);

// What one control of a template must be; a null class name means class_atom applies.
struct ControlSpec {
  DWORD id;
  WORD class_atom;
  const char16_t* class_name;
  DWORD required_style;  // bits that must be set
  DWORD style_mask;      // with style_value: bits compared as a whole (control types)
  DWORD style_value;
  bool visible;
  bool disabled;
  const char16_t* english_text;  // null: not fixed
};

constexpr DWORD kListViewStyle = LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS;
constexpr DWORD kTypeMask = 0x3;  // CBS_ type bits of a combo box
constexpr DWORD kNoMask = 0;

const std::vector<ControlSpec>& MainControls() {
  static const std::vector<ControlSpec> controls = {
      {IDC_PRODUCTS, kComboBoxAtom, nullptr, 0, kTypeMask, CBS_DROPDOWNLIST, true, false, nullptr},
      {IDC_PROFILES, 0, u"SysListView32", kListViewStyle, LVS_TYPEMASK, LVS_REPORT, true, false, nullptr},
      {IDC_APPLICATIONS, 0, u"SysListView32", kListViewStyle, LVS_TYPEMASK, LVS_REPORT, true, false, nullptr},
      {IDC_DESCRIPTION, kEditAtom, nullptr, ES_MULTILINE | ES_READONLY, kNoMask, 0, true, false, nullptr},
      {IDC_CURRENT_PROFILE, kStaticAtom, nullptr, 0, kNoMask, 0, true, false, nullptr},
      {IDC_SET_CURRENT, kButtonAtom, nullptr, 0, kNoMask, 0, true, true, u"Set &Current"},
      {IDC_ADD_PROFILE, kButtonAtom, nullptr, 0, kNoMask, 0, true, true, u"Add to &List..."},
      {IDC_DELETE_PROFILE, kButtonAtom, nullptr, 0, kNoMask, 0, true, true, u"&Delete"},
      {IDC_RENAME_PROFILE, kButtonAtom, nullptr, 0, kNoMask, 0, true, true, u"Re&name..."},
      {IDC_MOVE_UP, kButtonAtom, nullptr, 0, kNoMask, 0, true, true, u"Move &Up"},
      {IDC_MOVE_DOWN, kButtonAtom, nullptr, 0, kNoMask, 0, true, true, u"Move Do&wn"},
      {IDC_RESET_ORDER, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"Reset &Order"},
      {IDC_APPLY, kButtonAtom, nullptr, 0, kNoMask, 0, true, true, u"&Apply"},
      {IDC_HELP_BUTTON, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"&Help"},
      {IDOK, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"OK"},
      {IDCANCEL, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"Cancel"},
  };
  return controls;
}

const std::vector<ControlSpec>& AddProfileControls() {
  static const std::vector<ControlSpec> controls = {
      {IDC_SOURCE_PROFILE, kComboBoxAtom, nullptr, 0, kTypeMask, CBS_DROPDOWNLIST, true, false, nullptr},
      {IDC_PROFILE_NAME, kEditAtom, nullptr, 0, ES_MULTILINE, 0, true, false, nullptr},
      {IDC_PROFILE_DESCRIPTION, kEditAtom, nullptr, ES_MULTILINE | ES_WANTRETURN, kNoMask, 0, true, false,
       nullptr},
      {IDOK, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"OK"},
      {IDCANCEL, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"Cancel"},
  };
  return controls;
}

const std::vector<ControlSpec>& ChangeProfileControls() {
  static const std::vector<ControlSpec> controls = {
      {IDC_PROFILE_NAME, kEditAtom, nullptr, 0, ES_MULTILINE, 0, true, false, nullptr},
      {IDC_PROFILE_DESCRIPTION, kEditAtom, nullptr, ES_MULTILINE, kNoMask, 0, true, false, nullptr},
      {IDOK, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"OK"},
      {IDCANCEL, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"Cancel"},
  };
  return controls;
}

const std::vector<ControlSpec>& AboutControls() {
  static const std::vector<ControlSpec> controls = {
      {IDC_ABOUT_PRODUCT, kStaticAtom, nullptr, 0, kNoMask, 0, true, false, nullptr},
      {IDC_ABOUT_VERSION, kStaticAtom, nullptr, 0, kNoMask, 0, true, false, nullptr},
      {IDC_ABOUT_NOTICE, kStaticAtom, nullptr, 0, kNoMask, 0, true, false, nullptr},
      {IDC_ABOUT_WWW, kStaticAtom, nullptr, 0, SS_TYPEMASK, SS_LEFT, true, false, nullptr},
      {IDC_ABOUT_SUPPORT, kStaticAtom, nullptr, 0, SS_TYPEMASK, SS_LEFT, true, false, nullptr},
      {IDC_ABOUT_FRAME, 0, u"Static", 0, SS_TYPEMASK, SS_BLACKFRAME, true, false, nullptr},
      {IDC_ABOUT_FRAME_PLACEHOLDER, 0, u"Static", 0, kNoMask, 0, false, false, nullptr},
      {IDC_ABOUT_TEXT, kStaticAtom, nullptr, 0, kNoMask, 0, false, false, nullptr},
      {IDC_ABOUT_RICHEDIT, 0, u"RichEdit20A", 0, kNoMask, 0, false, false, nullptr},
      {IDOK, kButtonAtom, nullptr, 0, kNoMask, 0, true, false, u"OK"},
  };
  return controls;
}

struct DialogSpec {
  WORD id;
  const std::vector<ControlSpec>& (*controls)();
  const char16_t* english_caption;
  const char16_t* russian_caption;
  std::vector<const char16_t*> english_labels;  // static texts that must be present
};

const std::vector<DialogSpec>& Dialogs() {
  static const std::vector<DialogSpec> dialogs = {
      {IDD_MAIN, MainControls, u"Orvane for AutoCAD", u"Orvane for AutoCAD", {}},
      {IDD_ADD_PROFILE,
       AddProfileControls,
       u"Add profile",
       u"Добавить профиль",
       {u"Source profile:", u"Profile name:", u"Description:"}},
      {IDD_CHANGE_PROFILE,
       ChangeProfileControls,
       u"Change profile",
       u"Изменить профиль",
       {u"Profile name:", u"Description:"}},
      {IDD_ABOUT,
       AboutControls,
       u"About Orvane for AutoCAD",
       u"О программе Orvane for AutoCAD",
       {u"WWW site:", u"Technical support:"}},
  };
  return dialogs;
}

std::optional<DialogTemplate> LoadDialog(WORD id, WORD language) {
  auto bytes = FindOwnResource(RT_DIALOG, id, language);
  if (!bytes) return std::nullopt;
  return ParseDialogTemplateEx(bytes->data, bytes->size);
}

const DialogItem* FindItem(const DialogTemplate& dialog, DWORD id) {
  for (const DialogItem& item : dialog.items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

bool SameClass(const NameOrOrdinal& actual, const ControlSpec& expectedControl) {
  if (!expectedControl.class_name) return actual.is_ordinal && actual.ordinal == expectedControl.class_atom;
  if (actual.is_ordinal) return false;
  std::string expected = ToUtf8(expectedControl.class_name), found = ToUtf8(actual.name);
  return lstrcmpiA(expected.c_str(), found.c_str()) == 0;
}

std::string Describe(WORD dialog, WORD language, DWORD control = 0) {
  std::string text = "dialog " + std::to_string(dialog) + " language " + std::to_string(language);
  if (control) text += " control " + std::to_string(static_cast<int>(control));
  return text;
}

bool IsVisible(const DialogItem& item) { return (item.style & WS_VISIBLE) != 0; }

bool IsTextClass(const DialogItem& item) {
  return item.window_class.is_ordinal &&
         (item.window_class.ordinal == kButtonAtom || item.window_class.ordinal == kStaticAtom);
}

TEST(DialogTemplates, ExistInBothLanguagesWithTheShellFont) {
  for (const DialogSpec& expectedDialog : Dialogs()) {
    for (WORD language : kLanguages) {
      auto dialog = LoadDialog(expectedDialog.id, language);
      ASSERT_TRUE(dialog.has_value()) << Describe(expectedDialog.id, language);
      EXPECT_TRUE(dialog->has_font) << Describe(expectedDialog.id, language);
      EXPECT_EQ(ToUtf8(dialog->typeface), "MS Shell Dlg") << Describe(expectedDialog.id, language);
      EXPECT_EQ(dialog->point_size, 8) << Describe(expectedDialog.id, language);
      EXPECT_EQ(dialog->style & (WS_POPUP | WS_CAPTION | WS_SYSMENU),
                DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU))
          << Describe(expectedDialog.id, language);
      const char16_t* caption = language == kEnglish ? expectedDialog.english_caption : expectedDialog.russian_caption;
      EXPECT_EQ(dialog->title, std::u16string(caption)) << Describe(expectedDialog.id, language);
    }
  }
}

TEST(DialogTemplates, MainDialogCanBeMinimised) {
  for (WORD language : kLanguages) {
    auto dialog = LoadDialog(IDD_MAIN, language);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->style & WS_MINIMIZEBOX) << Describe(IDD_MAIN, language);
  }
}

TEST(DialogTemplates, HoldTheirControlsWithClassStyleAndState) {
  for (const DialogSpec& expectedDialog : Dialogs()) {
    for (WORD language : kLanguages) {
      auto dialog = LoadDialog(expectedDialog.id, language);
      ASSERT_TRUE(dialog.has_value()) << Describe(expectedDialog.id, language);
      const auto& controls = expectedDialog.controls();
      for (size_t row = 0; row < controls.size(); ++row) {
        const ControlSpec& control = controls[row];
        std::string where = Describe(expectedDialog.id, language, control.id) + " row " + std::to_string(row);
        const DialogItem* item = FindItem(*dialog, control.id);
        ASSERT_NE(item, nullptr) << where;
        EXPECT_TRUE(SameClass(item->window_class, control)) << where;
        EXPECT_EQ(item->style & control.required_style, control.required_style) << where;
        EXPECT_EQ(item->style & control.style_mask, control.style_value) << where;
        EXPECT_EQ(IsVisible(*item), control.visible) << where;
        EXPECT_EQ((item->style & WS_DISABLED) != 0, control.disabled) << where;
        EXPECT_TRUE(item->style & WS_CHILD) << where;
        if (language == kEnglish && control.english_text) {
          EXPECT_EQ(item->title.name, std::u16string(control.english_text)) << where;
        }
      }
    }
  }
}

TEST(DialogTemplates, EnglishLabelsArePresent) {
  for (const DialogSpec& expectedDialog : Dialogs()) {
    auto dialog = LoadDialog(expectedDialog.id, kEnglish);
    ASSERT_TRUE(dialog.has_value());
    for (const char16_t* label : expectedDialog.english_labels) {
      bool found = false;
      for (const DialogItem& item : dialog->items) {
        found |= item.id == kLabelId && item.window_class.ordinal == kStaticAtom && item.title.name == label;
      }
      EXPECT_TRUE(found) << Describe(expectedDialog.id, kEnglish) << " label " << ToUtf8(label);
    }
  }
}

TEST(DialogTemplates, ControlIdsAreUnique) {
  for (const DialogSpec& expectedDialog : Dialogs()) {
    for (WORD language : kLanguages) {
      auto dialog = LoadDialog(expectedDialog.id, language);
      ASSERT_TRUE(dialog.has_value());
      std::set<DWORD> seen;
      for (const DialogItem& item : dialog->items) {
        if (item.id == kLabelId) continue;
        EXPECT_TRUE(seen.insert(item.id).second) << Describe(expectedDialog.id, language, item.id) << " appears twice";
      }
    }
  }
}

TEST(DialogTemplates, VisibleControlsFitAndDoNotOverlap) {
  for (const DialogSpec& expectedDialog : Dialogs()) {
    auto dialog = LoadDialog(expectedDialog.id, kEnglish);
    ASSERT_TRUE(dialog.has_value());
    std::vector<RECT> placed;
    std::vector<DWORD> ids;
    for (const DialogItem& item : dialog->items) {
      if (!IsVisible(item)) continue;
      // A combo box's height is its dropped-down list; its closed field is one text line.
      bool combo = item.window_class.is_ordinal && item.window_class.ordinal == kComboBoxAtom;
      RECT r = {item.x, item.y, item.x + item.cx, item.y + (combo ? 12 : item.cy)};
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= dialog->cx && r.bottom <= dialog->cy)
          << Describe(expectedDialog.id, kEnglish, item.id) << " lies outside the dialog";
      for (size_t i = 0; i < placed.size(); ++i) {
        RECT common;
        EXPECT_FALSE(IntersectRect(&common, &placed[i], &r))
            << Describe(expectedDialog.id, kEnglish, item.id) << " overlaps control " << static_cast<int>(ids[i]);
      }
      placed.push_back(r);
      ids.push_back(item.id);
    }
  }
}

TEST(DialogTemplates, RussianHasTheEnglishLayoutWithTranslatedTexts) {
  for (const DialogSpec& expectedDialog : Dialogs()) {
    auto english = LoadDialog(expectedDialog.id, kEnglish);
    auto russian = LoadDialog(expectedDialog.id, kRussian);
    ASSERT_TRUE(english.has_value() && russian.has_value()) << Describe(expectedDialog.id, kRussian);
    EXPECT_EQ(russian->style, english->style) << Describe(expectedDialog.id, kRussian);
    EXPECT_EQ(russian->cx, english->cx) << Describe(expectedDialog.id, kRussian);
    EXPECT_EQ(russian->cy, english->cy) << Describe(expectedDialog.id, kRussian);
    ASSERT_EQ(russian->items.size(), english->items.size()) << Describe(expectedDialog.id, kRussian);
    for (size_t i = 0; i < english->items.size(); ++i) {
      const DialogItem& en = english->items[i];
      const DialogItem& ru = russian->items[i];
      std::string where = Describe(expectedDialog.id, kRussian, en.id) + " item " + std::to_string(i);
      EXPECT_EQ(ru.id, en.id) << where;
      EXPECT_EQ(ru.style, en.style) << where;
      EXPECT_EQ(ru.window_class.ordinal, en.window_class.ordinal) << where;
      EXPECT_EQ(ru.window_class.name, en.window_class.name) << where;
      EXPECT_TRUE(ru.x == en.x && ru.y == en.y && ru.cx == en.cx && ru.cy == en.cy) << where;
      // Texts other than the product name are translated.
      bool product_name = en.title.name.find(u"Orvane") != std::u16string::npos;
      if (IsTextClass(en) && !en.title.name.empty() && !product_name) {
        EXPECT_NE(ru.title.name, en.title.name) << where << " is not translated";
      }
    }
  }
}

// The letter after '&' in each visible button and label, upper-cased.
std::vector<std::u16string> Mnemonics(const DialogTemplate& dialog) {
  std::vector<std::u16string> found;
  for (const DialogItem& item : dialog.items) {
    if (!IsVisible(item) || !IsTextClass(item) || (item.style & SS_NOPREFIX)) continue;
    const std::u16string& text = item.title.name;
    size_t amp = text.find(u'&');
    if (amp == std::u16string::npos || amp + 1 >= text.size() || text[amp + 1] == u'&') continue;
    WCHAR letter[2] = {static_cast<WCHAR>(text[amp + 1]), 0};
    CharUpperBuffW(letter, 1);
    found.push_back(std::u16string(1, static_cast<char16_t>(letter[0])));
  }
  return found;
}

TEST(DialogTemplates, AccessKeysAreUniqueInEveryLanguage) {
  for (const DialogSpec& expectedDialog : Dialogs()) {
    for (WORD language : kLanguages) {
      auto dialog = LoadDialog(expectedDialog.id, language);
      ASSERT_TRUE(dialog.has_value());
      std::map<std::u16string, int> counts;
      for (const auto& key : Mnemonics(*dialog)) ++counts[key];
      for (const auto& [key, count] : counts) {
        EXPECT_EQ(count, 1) << Describe(expectedDialog.id, language) << " access key " << ToUtf8(key);
      }
    }
  }
}

// Owner of a window made for the test.
struct WindowTraits {
  static HWND Invalid() { return nullptr; }
  static bool IsValid(HWND h) { return h != nullptr; }
  static void Close(HWND h) { DestroyWindow(h); }
};
using Window = fw::UniqueHandle<HWND, WindowTraits>;

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(DialogTemplates, EveryTemplateCreatesItsControls) {
  INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  fw::Module rich_edit(LoadLibraryA("riched20.dll"));
  ASSERT_TRUE(rich_edit) << "the About box needs the rich-edit classes";
  for (const DialogSpec& expectedDialog : Dialogs()) {
    for (WORD language : kLanguages) {
      auto bytes = FindOwnResource(RT_DIALOG, expectedDialog.id, language);
      ASSERT_TRUE(bytes.has_value()) << Describe(expectedDialog.id, language);
      Window dialog(CreateDialogIndirectParamW(GetModuleHandleA(nullptr),
                                               reinterpret_cast<LPCDLGTEMPLATEW>(bytes->data), nullptr,
                                               PassiveDialogProc, 0));
      ASSERT_TRUE(dialog) << Describe(expectedDialog.id, language) << " error " << GetLastError();
      for (const ControlSpec& control : expectedDialog.controls()) {
        HWND child = GetDlgItem(dialog.get(), static_cast<int>(control.id));
        ASSERT_NE(child, nullptr) << Describe(expectedDialog.id, language, control.id);
        EXPECT_EQ(IsWindowEnabled(child) != FALSE, !control.disabled)
            << Describe(expectedDialog.id, language, control.id);
      }
    }
  }
}

TEST(DialogTemplateReader, RefusesTruncatedAndPlainTemplates) {
  auto bytes = FindOwnResource(RT_DIALOG, IDD_ABOUT, kEnglish);
  ASSERT_TRUE(bytes.has_value());
  auto full = ParseDialogTemplateEx(bytes->data, bytes->size);
  ASSERT_TRUE(full.has_value());
  ASSERT_EQ(full->items.size(), AboutControls().size() + 2) << "two labels besides the listed controls";
  for (size_t size = 0; size < full->bytes_used; ++size) {
    EXPECT_FALSE(ParseDialogTemplateEx(bytes->data, size).has_value()) << "cut at " << size;
  }
  // A plain DLGTEMPLATE starts with its style, not with version 1 and the 0xFFFF signature.
  const uint8_t plain[] = {0xC0, 0x08, 0xC8, 0x80, 0, 0, 0, 0, 0, 0, 0, 0,
                           0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(ParseDialogTemplateEx(plain, sizeof(plain)).has_value());
}

}  // namespace
}  // namespace restest

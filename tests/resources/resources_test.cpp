// The program's resources as the system loads them from this module: the Russian resources and
// the German sample dictionary must cover the same dialogs, menu and strings as the English
// resources with only the texts translated.
#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/handles.h"
#include "resources/resource.h"
#include "tests/support/test_paths.h"
#include "translate/wld.h"

namespace {

const WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);
const WORD kLanguages[] = {kEnglish, kRussian};
const WORD kDialogs[] = {IDD_MAIN, IDD_ADD_PROFILE, IDD_CHANGE_PROFILE, IDD_ABOUT, IDD_RESTORE};

const void* OwnResource(LPCSTR type, WORD id, WORD language) {
  HMODULE self = ::GetModuleHandleA(nullptr);
  HRSRC found = ::FindResourceExA(self, type, MAKEINTRESOURCEA(id), language);
  return found ? ::LockResource(::LoadResource(self, found)) : nullptr;
}

// String id in language as stored; "?" when its block is missing.
std::wstring BlockString(UINT id, WORD language) {
  const WCHAR* p =
      static_cast<const WCHAR*>(OwnResource(RT_STRING, static_cast<WORD>(id / 16 + 1), language));
  if (!p) return L"?";
  for (UINT slot = 0; slot < id % 16; ++slot) p += 1 + *p;
  return std::wstring(p + 1, *p);
}

std::string Narrow(const std::wstring& text, UINT codePage = CP_UTF8) {
  std::string out(text.size() * 3 + 1, '\0');
  out.resize(::WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), &out[0],
                                   static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

// The printf conversions, line ends and tabs of a text in order: what a translation keeps.
std::string Structure(const std::string& text) {
  static const std::regex marks("%[-+ #0-9.lh]*[^-+ #0-9.lh]|[\r\n\t]");
  std::string found;
  for (std::sregex_iterator mark(text.begin(), text.end(), marks), end; mark != end; ++mark)
    found += mark->str();
  return found;
}

// The German sample dictionary holds a translation of english that keeps its structure.
void ExpectGerman(const std::wstring& english, const std::string& where) {
  static CWld german;
  german.Init((TestProgramFolder() + "Tarnwick.de.wld").c_str());
  const char* translation = german.Translate(Narrow(english, CP_ACP).c_str(), 1);
  ASSERT_NE(nullptr, translation) << where << ": no German for \"" << Narrow(english) << "\"";
  EXPECT_EQ(Structure(Narrow(english)), Structure(translation)) << where << ": " << translation;
}

// Every string of the English table.
TEST(StringTable, TranslationsKeepArgumentsLineEndsAndTrailingBlanks) {
  int strings = 0;
  for (UINT id = 0; id < 0x10000; ++id) {
    const std::wstring english = BlockString(id, kEnglish), russian = BlockString(id, kRussian);
    if (english.empty() || english == L"?") continue;
    ++strings;
    ASSERT_FALSE(russian.empty()) << "id " << id;
    EXPECT_EQ(Structure(Narrow(english)), Structure(Narrow(russian)))
        << "id " << id << ": " << Narrow(russian);
    EXPECT_EQ(english.back() == L' ', russian.back() == L' ') << "id " << id << ": " << Narrow(russian);
    if (id != IDS_APP_NAME) {
      EXPECT_NE(english, russian) << "id " << id << " is not translated";
    }
    ExpectGerman(english, "id " + std::to_string(id));
  }
  EXPECT_GT(strings, 20);
  // The usage lines start with the same option names (up to a tab) in both languages.
  std::wstring options[2];
  for (int l = 0; l < 2; ++l) {
    std::wistringstream lines(BlockString(IDS_USAGE, kLanguages[l]));
    for (std::wstring line; std::getline(lines, line);)
      if (line.find(L'\t') != std::wstring::npos) options[l] += line.substr(0, line.find(L'\t')) + L" ";
  }
  EXPECT_NE(L"", options[0]);
  EXPECT_EQ(options[0], options[1]);
}

// A dialog's caption and controls in creation order, or the profile menu's items. The dialogs and
// the menu come from one script shared by the languages: only their texts can differ.
struct Control {
  int id;
  std::wstring className, text;
  DWORD style;
};

Control Describe(HWND window, int id, const wchar_t* className) {
  WCHAR text[512] = L"";
  ::GetWindowTextW(window, text, 512);
  return {id, className, text, static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE))};
}

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::vector<Control> CreateAndList(WORD dialog, WORD language) {
  static const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  // The list views and the About box's rich-edit controls.
  static const bool ready = ::InitCommonControlsEx(&classes) && ::LoadLibraryA("riched20.dll");
  EXPECT_TRUE(ready);
  HWND window = ::CreateDialogIndirectParamW(
      ::GetModuleHandleW(nullptr), static_cast<LPCDLGTEMPLATEW>(OwnResource(RT_DIALOG, dialog, language)),
      nullptr, PassiveDialogProc, 0);
  EXPECT_NE(nullptr, window) << "dialog " << dialog << " language " << language << " error "
                             << ::GetLastError();
  if (!window) return {};
  std::vector<Control> controls = {Describe(window, IDC_STATIC, L"Caption")};
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    WCHAR className[64] = L"";
    ::GetClassNameW(child, className, 64);
    controls.push_back(Describe(child, ::GetDlgCtrlID(child), className));
  }
  ::DestroyWindow(window);
  return controls;
}

std::vector<Control> ListMenu(WORD language) {
  fw::Menu menu(::LoadMenuIndirectW(OwnResource(RT_MENU, IDR_PROFILE_MENU, language)));
  EXPECT_TRUE(menu) << "language " << language;
  std::vector<Control> items;
  HMENU popup = ::GetSubMenu(menu.get(), 0);
  for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
    WCHAR text[256] = L"";
    ::GetMenuStringW(popup, i, text, 256, MF_BYPOSITION);
    items.push_back({static_cast<int>(::GetMenuItemID(popup, i)), L"Menu", text, WS_VISIBLE});
  }
  return items;
}

bool IsTextControl(const Control& c) {
  return c.className == L"Button" || c.className == L"Static" || c.className == L"Caption" ||
         c.className == L"Menu";
}

// Ids (separators and labels aside) and access keys are unique in a dialog or menu.
void ExpectUniqueIdsAndKeys(const std::vector<Control>& controls, const std::string& dialog) {
  std::set<int> ids;
  std::set<WCHAR> keys;
  for (const Control& c : controls) {
    const std::string where = dialog + " control " + std::to_string(c.id);
    if (c.id > 0) {
      EXPECT_TRUE(ids.insert(c.id).second) << where << " appears twice";
    }
    const size_t amp = c.text.find(L'&');
    const bool noPrefix = c.className == L"Static" && (c.style & SS_NOPREFIX);
    if (!(c.style & WS_VISIBLE) || !IsTextControl(c) || noPrefix || amp == std::wstring::npos ||
        amp + 1 >= c.text.size())
      continue;
    WCHAR key[2] = {c.text[amp + 1], 0};
    ::CharUpperW(key);
    EXPECT_TRUE(keys.insert(key[0]).second) << where << " repeats access key " << Narrow(key);
  }
}

void ExpectTranslated(const std::vector<Control>& english, const std::vector<Control>& russian,
                      const std::string& name) {
  ExpectUniqueIdsAndKeys(english, "English " + name);
  ExpectUniqueIdsAndKeys(russian, "Russian " + name);
  ASSERT_GT(english.size(), 1u) << name;
  ASSERT_EQ(english.size(), russian.size()) << name;
  for (size_t i = 0; i < english.size(); ++i) {
    const std::string where = name + " control " + std::to_string(english[i].id);
    if (!IsTextControl(english[i]) || english[i].text.empty()) continue;
    ExpectGerman(english[i].text, where);
    if (english[i].text.find(L"Orvane") == std::wstring::npos) {
      EXPECT_NE(english[i].text, russian[i].text) << where << " is not translated";
    }
  }
}

TEST(DialogsAndMenu, EveryTextTranslatedAccessKeysUniqueInEachLanguage) {
  for (WORD dialog : kDialogs)
    ExpectTranslated(CreateAndList(dialog, kEnglish), CreateAndList(dialog, kRussian),
                     "dialog " + std::to_string(dialog));
  ExpectTranslated(ListMenu(kEnglish), ListMenu(kRussian), "profile menu");
}

TEST(Manifest, SelectsCommonControls6ForThisProcess) {
  // Wine's copy of version 6 reports 5 through DllGetVersion: the folder it came from tells.
  char path[MAX_PATH] = "";
  ASSERT_GT(::GetModuleFileNameA(::GetModuleHandleA("comctl32.dll"), path, MAX_PATH), 0u);
  std::string folder(path);
  ::CharLowerBuffA(&folder[0], static_cast<DWORD>(folder.size()));
  EXPECT_NE(std::string::npos, folder.find("x86_microsoft.windows.common-controls_6595b64144ccf1df_6."))
      << path;
}

}  // namespace

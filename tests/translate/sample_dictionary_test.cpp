// The German sample dictionary has a translation for every text of the program's own English
// resources, and keeps the format arguments of every string.
#include <gtest/gtest.h>
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "base/handles.h"
#include "resources/resource.h"
#include "translate/wld.h"
#include "translate_fixture.h"

namespace {

const WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::string Ansi(const WCHAR* text, int length) {
  if (length <= 0) return std::string();
  std::string ansi(length * 2, '\0');
  ansi.resize(::WideCharToMultiByte(CP_ACP, 0, text, length, &ansi[0], static_cast<int>(ansi.size()), nullptr,
                                    nullptr));
  return ansi;
}

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class SampleDictionary : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.reset(
        ::LoadLibraryExA((TestProgramFolder() + "Tarnwick.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(program_);
    dictionary_.Init((TestProgramFolder() + "Tarnwick.de.wld").c_str());
    ASSERT_TRUE(dictionary_.HasEntries());
  }

  const BYTE* Resource(LPCSTR type, UINT id, DWORD* size) {
    HRSRC found = ::FindResourceExA(program_.get(), type, MAKEINTRESOURCEA(id), kEnglish);
    if (!found) return nullptr;
    *size = ::SizeofResource(program_.get(), found);
    return static_cast<const BYTE*>(::LockResource(::LoadResource(program_.get(), found)));
  }

  // Every text of the string table, the profile menu and the four dialogs.
  std::vector<std::string> ProgramTexts() {
    std::vector<std::string> texts;
    std::vector<UINT> ids;
    for (UINT id = IDS_CURRENT_PROFILE; id <= IDS_REGDLL_NO_ENTRY; ++id) ids.push_back(id);
    for (UINT id = IDS_SUMMARY_DONE; id <= IDS_SITE_NOT_REGISTERED; ++id) ids.push_back(id);
    for (UINT id : ids) {
      DWORD size = 0;
      const WCHAR* block = reinterpret_cast<const WCHAR*>(Resource(RT_STRING, id / 16 + 1, &size));
      EXPECT_NE(nullptr, block) << "string " << id;
      if (!block) continue;
      for (UINT slot = 0; slot < id % 16; ++slot) block += 1 + *block;
      texts.push_back(Ansi(block + 1, *block));
    }
    DWORD size = 0;
    const BYTE* menuTemplate = Resource(RT_MENU, IDR_PROFILE_MENU, &size);
    EXPECT_NE(nullptr, menuTemplate);
    fw::Menu menu(menuTemplate ? ::LoadMenuIndirectA(menuTemplate) : nullptr);
    AddMenuTexts(menu.get(), &texts);
    // The dialogs' captions and the texts of their buttons and labels, as the system makes them.
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    fw::Module richEdit(::LoadLibraryA("riched20.dll"));
    for (UINT id : {IDD_MAIN, IDD_ADD_PROFILE, IDD_CHANGE_PROFILE, IDD_ABOUT}) {
      const BYTE* data = Resource(RT_DIALOG, id, &size);
      HWND dialog = data ? ::CreateDialogIndirectParamW(::GetModuleHandleA(nullptr),
                                                        reinterpret_cast<LPCDLGTEMPLATEW>(data), nullptr,
                                                        PassiveDialogProc, 0)
                         : nullptr;
      EXPECT_NE(nullptr, dialog) << "dialog " << id;
      if (!dialog) continue;
      texts.push_back(WindowText(dialog));
      for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = "";
        ::GetClassNameA(child, className, sizeof className);
        const std::string text = WindowText(child);
        if ((!lstrcmpiA(className, "Button") || !lstrcmpiA(className, "Static")) && !text.empty())
          texts.push_back(text);
      }
      ::DestroyWindow(dialog);
    }
    return texts;
  }

  static void AddMenuTexts(HMENU menu, std::vector<std::string>* texts) {
    for (int position = 0; menu && position < ::GetMenuItemCount(menu); ++position) {
      char text[256] = "";
      ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
      texts->push_back(text);
      AddMenuTexts(::GetSubMenu(menu, position), texts);
    }
  }

  fw::Module program_;
  CWld dictionary_;
};

// The printf conversions of a text, in order.
std::string Conversions(const std::string& text) {
  std::string found;
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '%') found += text[++i];
  return found;
}

TEST_F(SampleDictionary, TranslatesEveryProgramText) {
  const std::vector<std::string> texts = ProgramTexts();
  EXPECT_GT(texts.size(), 60u);
  std::set<std::string> checked;
  for (const std::string& text : texts) {
    if (text.empty() || !checked.insert(text).second) continue;
    const char* translation = dictionary_.Translate(text.c_str(), 1);
    EXPECT_NE(nullptr, translation) << "no translation of \"" << text << "\"";
    if (translation) {
      EXPECT_EQ(Conversions(text), Conversions(translation)) << "\"" << text << "\"";
    }
  }
}

}  // namespace

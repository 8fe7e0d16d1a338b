// The hook table in a module's import table: strings, menus, resources, dialogs and message
// boxes of hook_target.dll come out translated.
#include "translate/hook.h"

#include <gtest/gtest.h>

#include <string>

#include "base/handles.h"
#include "hook_target.h"
#include "tests/support/dialog_template.h"
#include "translate/hook_replacements.h"
#include "translate/supp.h"
#include "translate_fixture.h"

namespace {

class HookTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureTargetHooked(); }
};

TEST_F(HookTest, LoadStringALooksUpTheContextFirst) {
  const struct {
    HMODULE module;
    UINT id;
    int size;
    const char* text;
  } cases[] = {
      {Target_Module(), TARGET_STRING_CLOSE, 256, "Schliessen (Kontext)"},  // "hook_target.dll#3#7" + text
      {Target_Module(), TARGET_STRING_OPEN, 256, "Datei oeffnen"},          // plain entry only
      {Target_Module(), TARGET_STRING_MISSING, 256, "Not in the dictionary"},
      {Target_Module(), TARGET_STRING_EMPTY, 256, ""},
      {Target_Module(), TARGET_STRING_CLOSE, 9, "Schliess"},  // the translation cut to the buffer
      {Target_Module(), TARGET_STRING_OPEN, 5, "Open"},       // a source cut by the buffer is another text
      {::GetModuleHandleA("acadres.dll"), TARGET_STRING_OPEN, 256, "Open file"},  // an excluded module
  };
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    std::string buffer(cases[row].size + 1, '#');
    const int n = Target_LoadStringA(cases[row].module, cases[row].id, &buffer[0], cases[row].size);
    EXPECT_STREQ(cases[row].text, buffer.c_str()) << "row " << row;
    EXPECT_EQ(strlen(cases[row].text), static_cast<size_t>(n)) << "row " << row;
    EXPECT_EQ('#', buffer[cases[row].size]) << "row " << row << ": written past the buffer";
  }
  char buffer[64];
  EXPECT_EQ(5, _LoadStringNotTrans(Target_Module(), TARGET_STRING_CLOSE, buffer, sizeof buffer));
  EXPECT_STREQ("Close", buffer);
}

TEST_F(HookTest, LoadStringWAndTheSwitch) {
  const LPCSTR block = MAKEINTRESOURCEA(TARGET_STRING_OPEN / 16 + 1);
  for (int enable : {1, 0}) {
    ScopedTranslationSwitch state(enable);
    WCHAR wide[32];
    EXPECT_EQ(enable ? 13 : 9, Target_LoadStringW(Target_Module(), TARGET_STRING_OPEN, wide, 32));
    EXPECT_STREQ(enable ? L"Datei oeffnen" : L"Open file", wide);
    char narrow[32];
    Target_LoadStringA(Target_Module(), TARGET_STRING_CLOSE, narrow, sizeof narrow);
    EXPECT_STREQ(enable ? "Schliessen (Kontext)" : "Close", narrow);
    EXPECT_EQ(enable == 0, Target_FindResourceA(Target_Module(), block, RT_STRING) ==
                               ::FindResourceA(Target_Module(), block, RT_STRING))
        << "switched off, the system's handle";
  }
}

TEST_F(HookTest, MenusUnderTheMenuContextOrWithout) {
  HRSRC found = ::FindResourceA(Target_Module(), MAKEINTRESOURCEA(TARGET_MENU), RT_MENU);
  const fw::Menu menus[] = {fw::Menu(Target_LoadMenuA(Target_Module(), TARGET_MENU)),
                            fw::Menu(Target_LoadMenuIndirectA(::LockResource(::LoadResource(Target_Module(), found))))};
  const char* const exitTexts[] = {"&Beenden (Kontext)", "&Beenden"};
  for (int row = 0; row < 2; ++row) {
    ASSERT_TRUE(menus[row]) << "row " << row;
    EXPECT_EQ("&Datei", MenuText(menus[row].get(), 0)) << "row " << row;
    EXPECT_EQ("&Oeffnen", MenuText(::GetSubMenu(menus[row].get(), 0), 0)) << "row " << row;
    EXPECT_EQ(exitTexts[row], MenuText(::GetSubMenu(menus[row].get(), 0), 2)) << "row " << row;
  }
}

// The 16 counted strings of a string-table block.
std::wstring BlockString(const void* block, int index) {
  const WCHAR* p = static_cast<const WCHAR*>(block);
  for (int i = 0; i < index; ++i) p += 1 + *p;
  return std::wstring(p + 1, *p);
}

TEST_F(HookTest, StringBlockResourceComesBackAsATranslatedCopy) {
  const LPCSTR block = MAKEINTRESOURCEA(TARGET_STRING_OPEN / 16 + 1);
  HRSRC found = Target_FindResourceA(Target_Module(), block, RT_STRING);
  ASSERT_NE(nullptr, found);
  EXPECT_NE(::FindResourceA(Target_Module(), block, RT_STRING), found) << "a record stands in";
  EXPECT_EQ(found, Target_FindResourceA(Target_Module(), block, RT_STRING)) << "recorded once";
  HGLOBAL loaded = Target_LoadResource(Target_Module(), found);
  ASSERT_NE(nullptr, loaded);
  EXPECT_EQ(loaded, Target_LoadResource(Target_Module(), found)) << "the kept copy";
  const void* data = Target_LockResource(loaded);
  EXPECT_EQ(static_cast<const void*>(loaded), data);
  const int first = TARGET_STRING_OPEN % 16;
  const std::wstring texts[] = {L"Datei oeffnen", L"Schliessen (Kontext)", L"Nur schlicht", L"",
                                L"Not in the dictionary"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(texts[i], BlockString(data, first + i)) << "string " << first + i;
  size_t characters = 0;
  for (int i = 0; i < 16; ++i) characters += 1 + BlockString(data, i).size();
  EXPECT_EQ(2 * characters, Target_SizeofResource(Target_Module(), found));
  EXPECT_FALSE(Target_FreeResource(loaded));
  EXPECT_EQ(L"Datei oeffnen", BlockString(Target_LockResource(loaded), first)) << "the copy stays";
}

TEST_F(HookTest, MalformedResourcesComeBackAsTheyAre) {
  const struct {
    UINT id;
    LPCSTR type;
  } rows[] = {{TARGET_DIALOG_BROKEN, RT_DIALOG}, {TARGET_STRINGS_BROKEN, RT_STRING}};
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    HRSRC real = ::FindResourceA(Target_Module(), MAKEINTRESOURCEA(rows[row].id), rows[row].type);
    ASSERT_NE(nullptr, real) << "row " << row;
    HRSRC record = Target_FindResourceA(Target_Module(), MAKEINTRESOURCEA(rows[row].id), rows[row].type);
    EXPECT_NE(real, record) << "row " << row;
    const void* data = Target_LockResource(Target_LoadResource(Target_Module(), record));
    EXPECT_EQ(::LockResource(::LoadResource(Target_Module(), real)), data) << "row " << row << ": not translated";
    EXPECT_EQ(::SizeofResource(Target_Module(), real), Target_SizeofResource(Target_Module(), record))
        << "row " << row;
  }
}

// "caption|label|edit|button" of a dialog of hook_target.dll.
std::string ReadDialog(HWND dialog) {
  return WindowText(dialog) + "|" + WindowText(::GetDlgItem(dialog, TARGET_LABEL)) + "|" +
         WindowText(::GetDlgItem(dialog, TARGET_EDIT)) + "|" + WindowText(::GetDlgItem(dialog, IDOK));
}

std::string g_seen;

INT_PTR CALLBACK ReadAndClose(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  g_seen = ReadDialog(dialog);
  ::EndDialog(dialog, IDOK);
  return TRUE;
}

std::string ReadModeless(HWND dialog) {
  const std::string texts = dialog ? ReadDialog(dialog) : "(none)";
  ::DestroyWindow(dialog);
  return texts;
}

std::string ReadModal(INT_PTR result) { return result == IDOK ? g_seen : "(none)"; }

std::vector<BYTE> InMemoryDialog() {
  DialogSpec shape;
  shape.caption = L"Greeting";
  shape.items = {{0x0082, L"", L"Hello", 0, {}, 0, 0, 10, 10, TARGET_LABEL},
                 {0x0081, L"", L"Close", 0, {}, 0, 0, 10, 10, TARGET_EDIT},
                 {0x0080, L"", L"Close", 0, {}, 0, 0, 10, 10, IDOK}};
  return BuildTemplate(shape);
}

TEST_F(HookTest, DialogsFromResourcesAndFromMemory) {
  const std::vector<BYTE> bytes = InMemoryDialog();
  const DLGTEMPLATE* inMemory = reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
  const std::string seen[] = {
      ReadModeless(Target_CreateDialogParamA(Target_Module(), TARGET_DIALOG, nullptr, ModelessDialogProc)),
      ReadModal(Target_DialogBoxParamW(Target_Module(), TARGET_DIALOG_EX, nullptr, ReadAndClose)),
      ReadModeless(Target_CreateDialogIndirectParamA(inMemory, nullptr, ModelessDialogProc)),
      ReadModal(Target_DialogBoxIndirectParamA(inMemory, nullptr, ReadAndClose)),
  };
  for (size_t row = 0; row < sizeof seen / sizeof seen[0]; ++row)
    EXPECT_EQ("Gruss|Hallo|Close|Schliessen", seen[row]) << "row " << row << ": an edit control keeps its text";
  EXPECT_EQ(InMemoryDialog(), bytes) << "the caller's template stays";
}

TEST_F(HookTest, MessageBoxesAreTranslated) {
  MessageBoxCatcher catcher;
  EXPECT_EQ(IDOK, Target_MessageBoxA(nullptr, "Message", nullptr, MB_OK));
  EXPECT_EQ(IDOK, Target_MessageBoxA(nullptr, "Not in it", "Title", MB_OK));
  MSGBOXPARAMSA params = {};
  params.cbSize = sizeof params;
  params.hInstance = Target_Module();
  params.lpszText = MAKEINTRESOURCEA(TARGET_STRING_OPEN);  // a string resource of the instance
  params.lpszCaption = "Title";
  EXPECT_EQ(IDOK, Target_MessageBoxIndirectA(&params));
  params.lpszText = "Message";
  params.lpszCaption = nullptr;
  EXPECT_EQ(IDOK, Target_MessageBoxIndirectA(&params));
  EXPECT_STREQ("Message", params.lpszText) << "the caller's block keeps its own texts";
  EXPECT_EQ(nullptr, params.lpszCaption);
  // A box without caption shows the translation of "Error".
  std::string shown;
  for (const CaughtBox& box : catcher.boxes()) shown += box.caption + "|" + box.text + "\n";
  EXPECT_EQ("Fehler|Nachricht\nTitel|Not in it\nTitel|Datei oeffnen\nFehler|Nachricht\n", shown);
}

TEST_F(HookTest, SetUpHooksTheLoadedMfcModule) {
  HMODULE mfc = ::GetModuleHandleA("mfc42.dll");
  ASSERT_NE(nullptr, mfc);
  EXPECT_EQ(reinterpret_cast<void*>(&hooks::LoadStringA), *ImportEntry(mfc, "user32.dll", "LoadStringA"));
  EXPECT_EQ(reinterpret_cast<void*>(&hooks::FindResourceA), *ImportEntry(mfc, "kernel32.dll", "FindResourceA"));
}

// Installation and removal, on a module of its own.
void* SystemFunction(const char* dll, const char* function) {
  return reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(dll), function));
}

TEST(HookInstall, TableGoesInAndComesOut) {
  EnsureGlobalDictionary();
  fw::Module spare(::LoadLibraryA("hook_spare.dll"));
  ASSERT_TRUE(spare);
  const struct {
    const char* dll;
    const char* function;
    void* replacement;
  } rows[] = {
      {"user32.dll", "LoadStringA", reinterpret_cast<void*>(&hooks::LoadStringA)},
      {"user32.dll", "MessageBoxA", reinterpret_cast<void*>(&hooks::MessageBoxA)},
      {"user32.dll", "CreateDialogIndirectParamA", reinterpret_cast<void*>(&hooks::CreateDialogIndirectParamA)},
      {"kernel32.dll", "LoadResource", reinterpret_cast<void*>(&hooks::LoadResource)},
  };
  // What each row's import entry holds: "=" the system's function, "R" the replacement.
  auto entries = [&] {
    std::string held;
    for (const auto& row : rows) {
      void** entry = ImportEntry(spare.get(), row.dll, row.function);
      held += !entry ? "?" : *entry == SystemFunction(row.dll, row.function) ? "=" : *entry == row.replacement ? "R" : "x";
    }
    return held;
  };
  EXPECT_EQ("====", entries());
  EXPECT_EQ(1, _InitResTranslation(spare.get()));
  EXPECT_EQ("RRRR", entries());
  // One row back by name.
  EXPECT_EQ(SystemFunction("user32.dll", "MessageBoxA"), HookProc_UnInstall(spare.get(), "USER32.DLL", "MessageBoxA"));
  EXPECT_EQ("R=RR", entries());
  EXPECT_EQ(nullptr, HookProc_UnInstall(spare.get(), "USER32.DLL", "GetDC")) << "not a row of the table";
  EXPECT_EQ(1, _DeInitResTranslation(spare.get()));
  EXPECT_EQ("====", entries());
}

TEST(HookInstall, OneRowAndItsFailures) {
  fw::Module spare(::LoadLibraryA("hook_spare.dll"));
  ASSERT_TRUE(spare);
  int replacement = 0;  // never called: only compared
  // A function the module does not import: nothing changes, the real address comes back.
  EXPECT_EQ(SystemFunction("user32.dll", "GetDC"), HookProc_Install(spare.get(), "user32.dll", "GetDC", &replacement));
  EXPECT_EQ(nullptr, HookProc_Install(spare.get(), "nosuch.dll", "LoadStringA", &replacement));
  EXPECT_EQ(nullptr, HookProc_Install(spare.get(), "user32.dll", "NoSuchFunction", &replacement));
  std::vector<BYTE> foreign(4096, 0);  // "MZ" and nothing more
  foreign[0] = 'M';
  foreign[1] = 'Z';
  EXPECT_EQ(nullptr,
            HookProc_Install(reinterpret_cast<HMODULE>(foreign.data()), "user32.dll", "LoadStringA", &replacement));
  EXPECT_EQ(0, _InitResTranslation(nullptr));
  EXPECT_EQ(0, _DeInitResTranslation(nullptr));
  EXPECT_EQ(0, Supp_InitResTranslation(nullptr));
}

}  // namespace

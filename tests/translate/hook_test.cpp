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

  static std::string LoadA(HMODULE from, UINT id, int size = 256) {
    std::string buffer(size, '#');
    const int n = Target_LoadStringA(from, id, &buffer[0], size);
    EXPECT_EQ(static_cast<size_t>(n), strlen(buffer.c_str())) << "id " << id;
    return buffer.c_str();
  }
};

struct StringCase {
  UINT id;
  const char* text;
};

TEST_F(HookTest, LoadStringALooksUpTheContextFirst) {
  const StringCase cases[] = {
      {TARGET_STRING_CLOSE, "Schliessen (Kontext)"},  // "hook_target.dll#3#7" + text
      {TARGET_STRING_OPEN, "Datei oeffnen"},          // plain entry only
      {TARGET_STRING_MISSING, "Not in the dictionary"},
      {TARGET_STRING_EMPTY, ""},
  };
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row)
    EXPECT_EQ(cases[row].text, LoadA(Target_Module(), cases[row].id)) << "row " << row;
}

TEST_F(HookTest, LoadStringACutsTheTranslationToTheBuffer) {
  char buffer[12];
  memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(8, Target_LoadStringA(Target_Module(), TARGET_STRING_CLOSE, buffer, 9));
  EXPECT_STREQ("Schliess", buffer);
  EXPECT_EQ('#', buffer[9]);
  // A source cut by the buffer is another text, found or not as such.
  EXPECT_EQ(4, Target_LoadStringA(Target_Module(), TARGET_STRING_OPEN, buffer, 5));
  EXPECT_STREQ("Open", buffer);
}

TEST_F(HookTest, UntranslatedLoaderAndExcludedModules) {
  char buffer[64];
  EXPECT_EQ(5, _LoadStringNotTrans(Target_Module(), TARGET_STRING_CLOSE, buffer, sizeof buffer));
  EXPECT_STREQ("Close", buffer);
  HMODULE acadres = ::GetModuleHandleA("acadres.dll");
  ASSERT_NE(nullptr, acadres);
  EXPECT_EQ("Open file", LoadA(acadres, TARGET_STRING_OPEN));
  // acopm.arx is looked up again at each check, so loading it late still excludes it.
  fw::Module late(::LoadLibraryA("acopm.arx"));
  ASSERT_TRUE(late);
  EXPECT_EQ("Open file", LoadA(late.get(), TARGET_STRING_OPEN));
  EXPECT_EQ("Datei oeffnen", LoadA(Target_Module(), TARGET_STRING_OPEN));
}

TEST_F(HookTest, SwitchOffGivesTheResourceTexts) {
  ScopedTranslationSwitch off(0);
  EXPECT_EQ("Close", LoadA(Target_Module(), TARGET_STRING_CLOSE));
  WCHAR wide[32];
  EXPECT_EQ(9, Target_LoadStringW(Target_Module(), TARGET_STRING_OPEN, wide, 32));
  EXPECT_STREQ(L"Open file", wide);
  HRSRC found =
      Target_FindResourceA(Target_Module(), MAKEINTRESOURCEA(TARGET_STRING_OPEN / 16 + 1), RT_STRING);
  EXPECT_EQ(::FindResourceA(Target_Module(), MAKEINTRESOURCEA(TARGET_STRING_OPEN / 16 + 1), RT_STRING),
            found);
}

std::string MenuText(HMENU menu, UINT position) {
  char text[128] = "";
  ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(HookTest, LoadMenuATranslatesUnderTheMenuContext) {
  fw::Menu menu(Target_LoadMenuA(Target_Module(), TARGET_MENU));
  ASSERT_TRUE(menu);
  EXPECT_EQ("&Datei", MenuText(menu.get(), 0));
  HMENU popup = ::GetSubMenu(menu.get(), 0);
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ("&Oeffnen", MenuText(popup, 0));
  EXPECT_EQ(TARGET_MENU_OPEN, static_cast<int>(::GetMenuItemID(popup, 0)));
  EXPECT_TRUE(::GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ("&Beenden (Kontext)", MenuText(popup, 2));
  EXPECT_EQ(TARGET_MENU_EXIT, static_cast<int>(::GetMenuItemID(popup, 2)));
  EXPECT_TRUE(::GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED) << "grayed is kept";
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
  EXPECT_NE(nullptr, __GetHandlesList());
  HGLOBAL loaded = Target_LoadResource(Target_Module(), found);
  ASSERT_NE(nullptr, loaded);
  EXPECT_EQ(loaded, Target_LoadResource(Target_Module(), found)) << "the kept copy";
  const void* data = Target_LockResource(loaded);
  EXPECT_EQ(static_cast<const void*>(loaded), data);
  const int first = TARGET_STRING_OPEN % 16;
  EXPECT_EQ(L"Datei oeffnen", BlockString(data, first));
  EXPECT_EQ(L"Schliessen (Kontext)", BlockString(data, first + 1));
  EXPECT_EQ(L"Nur schlicht", BlockString(data, first + 2));
  EXPECT_EQ(L"", BlockString(data, first + 3));
  EXPECT_EQ(L"Not in the dictionary", BlockString(data, first + 4));
  size_t characters = 0;
  for (int i = 0; i < 16; ++i) characters += 1 + BlockString(data, i).size();
  EXPECT_EQ(2 * characters, Target_SizeofResource(Target_Module(), found));
  EXPECT_FALSE(Target_FreeResource(loaded));
  EXPECT_EQ(L"Datei oeffnen", BlockString(Target_LockResource(loaded), first)) << "the copy stays";
}

struct DialogTexts {
  std::string caption, label, edit, button;
};

DialogTexts ReadDialog(HWND dialog) {
  return {WindowText(dialog), WindowText(::GetDlgItem(dialog, TARGET_LABEL)),
          WindowText(::GetDlgItem(dialog, TARGET_EDIT)), WindowText(::GetDlgItem(dialog, IDOK))};
}

DialogTexts g_seen;

INT_PTR CALLBACK ReadAndClose(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  g_seen = ReadDialog(dialog);
  ::EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR CALLBACK Modeless(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void ExpectTranslated(const DialogTexts& texts, const char* what) {
  EXPECT_EQ("Gruss", texts.caption) << what;
  EXPECT_EQ("Hallo", texts.label) << what;
  EXPECT_EQ("Close", texts.edit) << what << ": an edit control keeps its text";
  EXPECT_EQ("Schliessen", texts.button) << what;
}

TEST_F(HookTest, DialogsFromResources) {
  HWND dialog = Target_CreateDialogParamA(Target_Module(), TARGET_DIALOG, nullptr, Modeless);
  ASSERT_NE(nullptr, dialog);
  ExpectTranslated(ReadDialog(dialog), "CreateDialogParamA");
  ::DestroyWindow(dialog);

  g_seen = DialogTexts();
  EXPECT_EQ(IDOK, Target_DialogBoxParamW(Target_Module(), TARGET_DIALOG_EX, nullptr, ReadAndClose));
  ExpectTranslated(g_seen, "DialogBoxParamW");
}

DialogSpec InMemoryDialog() {
  DialogSpec shape;
  shape.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  shape.caption = L"Greeting";
  TemplateItem label;
  label.classOrdinal = 0x0082;
  label.title = L"Hello";
  label.id = TARGET_LABEL;
  TemplateItem edit;
  edit.classOrdinal = 0x0081;
  edit.title = L"Close";
  edit.id = TARGET_EDIT;
  TemplateItem button;
  button.classOrdinal = 0x0080;
  button.title = L"Close";
  button.id = IDOK;
  shape.items = {label, edit, button};
  return shape;
}

TEST_F(HookTest, DialogsFromMemory) {
  const std::vector<BYTE> bytes = BuildTemplate(InMemoryDialog());
  const std::vector<BYTE> before = bytes;
  const DLGTEMPLATE* dialogTemplate = reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
  HWND dialog = Target_CreateDialogIndirectParamA(dialogTemplate, nullptr, Modeless);
  ASSERT_NE(nullptr, dialog);
  ExpectTranslated(ReadDialog(dialog), "CreateDialogIndirectParamA");
  ::DestroyWindow(dialog);
  g_seen = DialogTexts();
  EXPECT_EQ(IDOK, Target_DialogBoxIndirectParamA(dialogTemplate, nullptr, ReadAndClose));
  ExpectTranslated(g_seen, "DialogBoxIndirectParamA");
  EXPECT_EQ(before, bytes);
}

TEST_F(HookTest, MessageBoxesAreTranslated) {
  MessageBoxCatcher catcher;
  EXPECT_EQ(IDOK, Target_MessageBoxA(nullptr, "Message", nullptr, MB_OK));
  EXPECT_EQ(IDOK, Target_MessageBoxA(nullptr, "Not in it", "Title", MB_OK));
  ASSERT_EQ(2u, catcher.boxes().size());
  EXPECT_EQ("Fehler", catcher.boxes()[0].caption) << "a box without caption shows the translation of Error";
  EXPECT_EQ("Nachricht", catcher.boxes()[0].text);
  EXPECT_EQ("Titel", catcher.boxes()[1].caption);
  EXPECT_EQ("Not in it", catcher.boxes()[1].text);
}

TEST_F(HookTest, MessageBoxIndirectTakesResourceIdsAndLeavesTheBlock) {
  MessageBoxCatcher catcher;
  MSGBOXPARAMSA params = {};
  params.cbSize = sizeof params;
  params.hInstance = Target_Module();
  params.lpszText = MAKEINTRESOURCEA(TARGET_STRING_OPEN);
  params.lpszCaption = "Title";
  params.dwStyle = MB_OK;
  const MSGBOXPARAMSA before = params;
  EXPECT_EQ(IDOK, Target_MessageBoxIndirectA(&params));
  params.lpszText = "Message";
  params.lpszCaption = nullptr;
  EXPECT_EQ(IDOK, Target_MessageBoxIndirectA(&params));
  ASSERT_EQ(2u, catcher.boxes().size());
  EXPECT_EQ("Datei oeffnen", catcher.boxes()[0].text);
  EXPECT_EQ("Titel", catcher.boxes()[0].caption);
  EXPECT_EQ("Nachricht", catcher.boxes()[1].text);
  EXPECT_EQ("Fehler", catcher.boxes()[1].caption);
  EXPECT_EQ(before.hInstance, params.hInstance);
  EXPECT_STREQ("Message", params.lpszText) << "the caller's block keeps its own texts";
  EXPECT_EQ(nullptr, params.lpszCaption);
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
    EXPECT_EQ(::LockResource(::LoadResource(Target_Module(), real)), data)
        << "row " << row << ": not translated";
    EXPECT_EQ(::SizeofResource(Target_Module(), real), Target_SizeofResource(Target_Module(), record))
        << "row " << row;
  }
}

TEST_F(HookTest, SetUpHooksTheLoadedMfcModule) {
  HMODULE mfc = ::GetModuleHandleA("mfc42.dll");
  ASSERT_NE(nullptr, mfc);
  EXPECT_EQ(reinterpret_cast<void*>(&hooks::LoadStringA), *ImportEntry(mfc, "user32.dll", "LoadStringA"));
  EXPECT_EQ(reinterpret_cast<void*>(&hooks::FindResourceA),
            *ImportEntry(mfc, "kernel32.dll", "FindResourceA"));
}

// Installation and removal, on a module of its own.
void* SystemFunction(const char* dll, const char* function) {
  return reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(dll), function));
}

struct RowCase {
  const char* dll;
  const char* function;
  void* replacement;
};

TEST(HookInstall, TableGoesInAndComesOut) {
  EnsureGlobalDictionary();
  fw::Module spare(::LoadLibraryA("hook_spare.dll"));
  ASSERT_TRUE(spare);
  const RowCase rows[] = {
      {"user32.dll", "LoadStringA", reinterpret_cast<void*>(&hooks::LoadStringA)},
      {"user32.dll", "MessageBoxA", reinterpret_cast<void*>(&hooks::MessageBoxA)},
      {"user32.dll", "CreateDialogIndirectParamA",
       reinterpret_cast<void*>(&hooks::CreateDialogIndirectParamA)},
      {"kernel32.dll", "LoadResource", reinterpret_cast<void*>(&hooks::LoadResource)},
      {"kernel32.dll", "SizeofResource", reinterpret_cast<void*>(&hooks::SizeofResource)},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    void** entry = ImportEntry(spare.get(), rows[row].dll, rows[row].function);
    ASSERT_NE(nullptr, entry) << "row " << row;
    EXPECT_EQ(SystemFunction(rows[row].dll, rows[row].function), *entry) << "row " << row;
  }
  EXPECT_EQ(1, _InitResTranslation(spare.get()));
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].replacement, *ImportEntry(spare.get(), rows[row].dll, rows[row].function))
        << "row " << row;

  // One row back by name.
  EXPECT_EQ(SystemFunction("user32.dll", "MessageBoxA"),
            HookProc_UnInstall(spare.get(), "USER32.DLL", "MessageBoxA"));
  EXPECT_EQ(SystemFunction("user32.dll", "MessageBoxA"),
            *ImportEntry(spare.get(), "user32.dll", "MessageBoxA"));
  EXPECT_EQ(reinterpret_cast<void*>(&hooks::LoadStringA),
            *ImportEntry(spare.get(), "user32.dll", "LoadStringA"));
  EXPECT_EQ(nullptr, HookProc_UnInstall(spare.get(), "USER32.DLL", "GetDC")) << "not a row of the table";

  EXPECT_EQ(1, _DeInitResTranslation(spare.get()));
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(SystemFunction(rows[row].dll, rows[row].function),
              *ImportEntry(spare.get(), rows[row].dll, rows[row].function))
        << "row " << row;
}

TEST(HookInstall, OneRowAndItsFailures) {
  fw::Module spare(::LoadLibraryA("hook_spare.dll"));
  ASSERT_TRUE(spare);
  int replacement = 0;  // never called: only compared
  // A function the module does not import: nothing changes, the real address comes back.
  EXPECT_EQ(SystemFunction("user32.dll", "GetDC"),
            HookProc_Install(spare.get(), "user32.dll", "GetDC", &replacement));
  EXPECT_EQ(nullptr, HookProc_Install(spare.get(), "nosuch.dll", "LoadStringA", &replacement));
  EXPECT_EQ(nullptr, HookProc_Install(spare.get(), "user32.dll", "NoSuchFunction", &replacement));
  // Foreign headers.
  std::vector<BYTE> fake(4096, 0);
  fake[0] = 'M';
  fake[1] = 'Z';
  EXPECT_EQ(nullptr, HookProc_Install(reinterpret_cast<HMODULE>(fake.data()), "user32.dll", "LoadStringA",
                                      &replacement));
  EXPECT_EQ(0, _InitResTranslation(nullptr));
  EXPECT_EQ(0, _DeInitResTranslation(nullptr));
  EXPECT_EQ(0, Supp_InitResTranslation(nullptr));
}

}  // namespace

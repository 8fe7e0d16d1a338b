// The process-wide translation: the set-up, the hook table in a module's import table (strings,
// menus, resources, dialogs and message boxes of hook_target.dll come out translated when this
// program asks for them), the exported Supp_ functions and the names of the loaded modules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "hook_target.h"
#include "tests/support/dialog_template.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "translate/excluded_modules.h"
#include "translate/hook.h"
#include "translate/module_watch.h"
#include "translate/supp.h"

namespace {

// The system's own functions, past this program's hooked import table.
template <class F>
F System(const char* dll, const char* function) {
  return reinterpret_cast<F>(::GetProcAddress(::GetModuleHandleA(dll), function));
}
const auto SystemFindResource = System<decltype(&::FindResourceA)>("kernel32.dll", "FindResourceA");

// The string-table block that holds the test strings.
const LPCSTR kBlock = MAKEINTRESOURCEA(TARGET_STRING_OPEN / 16 + 1);

// The dictionary every test here shares.
const char kDictionary[] =
    "\"Open file\"\r\n\"Datei oeffnen\"\r\n"
    "\"hook_target.dll#3#7Close\"\r\n\"Schliessen (Kontext)\"\r\n"
    "\"Close\"\r\n\"Schliessen\"\r\n"
    "\"Hello\"\r\n\"Hallo\"\r\n"
    "\"Greeting\"\r\n\"Gruss\"\r\n"
    "\"&File\"\r\n\"&Datei\"\r\n"
    "\"&Open\"\r\n\"&Oeffnen\"\r\n"
    "\"hook_target.dll#2#200E&xit\"\r\n\"&Beenden (Kontext)\"\r\n"
    "\"E&xit\"\r\n\"&Beenden\"\r\n"
    "\"Error\"\r\n\"Fehler\"\r\n";

// The set-up as the program does it, once: with an excluded module loaded before the library
// starts (as AutoCAD's resource DLL would be) and an MFC module that the set-up hooks; then the
// hook table goes into this program's import table, so that the tests' calls are translated.
class Translation : public ::testing::Test {
 protected:
  void SetUp() override {
    static const fw::Module excluded(::LoadLibraryA("acadres.dll"));
    static const fw::Module mfc(::LoadLibraryA("mfc42.dll"));
    static const bool done = [] {
      EXPECT_TRUE(excluded && mfc);
      ScratchFolder folder;
      EXPECT_EQ(1, Supp_Init(folder.Write("global.wld", kDictionary).c_str()));
      EXPECT_EQ(1, Supp_InitResTranslation(::GetModuleHandleA(nullptr)));
      return true;
    }();
    (void)done;
  }
};

std::string WindowText(HWND window) {
  char text[1024] = "";
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string MenuText(HMENU menu, UINT position) {
  char text[128] = "";
  ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(Translation, LoadStringALooksUpTheContextFirst) {
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
    const int n = ::LoadStringA(cases[row].module, cases[row].id, &buffer[0], cases[row].size);
    EXPECT_STREQ(cases[row].text, buffer.c_str()) << "row " << row;
    EXPECT_EQ(strlen(cases[row].text), static_cast<size_t>(n)) << "row " << row;
    EXPECT_EQ('#', buffer[cases[row].size]) << "row " << row << ": written past the buffer";
  }
}

TEST_F(Translation, LoadStringWAndTheSwitch) {
  for (int enable : {0, 1}) {
    Supp_SetTranslationEnable(enable);
    WCHAR wide[32];
    EXPECT_EQ(enable ? 13 : 9, ::LoadStringW(Target_Module(), TARGET_STRING_OPEN, wide, 32));
    EXPECT_STREQ(enable ? L"Datei oeffnen" : L"Open file", wide);
    EXPECT_EQ(enable == 0, ::FindResourceA(Target_Module(), kBlock, RT_STRING) ==
                               SystemFindResource(Target_Module(), kBlock, RT_STRING))
        << "switched off, the system's handle";
  }
}

// "text=id/state" of each item of the menu's first pop-up, the state with C (checked), G (grayed)
// or S (separator; the system reports one grayed too), after the pop-up's own text.
std::string DescribeMenu(HMENU menu) {
  std::string items = MenuText(menu, 0) + ":";
  HMENU popup = ::GetSubMenu(menu, 0);
  for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
    const UINT state = ::GetMenuState(popup, i, MF_BYPOSITION);
    items += " " + MenuText(popup, i) + "=" + std::to_string(::GetMenuItemID(popup, i)) + "/" +
             (state & MF_CHECKED ? "C" : "") + (state & MF_GRAYED ? "G" : "") +
             (state & MF_SEPARATOR ? "S" : "");
  }
  return items;
}

// LoadMenuA looks up under the menu's context, LoadMenuIndirectA without.
TEST_F(Translation, MenusKeepTheirItems) {
  HRSRC found = ::FindResourceA(Target_Module(), MAKEINTRESOURCEA(TARGET_MENU), RT_MENU);
  const fw::Menu named(::LoadMenuA(Target_Module(), MAKEINTRESOURCEA(TARGET_MENU)));
  const fw::Menu indirect(::LoadMenuIndirectA(::LockResource(::LoadResource(Target_Module(), found))));
  EXPECT_EQ("&Datei: &Oeffnen=201/C =0/GS &Beenden (Kontext)=202/G", DescribeMenu(named.get()));
  EXPECT_EQ("&Datei: &Oeffnen=201/C =0/GS &Beenden=202/G", DescribeMenu(indirect.get()));
}

// The 16 counted strings of a string-table block.
std::wstring BlockString(const void* block, int index) {
  const WCHAR* p = static_cast<const WCHAR*>(block);
  for (int i = 0; i < index; ++i) p += 1 + *p;
  return std::wstring(p + 1, *p);
}

TEST_F(Translation, StringBlockResourceComesBackAsATranslatedCopy) {
  HRSRC found = ::FindResourceA(Target_Module(), kBlock, RT_STRING);
  ASSERT_NE(nullptr, found);
  EXPECT_NE(SystemFindResource(Target_Module(), kBlock, RT_STRING), found) << "a record stands in";
  EXPECT_EQ(found, ::FindResourceA(Target_Module(), kBlock, RT_STRING)) << "recorded once";
  HGLOBAL loaded = ::LoadResource(Target_Module(), found);
  ASSERT_NE(nullptr, loaded);
  EXPECT_EQ(loaded, ::LoadResource(Target_Module(), found)) << "the kept copy";
  const void* data = ::LockResource(loaded);
  const int first = TARGET_STRING_OPEN % 16;
  const std::wstring texts[] = {L"Datei oeffnen", L"Schliessen (Kontext)", L"Plain only", L"",
                                L"Not in the dictionary"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(texts[i], BlockString(data, first + i)) << "string " << first + i;
  EXPECT_EQ(2u * (16 + 64), ::SizeofResource(Target_Module(), found)) << "16 counts and 64 characters";
  EXPECT_FALSE(::FreeResource(loaded));
  EXPECT_EQ(L"Datei oeffnen", BlockString(::LockResource(loaded), first)) << "the copy stays";
}

TEST_F(Translation, MalformedResourcesComeBackAsTheyAre) {
  const struct {
    UINT id;
    LPCSTR type;
  } rows[] = {{TARGET_DIALOG_BROKEN, RT_DIALOG}, {TARGET_STRINGS_BROKEN, RT_STRING}};
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    HRSRC real = SystemFindResource(Target_Module(), MAKEINTRESOURCEA(rows[row].id), rows[row].type);
    ASSERT_NE(nullptr, real) << "row " << row;
    HRSRC record = ::FindResourceA(Target_Module(), MAKEINTRESOURCEA(rows[row].id), rows[row].type);
    const void* data = ::LockResource(::LoadResource(Target_Module(), record));
    EXPECT_EQ(System<decltype(&::LoadResource)>("kernel32.dll", "LoadResource")(Target_Module(), real), data)
        << "row " << row << ": not translated";
    EXPECT_EQ(System<decltype(&::SizeofResource)>("kernel32.dll", "SizeofResource")(Target_Module(), real),
              ::SizeofResource(Target_Module(), record))
        << "row " << row;
  }
}

std::string g_captions;  // of the dialogs opened, each followed by "|"

// Takes the caption and ends the dialog (a modeless one is destroyed by its caller).
INT_PTR CALLBACK ReadAndEnd(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  g_captions += WindowText(dialog) + "|";
  ::EndDialog(dialog, IDOK);
  return TRUE;
}

// The items of the dialogs follow the same walk as their captions (its own tests).
TEST_F(Translation, DialogsFromResourcesAndFromMemory) {
  DialogSpec shape;
  shape.caption = L"Greeting";
  const std::vector<BYTE> bytes = BuildTemplate(shape);
  const DLGTEMPLATE* inMemory = reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
  g_captions.clear();
  ::DestroyWindow(
      ::CreateDialogParamA(Target_Module(), MAKEINTRESOURCEA(TARGET_DIALOG), nullptr, ReadAndEnd, 0));
  EXPECT_EQ(IDOK,
            ::DialogBoxParamW(Target_Module(), MAKEINTRESOURCEW(TARGET_DIALOG_EX), nullptr, ReadAndEnd, 0));
  ::DestroyWindow(::CreateDialogIndirectParamA(Target_Module(), inMemory, nullptr, ReadAndEnd, 0));
  EXPECT_EQ(IDOK, ::DialogBoxIndirectParamA(Target_Module(), inMemory, nullptr, ReadAndEnd, 0));
  EXPECT_EQ("Gruss|Gruss|Gruss|Gruss|", g_captions);
}

std::string g_boxes;  // "caption|text" of each message box caught, one a line

// Reads each message box of this thread as it is activated and closes it with OK.
LRESULT CALLBACK CatchBox(int code, WPARAM wParam, LPARAM lParam) {
  HWND box = reinterpret_cast<HWND>(wParam);
  char className[32] = "";
  if (code == HCBT_ACTIVATE && ::GetClassNameA(box, className, sizeof className) &&
      !strcmp(className, "#32770")) {
    g_boxes += WindowText(box) + "|" + WindowText(::GetDlgItem(box, 0xFFFF)) + "\n";  // the text's static
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Translation, MessageBoxesAreTranslated) {
  g_boxes.clear();
  HHOOK catcher = ::SetWindowsHookExA(WH_CBT, CatchBox, nullptr, ::GetCurrentThreadId());
  ASSERT_NE(nullptr, catcher);
  EXPECT_EQ(IDOK, ::MessageBoxA(nullptr, "Hello", nullptr, MB_OK));
  EXPECT_EQ(IDOK, ::MessageBoxA(nullptr, "Not in it", "Greeting", MB_OK));
  MSGBOXPARAMSA params = {};
  params.cbSize = sizeof params;
  params.hInstance = Target_Module();
  params.lpszText = MAKEINTRESOURCEA(TARGET_STRING_OPEN);  // a string resource of the instance; no caption
  EXPECT_EQ(IDOK, ::MessageBoxIndirectA(&params));
  ::UnhookWindowsHookEx(catcher);
  // A box without caption shows the translation of "Error".
  EXPECT_EQ("Fehler|Hallo\nGruss|Not in it\nFehler|Datei oeffnen\n", g_boxes);
}

// For LoadStringA and FindResourceA called by module (a copy of hook_target.dll): "T" when the
// call translates, "=" when it gives what the system gives.
std::string Hooked(HMODULE module) {
  auto loadString =
      reinterpret_cast<decltype(&Target_LoadStringA)>(::GetProcAddress(module, "Target_LoadStringA"));
  auto findResource =
      reinterpret_cast<decltype(&Target_FindResourceA)>(::GetProcAddress(module, "Target_FindResourceA"));
  if (!loadString || !findResource) return "?";
  char text[32] = "";
  loadString(module, TARGET_STRING_OPEN, text, sizeof text);
  const bool systemHandle =
      findResource(module, kBlock, RT_STRING) == SystemFindResource(module, kBlock, RT_STRING);
  return std::string(strcmp(text, "Open file") ? "T" : "=") + (systemHandle ? "=" : "T");
}

// The set-up hooks a loaded MFC module; installation and removal on a module of its own.
TEST_F(Translation, HookTableGoesInAndComesOutAndOneRowFails) {
  EXPECT_EQ("TT", Hooked(::GetModuleHandleA("mfc42.dll")));
  fw::Module spare(::LoadLibraryA("hook_spare.dll"));
  ASSERT_TRUE(spare);
  EXPECT_EQ("==", Hooked(spare.get()));
  EXPECT_EQ(1, _InitResTranslation(spare.get()));
  EXPECT_EQ("TT", Hooked(spare.get()));
  // One row back by name.
  EXPECT_EQ(System<void*>("user32.dll", "LoadStringA"),
            HookProc_UnInstall(spare.get(), "USER32.DLL", "LoadStringA"));
  EXPECT_EQ("=T", Hooked(spare.get()));
  EXPECT_EQ(nullptr, HookProc_UnInstall(spare.get(), "USER32.DLL", "GetDC")) << "not a row of the table";
  EXPECT_EQ(1, _DeInitResTranslation(spare.get()));
  EXPECT_EQ("==", Hooked(spare.get()));

  // One row and its failures.
  int replacement = 0;  // never called: only compared
  // A function the module does not import: nothing changes, the real address comes back.
  EXPECT_EQ(System<void*>("user32.dll", "GetDC"),
            HookProc_Install(spare.get(), "user32.dll", "GetDC", &replacement));
  EXPECT_EQ(nullptr, HookProc_Install(spare.get(), "user32.dll", "NoSuchFunction", &replacement));
  std::string foreign = "MZ" + std::string(4094, '\0');  // "MZ" and nothing more
  EXPECT_EQ(nullptr, HookProc_Install(reinterpret_cast<HMODULE>(&foreign[0]), "user32.dll", "LoadStringA",
                                      &replacement));
  EXPECT_EQ(0, _InitResTranslation(nullptr));
  EXPECT_EQ(0, _DeInitResTranslation(nullptr));
}

// The caption, the static and button children but no edit; every child gets the dictionary font.
TEST_F(Translation, SuppTranslateWindowCaptionStaticsButtonsAndFonts) {
  HWND frame = ::CreateWindowExA(0, "STATIC", "Greeting", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                 nullptr);
  ASSERT_NE(nullptr, frame);
  std::vector<HWND> children;
  for (const char* className : {"Static", "BUTTON", "Edit"})
    children.push_back(::CreateWindowExA(0, className, className[0] == 'S' ? "Hello" : "Close", WS_CHILD, 0,
                                         0, 50, 20, frame, nullptr, nullptr, nullptr));
  EXPECT_EQ(1, Supp_Translate(frame));
  std::string texts = WindowText(frame);
  for (HWND child : children) {
    texts += "|" + WindowText(child);
    EXPECT_EQ(reinterpret_cast<LRESULT>(Supp_GetFont()), ::SendMessageA(child, WM_GETFONT, 0, 0));
  }
  EXPECT_EQ("Gruss|Hallo|Schliessen|Close", texts);
  ::DestroyWindow(frame);
}

TEST_F(Translation, ModuleNamesFollowModulesThatComeAndGo) {
  ASSERT_TRUE(IsWatchingModuleLoads());
  EXPECT_STREQ("test_translate.exe", ModuleBaseName(nullptr));
  // A copy of a module under another name is given the same address once the first is gone:
  // its cached name must not outlive it.
  ScratchFolder folder;
  const std::string copy = folder / "hook_copy.dll";
  ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "hook_spare.dll").c_str(), copy.c_str(), FALSE));
  HMODULE first = nullptr;
  {
    fw::Module spare(::LoadLibraryA("hook_spare.dll"));
    ASSERT_TRUE(spare);
    first = spare.get();
    EXPECT_STREQ("hook_spare.dll", ModuleBaseName(spare.get()));
  }
  fw::Module renamed(::LoadLibraryA(copy.c_str()));
  ASSERT_TRUE(renamed);
  EXPECT_EQ(first, renamed.get()) << "the copy went elsewhere: the check below proves less";
  EXPECT_STREQ("hook_copy.dll", ModuleBaseName(renamed.get()));

  fw::Module late(::LoadLibraryA("acopm.arx"));
  ASSERT_TRUE(late);
  EXPECT_TRUE(IsExcludedModule(late.get()));
  EXPECT_FALSE(IsExcludedModule(renamed.get()));
}

}  // namespace

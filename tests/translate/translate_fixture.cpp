#include "translate_fixture.h"

#include <gtest/gtest.h>

#include "../e2e/program_driver.h"
#include "base/handles.h"
#include "hook_target.h"
#include "tests/support/scratch_folder.h"
#include "translate/supp.h"

const char kGlobalDictionary[] =
    "; the dictionary every hook test shares\r\n"
    "\"Open file\"\r\n\"Datei oeffnen\"\r\n"
    "\"hook_target.dll#3#7Close\"\r\n\"Schliessen (Kontext)\"\r\n"
    "\"Close\"\r\n\"Schliessen\"\r\n"
    "\"Plain only\"\r\n\"Nur schlicht\"\r\n"
    "\"Hello\"\r\n\"Hallo\"\r\n"
    "\"Greeting\"\r\n\"Gruss\"\r\n"
    "\"&File\"\r\n\"&Datei\"\r\n"
    "\"&Open\"\r\n\"&Oeffnen\"\r\n"
    "\"hook_target.dll#2#200E&xit\"\r\n\"&Beenden (Kontext)\"\r\n"
    "\"E&xit\"\r\n\"&Beenden\"\r\n"
    "\"Error\"\r\n\"Fehler\"\r\n"
    "\"Message\"\r\n\"Nachricht\"\r\n"
    "\"Title\"\r\n\"Titel\"\r\n";

const char kGlobalLayouts[] =
    "; the layouts that go with it\r\n"
    "[\\hook_target.dll\\Dialogs\\#302]\r\n"
    "Dialog Size=z20,0\r\n"
    "0=t0,0,10,0\r\n"
    "1=t10,0,10,0\r\n";

void EnsureGlobalDictionary() {
  // An excluded module loaded before the library starts, as AutoCAD's resource DLL would be,
  // and an MFC module that the set-up hooks.
  static const fw::Module excluded(::LoadLibraryA("acadres.dll"));
  EXPECT_TRUE(static_cast<bool>(excluded));
  static const fw::Module mfc(::LoadLibraryA("mfc42.dll"));
  EXPECT_TRUE(static_cast<bool>(mfc));
  static const bool loaded = [] {
    ScratchFolder folder;
    folder.Write("global.dlg", kGlobalLayouts);
    const std::string path = folder.Write("global.wld", kGlobalDictionary);
    EXPECT_EQ(1, Supp_Init(path.c_str()));
    return true;
  }();
  (void)loaded;
}

void EnsureTargetHooked() {
  EnsureGlobalDictionary();
  static const bool hooked = [] {
    EXPECT_EQ(1, Supp_InitResTranslation(Target_Module()));
    return true;
  }();
  (void)hooked;
}

ScopedTranslationSwitch::ScopedTranslationSwitch(int enable) : previous_(Supp_IsTranslationEnable()) {
  Supp_SetTranslationEnable(enable);
}

ScopedTranslationSwitch::~ScopedTranslationSwitch() { Supp_SetTranslationEnable(previous_); }

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

INT_PTR CALLBACK ModelessDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

namespace {

std::vector<CaughtBox> g_caught;

LRESULT CALLBACK CatchBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char className[32] = "";
    ::GetClassNameA(box, className, sizeof className);
    if (strcmp(className, "#32770") == 0) {
      g_caught.push_back({WindowText(box), MessageBoxText(box)});
      ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher() {
  g_caught.clear();
  hook_ = ::SetWindowsHookExA(WH_CBT, CatchBox, nullptr, ::GetCurrentThreadId());
  EXPECT_NE(nullptr, hook_);
}

MessageBoxCatcher::~MessageBoxCatcher() {
  if (hook_) ::UnhookWindowsHookEx(hook_);
}

const std::vector<CaughtBox>& MessageBoxCatcher::boxes() const { return g_caught; }

void** ImportEntry(HMODULE module, const char* dll, const char* function) {
  BYTE* base = reinterpret_cast<BYTE*>(module);
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const IMAGE_NT_HEADERS32* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return nullptr;
  for (auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       descriptor->Name; ++descriptor) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<const IMAGE_THUNK_DATA32*>(base + descriptor->OriginalFirstThunk);
    auto* entries = reinterpret_cast<void**>(base + descriptor->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++entries) {
      if (IMAGE_SNAP_BY_ORDINAL32(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) return entries;
    }
  }
  return nullptr;
}

// Tarnwick.exe as a whole, with the German sample dictionary and its layouts beside it: its main
// dialog shows the translations.
#include <gtest/gtest.h>

#include <string>

#include "../e2e/program_driver.h"
#include "resources/resource.h"
#include "tests/support/test_paths.h"

namespace {

const char kGermanTitle[] = "Orvane f\xFCr AutoCAD";

std::string WindowText(HWND window) {
  char text[256] = "";
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

int WidthOf(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

TEST(ProgramTranslation, GermanMainDialog) {
  ProgramFolder folder;
  for (const char* extension : {".wld", ".dlg"})
    ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "Tarnwick.de" + extension).c_str(),
                            (folder.Bin() + "Tarnwick" + extension).c_str(), FALSE))
        << extension;

  fw::Handle process = folder.Start("");
  ASSERT_TRUE(process);
  struct EndOnExit {  // a program that a failed check left running
    HANDLE process;
    ~EndOnExit() { ::TerminateProcess(process, 99); }
  } end{process.get()};
  HWND dialog = nullptr;
  for (int waited = 0; waited < 30000 && !dialog; waited += 50) {
    ::Sleep(50);
    HWND found = ::FindWindowA("#32770", kGermanTitle);
    DWORD owner = 0;
    if (found) ::GetWindowThreadProcessId(found, &owner);
    if (owner == ::GetProcessId(process.get())) dialog = found;
  }
  ASSERT_NE(nullptr, dialog) << "no German main dialog";
  ::Sleep(500);  // the dialog fills its controls after it shows
  const std::string texts = WindowText(::GetDlgItem(dialog, IDC_SET_CURRENT)) + "|" +
                            WindowText(::GetDlgItem(dialog, IDC_CURRENT_PROFILE));
  const int widthRatio =  // Set current against Help, in percent
      100 * WidthOf(::GetDlgItem(dialog, IDC_SET_CURRENT)) / WidthOf(::GetDlgItem(dialog, IDC_HELP_BUTTON));
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.get(), 30000)) << "Cancel ends the program";
  EXPECT_EQ("Als a&ktuell festlegen|Aktuelles Profil:", texts)
      << "a dialog resource, and a string resource with its (empty) argument";
  // The layout: Set current is 24 units wider than in English (76), twice the width of Help (50).
  EXPECT_NEAR(200, widthRatio, 4);
}

}  // namespace

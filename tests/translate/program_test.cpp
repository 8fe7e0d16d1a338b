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

  std::string texts;
  int widthRatio = 0;  // Set current against Help, in percent
  const ProgramRun run = folder.Run("", 30000, [&](const ShownBox& box) {
    HWND dialog = ::FindWindowA("#32770", kGermanTitle);
    if (!dialog || box.Title != kGermanTitle || !texts.empty()) return IDCANCEL;
    ::Sleep(500);  // the dialog fills its lists after it shows
    for (int id : {IDC_RESET_ORDER, IDC_SET_CURRENT, IDCANCEL, IDC_APPLY, IDC_CURRENT_PROFILE})
      texts += WindowText(::GetDlgItem(dialog, id)) + "|";
    texts += WindowText(::GetWindow(::GetDlgItem(dialog, IDC_PRODUCTS), GW_HWNDPREV));
    widthRatio =
        100 * WidthOf(::GetDlgItem(dialog, IDC_SET_CURRENT)) / WidthOf(::GetDlgItem(dialog, IDC_HELP_BUTTON));
    return IDCANCEL;
  });
  EXPECT_FALSE(run.TimedOut);
  EXPECT_EQ(0u, run.ExitCode);
  EXPECT_EQ(
      "&Reihenfolge zur\xFC"
      "cksetzen|Als a&ktuell festlegen|Abbrechen|\xDC&"
      "bernehmen|Aktuelles Profil:|AutoCAD-&Produkt:",
      texts)
      << "a dialog resource, and a string resource with its (empty) argument";
  // The layout: Set current is 24 units wider than in English (76), twice the width of Help (50).
  EXPECT_NEAR(200, widthRatio, 4);
}

}  // namespace

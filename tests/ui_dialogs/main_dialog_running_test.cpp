// The main dialog with the product's AutoCAD running: the status line says so, and an Apply that
// changes that product asks first; once AutoCAD has ended, nothing is asked.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/language.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/support/running_standin.h"
#include "tests/ui_dialogs/dialog_driver.h"
#include "tests/ui_dialogs/dialog_fixture.h"
#include "ui/main_dialog.h"

namespace {

std::string StatusLine(HWND dialog) {
  char text[512] = "";
  ::GetDlgItemTextA(dialog, IDC_CURRENT_PROFILE, text, sizeof text);
  return text;
}

std::string TempFolder() {
  char temp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, temp);
  return temp;
}

class MainDialogRunningTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    SeedWorld();
    // AutoCAD 2005's program is the stand-in beside the test.
    std::string folder = RunningStandIn::ProgramFolder();
    folder.pop_back();
    SetString(HKEY_LOCAL_MACHINE, world::ProductKey(world::kAcadId), "Location", folder);
  }
  fwtest::MessageBoxScript boxes_;
};

TEST_F(MainDialogRunningTest, ShowsTheRunningProductAndAsksBeforeApplyingToIt) {
  RunningStandIn standIn(TempFolder());
  ASSERT_TRUE(standIn.Started());
  const std::string current = world::ProfilesKey(world::kAcadId);
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     EXPECT_EQ("Current profile: Default    AutoCAD 2005 (running)", StatusLine(hwnd));
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     fwtest::Click(hwnd, IDC_SET_CURRENT);
                     boxes_.Answer(IDNO);
                     fwtest::Click(hwnd, IDC_APPLY);
                     EXPECT_EQ("Default", StringValue(current, ""));
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY)) << "the edit is still pending";
                     boxes_.Answer(IDYES);
                     fwtest::Click(hwnd, IDC_APPLY);
                     EXPECT_EQ("Home", StringValue(current, ""));

                     // The LT product is not running: its edits go without a question.
                     drive::ChooseProduct(hwnd, 1);
                     EXPECT_EQ("Current profile: Drafting", StatusLine(hwnd));
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     fwtest::Click(hwnd, IDC_SET_CURRENT);
                     fwtest::Click(hwnd, IDC_APPLY);
                     EXPECT_EQ("Plot", StringValue(world::ProfilesKey(world::kLtId), ""));

                     ASSERT_TRUE(standIn.End());
                     drive::ChooseProduct(hwnd, 0);
                     EXPECT_EQ("Current profile: Home", StatusLine(hwnd));
                     drive::Select(hwnd, IDC_PROFILES, 2);
                     fwtest::Click(hwnd, IDC_SET_CURRENT);
                     fwtest::Click(hwnd, IDC_APPLY);
                     EXPECT_EQ("Work", StringValue(current, ""));
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  const std::string question =
      "AutoCAD 2005 is running. AutoCAD writes its profiles back when it exits and can undo these "
      "changes.\r\nDo you want to apply the changes now?|" +
      std::to_string(MB_YESNO | MB_ICONWARNING);
  ASSERT_EQ(2u, boxes_.shown().size());
  for (const auto& box : boxes_.shown()) EXPECT_EQ(question, box.text + "|" + std::to_string(box.flags));
}

}  // namespace

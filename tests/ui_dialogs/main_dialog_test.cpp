// The main dialog opening on the seeded registry, choosing products and profiles, and the
// application list: check marks and load order.
#include "ui/main_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/regdll_bridge.h"
#include "framework/combobox.h"
#include "framework/language.h"
#include "framework/listview.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/ui_dialogs/dialog_driver.h"
#include "tests/ui_dialogs/dialog_fixture.h"

namespace {

using Names = std::vector<std::string>;

class MainDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    SeedWorld();
  }
  fwtest::MessageBoxScript boxes_;
};

TEST_F(MainDialogTest, WithoutTheRegistrationLibraryLinksAreReadOnlyAndProfilesStillChange) {
  const std::string nowhere = ProgramFolder() + "no-regdll\\";
  RegistrationLibrary missing(nowhere + "deeper\\");
  CPManDlg dialog;
  dialog.SetRegistrationLibrary(missing);
  boxes_.Answer(IDOK);
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     EXPECT_EQ(1u, boxes_.shown().size()) << "shown as the dialog opens";
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLICATIONS));
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_RESET_ORDER));
                     boxes_.Answer(IDYES);
                     fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                     fwtest::Click(hwnd, IDOK);
                   }});
  ASSERT_EQ(2u, boxes_.shown().size());
  EXPECT_EQ("Application links cannot be changed because the registration library was not found.\r\n"
            "It was looked for as:\r\n" +
                nowhere + "deeper\\QvApmReg.dll\r\n" + nowhere + "QvApmReg.dll",
            boxes_.shown()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes_.shown()[0].flags);
  EXPECT_EQ((Names{"Default", "Work"}), Subkeys(world::ProfilesKey(world::kAcadId)));
}

TEST_F(MainDialogTest, OpensOnTheStoredProductElseOnTheFirst) {
  const std::string settings = "Software\\Brevent Software\\Tarnwick\\1.0";
  struct Row {
    const char* what;
    std::function<void()> seed;
    int entry;
    Names profiles;
  };
  const Names acad = {"Default", "Home", "Work"};
  const Names lt = {"Drafting", "Plot"};
  const Row rows[] = {
      {"no setting", [] {}, 0, acad},
      {"the LT product", [] { SeedCurAcad("AutoCAD LT 2005"); }, 1, lt},
      {"other letter case", [] { SeedCurAcad("autocad lt 2005"); }, 0, acad},
      {"no such product", [] { SeedCurAcad("AutoCAD 2099"); }, 0, acad},
      {"empty", [] { SeedCurAcad(""); }, 0, acad},
      {"too long for its buffer", [] { SeedCurAcad(std::string(400, 'A')); }, 0, acad},
      {"a number", [&] { SetDword(HKEY_CURRENT_USER, settings, "CurAcad", 1); }, 0, acad},
      // Types are not compared: the bytes are the name, terminated or not.
      {"bytes without a terminator",
       [&] { SetRaw(HKEY_CURRENT_USER, settings, "CurAcad", REG_BINARY, "AutoCAD LT 2005"); }, 1, lt},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    SCOPED_TRACE(std::string("row ") + std::to_string(row) + ": " + rows[row].what);
    rows[row].seed();
    CPManDlg dialog;
    int entry = -2;
    Names products, profiles;
    fwtest::RunModal(dialog, {[&](HWND hwnd) {
                       fw::ComboBox combo(hwnd, IDC_PRODUCTS);
                       entry = combo.GetCurSel();
                       for (int i = 0; i < combo.GetCount(); ++i) products.push_back(combo.GetItemText(i));
                       profiles = drive::Items(hwnd, IDC_PROFILES);
                       fwtest::Click(hwnd, IDCANCEL);
                     }});
    EXPECT_EQ(rows[row].entry, entry);
    EXPECT_EQ((Names{"AutoCAD 2005", "AutoCAD LT 2005"}), products);
    EXPECT_EQ(rows[row].profiles, profiles);
  }
}

TEST_F(MainDialogTest, OpeningShowsTheCurrentProfileWithItsApplications) {
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     EXPECT_EQ("Orvane for AutoCAD", fw::WindowRef(hwnd).GetText());
                     EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                     EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
                     EXPECT_EQ("Alpha+ Beta+ Gamma-", drive::Applications(hwnd));
                     EXPECT_EQ(-1, drive::Selected(hwnd, IDC_APPLICATIONS));
                     EXPECT_EQ("The default profile", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
                     EXPECT_EQ("Current profile: Default", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                     EXPECT_EQ(GetDlgItem(hwnd, IDC_PROFILES), GetFocus());
                     const struct {
                       int id;
                       bool enabled;
                     } buttons[] = {{IDC_SET_CURRENT, true},
                                    {IDC_ADD_PROFILE, true},
                                    {IDC_DELETE_PROFILE, true},
                                    {IDC_RENAME_PROFILE, true},
                                    {IDC_RESET_ORDER, true},
                                    {IDC_MOVE_UP, false},
                                    {IDC_MOVE_DOWN, false},
                                    {IDC_APPLY, false},
                                    {IDC_HELP_BUTTON, true},
                                    {IDOK, true},
                                    {IDCANCEL, true}};
                     for (const auto& button : buttons)
                       EXPECT_EQ(button.enabled, drive::IsEnabled(hwnd, button.id)) << "button " << button.id;
                     EXPECT_NE(0, SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
                     EXPECT_NE(0, SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
                     // The system menu ends with a separator, "About..." (16) and "Restore..." (32).
                     HMENU systemMenu = GetSystemMenu(hwnd, FALSE);
                     const int count = GetMenuItemCount(systemMenu);
                     ASSERT_GE(count, 3);
                     EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), GetMenuItemID(systemMenu, count - 2));
                     EXPECT_EQ(static_cast<UINT>(IDM_RESTORE), GetMenuItemID(systemMenu, count - 1));
                     char text[64] = "";
                     GetMenuStringA(systemMenu, count - 2, text, sizeof text, MF_BYPOSITION);
                     EXPECT_STREQ("About...", text);
                     GetMenuStringA(systemMenu, count - 1, text, sizeof text, MF_BYPOSITION);
                     EXPECT_STREQ("Restore...", text);
                     MENUITEMINFOA separator = {sizeof separator, MIIM_FTYPE};
                     GetMenuItemInfoA(systemMenu, count - 3, TRUE, &separator);
                     EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  // The model was loaded on opening and stays with the dialog object.
  ASSERT_EQ(2u, dialog.Model().size());
  EXPECT_EQ("Default/0 Home/0 Work/0", show::Profiles(dialog.Model()[0]));
}

TEST_F(MainDialogTest, AModelAlreadyLoadedIsShownAsItIs) {
  CPManDlg dialog;
  PMAcad product;
  product.ProductName = "Given";
  product.Key = "Software\\Autodesk\\AutoCAD\\R1\\ACAD-1";
  product.CurrentProfile = "Second";
  for (const char* name : {"First", "Second"}) {
    PMAcadProfile profile;
    profile.Name = name;
    product.Profiles.push_back(profile);
  }
  dialog.Model().push_back(product);
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     EXPECT_EQ("Given", fwtest::ControlText(hwnd, IDC_PRODUCTS));
                     EXPECT_EQ((Names{"First", "Second"}), drive::Items(hwnd, IDC_PROFILES));
                     EXPECT_EQ(1, drive::Selected(hwnd, IDC_PROFILES));
                     EXPECT_EQ("", drive::Applications(hwnd));
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
}

TEST_F(MainDialogTest, ChoosingProductsAndProfilesFillsTheLists) {
  SeedCurrentProfile(world::kLtId, "Nothing listed");
  CPManDlg dialog;
  fwtest::RunModal(
      dialog, {[&](HWND hwnd) {
        drive::ChooseProduct(hwnd, 1);
        EXPECT_EQ((Names{"Drafting", "Plot"}), drive::Items(hwnd, IDC_PROFILES));
        // No item shows the current profile: the first is selected.
        EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
        EXPECT_EQ("Current profile: Nothing listed", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
        EXPECT_EQ("Drafting work", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
        EXPECT_EQ("Alpha-", drive::Applications(hwnd));

        drive::Select(hwnd, IDC_PROFILES, 1);
        EXPECT_EQ("Plotting", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
        EXPECT_EQ("Alpha+", drive::Applications(hwnd));

        // No profile selected: its buttons go off and the application list with them.
        fw::ListView(hwnd, IDC_PROFILES).ClearSelection();
        for (int id :
             {IDC_SET_CURRENT, IDC_ADD_PROFILE, IDC_DELETE_PROFILE, IDC_RENAME_PROFILE, IDC_RESET_ORDER})
          EXPECT_FALSE(drive::IsEnabled(hwnd, id)) << "button " << id;
        EXPECT_EQ("", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
        EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLICATIONS));
        // Commands without a selected profile do nothing.
        SendMessageA(hwnd, WM_COMMAND, IDC_SET_CURRENT, 0);
        SendMessageA(hwnd, WM_COMMAND, IDC_MOVE_UP, 0);
        SendMessageA(hwnd, WM_COMMAND, IDC_RESET_ORDER, 0);
        EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));

        drive::ChooseProduct(hwnd, 0);
        EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
        EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
        EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLICATIONS));
        EXPECT_EQ("Alpha+ Beta+ Gamma-", drive::Applications(hwnd));
        fwtest::Click(hwnd, IDCANCEL);
      }});
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(MainDialogTest, AProductWithoutProfilesShowsEmptyLists) {
  SeedProduct("AutoCAD\\R17.0\\ACAD-5001:409", "AutoCAD 2007");  // never started: no Profiles key
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     drive::ChooseProduct(hwnd, 1);
                     EXPECT_EQ("AutoCAD 2007", fwtest::ControlText(hwnd, IDC_PRODUCTS));
                     EXPECT_TRUE(drive::Items(hwnd, IDC_PROFILES).empty());
                     EXPECT_EQ("", drive::Applications(hwnd));
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_DELETE_PROFILE));
                     EXPECT_EQ("Current profile: ", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                     // A right click or a drag with nothing listed does nothing.
                     drive::Notify(hwnd, IDC_PROFILES, NM_RCLICK, -1);
                     drive::Notify(hwnd, IDC_PROFILES, LVN_BEGINDRAG, 0);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(MainDialogTest, ClickingACheckedApplicationEnablesItAgainAndEnablesApply) {
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     const PMAcadProfile& profile = dialog.Model()[0].Profiles[0];
                     ASSERT_EQ("Alpha:0:1:0 Beta:0:2:1 Gamma:2:0:0", show::Links(profile));
                     // Selecting the unticked Gamma changes no link.
                     drive::Select(hwnd, IDC_APPLICATIONS, 2);
                     EXPECT_EQ("Alpha:0:1:0 Beta:0:2:1 Gamma:2:0:0", show::Links(profile));
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_MOVE_UP));
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_MOVE_DOWN));
                     // Selecting the ticked Alpha: the notification carries the check mark.
                     drive::Select(hwnd, IDC_APPLICATIONS, 0);
                     EXPECT_EQ("Alpha:1:1:0 Beta:0:2:1 Gamma:2:0:0", show::Links(profile));
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));
                     EXPECT_EQ("Alpha+ Beta+ Gamma-", drive::Applications(hwnd));
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
}

TEST_F(MainDialogTest, UncheckingClearsMenuLoadedAndApplySettlesTheLinks) {
  CPManDlg dialog;
  fwtest::RunModal(
      dialog, {[&](HWND hwnd) {
                 drive::Check(hwnd, 1, false);  // Beta, whose menu was loaded
                 drive::Check(hwnd, 2, true);   // Gamma
                 EXPECT_EQ("Alpha:0:1:0 Beta:2:2:0 Gamma:1:0:0", show::Links(dialog.Model()[0].Profiles[0]));
                 EXPECT_EQ("Alpha+ Beta- Gamma+", drive::Applications(hwnd));
                 EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));
                 fwtest::Click(hwnd, IDC_APPLY);
               },
               [&](HWND hwnd) {
                 EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                 EXPECT_EQ("Alpha:0:1:0 Beta:2:2:0 Gamma:0:0:0", show::Links(dialog.Model()[0].Profiles[0]));
                 fwtest::Click(hwnd, IDCANCEL);
               }});
}

TEST_F(MainDialogTest, MovesNumberTheLinksAndTheSelectionFollows) {
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     drive::Select(hwnd, IDC_PROFILES, 2);  // Work: three links, none ordered
                     const PMAcadProfile& work = dialog.Model()[0].Profiles[2];
                     ASSERT_EQ("Alpha:0:0:0 Beta:0:0:0 Gamma:0:0:0", show::Links(work));
                     drive::Select(hwnd, IDC_APPLICATIONS, 2);
                     fwtest::Click(hwnd, IDC_MOVE_UP);
                     EXPECT_EQ("Alpha+ Gamma+ Beta+", drive::Applications(hwnd));
                     // Each position keeps its number; the selection re-enables the moved link.
                     EXPECT_EQ("Alpha:0:1:0 Gamma:1:2:0 Beta:0:3:0", show::Links(work));
                     EXPECT_EQ(1, drive::Selected(hwnd, IDC_APPLICATIONS));
                     EXPECT_TRUE(fw::ListView(hwnd, IDC_APPLICATIONS).GetItemState(1, LVIS_FOCUSED));
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_MOVE_UP));
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));

                     fwtest::Click(hwnd, IDC_MOVE_DOWN);
                     EXPECT_EQ("Alpha+ Beta+ Gamma+", drive::Applications(hwnd));
                     EXPECT_EQ(2, drive::Selected(hwnd, IDC_APPLICATIONS));

                     // Reset: standard order, no numbers, no selection.
                     fwtest::Click(hwnd, IDC_RESET_ORDER);
                     EXPECT_EQ("Alpha+ Beta+ Gamma+", drive::Applications(hwnd));
                     EXPECT_EQ("Alpha:0:0:0 Beta:0:0:0 Gamma:1:0:0", show::Links(work));
                     EXPECT_EQ(-1, drive::Selected(hwnd, IDC_APPLICATIONS));
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_MOVE_UP));
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_MOVE_DOWN));
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
}

}  // namespace

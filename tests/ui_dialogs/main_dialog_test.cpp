// The main dialog on the seeded registry: opening, choosing products and profiles, the application
// list, editing profiles (Set Current, Add, Delete, Rename) and how the edits leave it (Apply, OK,
// Cancel, the F5 refresh), checked in the registry afterwards. The rules behind them (which
// profiles and names are refused, orders, what an apply writes) are the engine's and have their own
// tests in tests/engine; these show that the dialog wires them in and says what they refuse.
#include "ui/main_dialog.h"

#include "engine/regdll_bridge.h"
#include "tests/ui_dialogs/dialog_fixture.h"

namespace {

const char kSettings[] = "Software\\Brevent Software\\Tarnwick\\1.0";
const UINT kStop = MB_OK | MB_ICONSTOP;
const UINT kQuestion = MB_YESNO | MB_ICONQUESTION;

class MainDialogTest : public DialogTest {};

TEST_F(MainDialogTest, OpeningAndChoosingProductsAndProfilesFillTheLists) {
  SeedCurrentProfile(world::kAcadId, "WORK");  // the item that shows it is selected, whatever the case
  SeedCurrentProfile(world::kLtId, "Nothing listed");
  SeedProduct("AutoCAD\\R17.0\\ACAD-5001:409", "AutoCAD 2007");  // never started: no profiles
  // Without the registration library a notice says why the links cannot change (its text is the
  // whole-program tests'), and they are read-only.
  RegistrationLibrary missing(AppData());
  CPManDlg dialog;
  dialog.SetRegistrationLibrary(missing);
  boxes_.Answer(IDOK);
  fwtest::RunModal(
      dialog, {[&](HWND hwnd) {
                 EXPECT_EQ(1u, boxes_.shown().size()) << "shown as the dialog opens";
                 EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLICATIONS));
                 EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_RESET_ORDER));
                 EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                 EXPECT_EQ(2, drive::Selected(hwnd, IDC_PROFILES));
                 EXPECT_EQ("Alpha+ Beta+ Gamma+", drive::Applications(hwnd));
                 EXPECT_EQ("Current profile: WORK", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                 for (UINT item : {IDM_ABOUTBOX, IDM_RESTORE})  // on the system menu
                   EXPECT_NE(~0u, GetMenuState(GetSystemMenu(hwnd, FALSE), item, MF_BYCOMMAND)) << item;
                 SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);  // returns when the About box closes
               },
               [&](HWND hwnd) {
                 HWND about = fwtest::TopDialog();
                 EXPECT_EQ(hwnd, GetWindow(about, GW_OWNER));
                 fwtest::Click(about, IDOK);
               },
               [&](HWND hwnd) {
                 // The LT product (listed after the one without profiles): no item shows its
                 // current profile, so the first is selected.
                 drive::ChooseProduct(hwnd, 2);
                 EXPECT_EQ((Names{"Drafting", "Plot"}), drive::Items(hwnd, IDC_PROFILES));
                 EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
                 EXPECT_EQ("Current profile: Nothing listed", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                 EXPECT_EQ("Alpha-", drive::Applications(hwnd));
                 drive::Select(hwnd, IDC_PROFILES, 1);
                 EXPECT_EQ("Plotting", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
                 EXPECT_EQ("Alpha+", drive::Applications(hwnd));

                 // No profile selected: its buttons go off, the application list with them, and
                 // its commands do nothing.
                 fw::ListView(hwnd, IDC_PROFILES).ClearSelection();
                 for (int id : {IDC_SET_CURRENT, IDC_DELETE_PROFILE, IDC_RENAME_PROFILE, IDC_APPLICATIONS})
                   EXPECT_FALSE(drive::IsEnabled(hwnd, id)) << "control " << id;
                 SendMessageA(hwnd, WM_COMMAND, IDC_SET_CURRENT, 0);
                 EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));

                 // Without profiles: empty lists, and a right click or a drag does nothing.
                 drive::ChooseProduct(hwnd, 1);
                 EXPECT_TRUE(drive::Items(hwnd, IDC_PROFILES).empty());
                 EXPECT_EQ("", drive::Applications(hwnd));
                 drive::NotifyProfiles(hwnd, NM_RCLICK, -1);
                 drive::NotifyProfiles(hwnd, LVN_BEGINDRAG, 0);
                 fwtest::Click(hwnd, IDCANCEL);
               }});
  ASSERT_EQ(1u, boxes_.shown().size());
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes_.shown()[0].flags);
}

// The orders and what an apply makes of the states are the engine's; here, that clicks reach the
// model and the selection follows a moved link.
TEST_F(MainDialogTest, ChecksAndMovesEditTheLinksAndTheSelectionFollows) {
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     const PMAcadProfile& profile = dialog.Model()[0].Profiles[0];
                     // Selecting the unticked Gamma changes nothing; a ticked one is enabled again.
                     drive::Select(hwnd, IDC_APPLICATIONS, 2);
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                     drive::Select(hwnd, IDC_APPLICATIONS, 0);
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));
                     // Unchecking clears MenuLoaded.
                     drive::Check(hwnd, 1, false);
                     drive::Check(hwnd, 2, true);
                     EXPECT_EQ("Alpha:1:1:0 Beta:2:2:0 Gamma:1:0:0", ShownLinks(profile));
                     drive::Select(hwnd, IDC_PROFILES, 2);  // Work: three links, none ordered
                     const PMAcadProfile& work = dialog.Model()[0].Profiles[2];
                     drive::Select(hwnd, IDC_APPLICATIONS, 2);
                     fwtest::Click(hwnd, IDC_MOVE_UP);
                     EXPECT_EQ("Alpha+ Gamma+ Beta+", drive::Applications(hwnd));
                     EXPECT_EQ(1, drive::Selected(hwnd, IDC_APPLICATIONS));
                     fwtest::Click(hwnd, IDC_MOVE_DOWN);
                     EXPECT_EQ("Alpha+ Beta+ Gamma+", drive::Applications(hwnd));
                     EXPECT_EQ(2, drive::Selected(hwnd, IDC_APPLICATIONS));
                     // Reset: standard order, no numbers, no selection.
                     fwtest::Click(hwnd, IDC_RESET_ORDER);
                     EXPECT_EQ("Alpha:0:0:0 Beta:0:0:0 Gamma:1:0:0", ShownLinks(work));
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_MOVE_UP));
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
}

TEST_F(MainDialogTest, RefusedDeletesAndRenamesSayWhyAndADeleteAsksFirst) {
  SetString(HKEY_CURRENT_USER, world::ProfilesKey(world::kAcadId), "Tarnwikc", "HOME");  // parked by a run
  SeedCurrentProfile(world::kLtId, "Nothing listed");
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                              Delete(hwnd, IDOK);  // Default is current
                              Delete(hwnd, IDOK, 1);
                              fwtest::Click(hwnd, IDC_RENAME_PROFILE);
                            },
                            [&](HWND) {
                              drive::Type(fwtest::TopDialog(), IDC_PROFILE_NAME, "Away");
                              boxes_.Answer(IDOK);
                              fwtest::Click(fwtest::TopDialog(), IDOK);
                            },
                            [&](HWND hwnd) {
                              Delete(hwnd, IDNO, 2);
                              EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                              // The LT product: delete Plot, then Drafting is the last one.
                              drive::ChooseProduct(hwnd, 1);
                              Delete(hwnd, IDYES, 1);
                              Delete(hwnd, IDOK);
                              EXPECT_EQ((Names{"Drafting"}), drive::Items(hwnd, IDC_PROFILES));
                              fwtest::Click(hwnd, IDCANCEL);
                            }});
  const std::string parked = Box(
      "Cannot delete or rename the profile \"Home\": it becomes current again when the running AutoCAD ends",
      kStop);
  EXPECT_EQ((Names{Box("Cannot delete the current profile", kStop), parked, parked,
                   Box("Are you sure you want to delete the profile \"Work\"?", kQuestion),
                   Box("Are you sure you want to delete the profile \"Plot\"?", kQuestion),
                   Box("Cannot delete the last profile", kStop)}),
            Shown());
}

TEST_F(MainDialogTest, DeleteMovesTheSelectionAddTakesTheNextItemAndOkAppliesARename) {
  CPManDlg dialog;
  fwtest::RunModal(dialog,
                   {[&](HWND hwnd) {
                      // Home, in the middle: the item below takes its place.
                      Delete(hwnd, IDYES, 1);
                      EXPECT_EQ(1, drive::Selected(hwnd, IDC_PROFILES));
                      // Work, now the last item: the selection moves up.
                      Delete(hwnd, IDYES);
                      EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
                      fwtest::Click(hwnd, IDC_ADD_PROFILE);  // runs until a later step closes it
                    },
                    [&](HWND) {
                      HWND add = fwtest::TopDialog();
                      // Profiles marked for deletion are offered too, and their names are taken.
                      EXPECT_EQ(3, fw::ComboBox(add, IDC_SOURCE_PROFILE).GetCount());
                      drive::Type(add, IDC_PROFILE_NAME, "work");
                      boxes_.Answer(IDOK);
                      fwtest::Click(add, IDOK);
                    },
                    [&](HWND) {
                      HWND add = fwtest::TopDialog();
                      drive::ChooseProduct(add, 2, IDC_SOURCE_PROFILE);  // Work, whose links are all ticked
                      drive::Type(add, IDC_PROFILE_NAME, "Laptop");
                      drive::Type(add, IDC_PROFILE_DESCRIPTION, "Away");
                      fwtest::Click(add, IDOK);
                    },
                    [&](HWND hwnd) {
                      EXPECT_EQ((Names{"Default", "Laptop"}), drive::Items(hwnd, IDC_PROFILES));
                      EXPECT_EQ(1, drive::Selected(hwnd, IDC_PROFILES));
                      EXPECT_EQ("Away", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
                      EXPECT_EQ("Alpha+ Beta+ Gamma+", drive::Applications(hwnd));
                      // Set Current acts on the new profile, which the second item stands for.
                      fwtest::Click(hwnd, IDC_SET_CURRENT);
                      EXPECT_EQ("Current profile: Laptop", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                      fwtest::Click(hwnd, IDC_APPLY);
                      // Renaming the current profile takes the current mark along.
                      fwtest::Click(hwnd, IDC_RENAME_PROFILE);
                    },
                    [&](HWND) {
                      HWND rename = fwtest::TopDialog();
                      drive::Type(rename, IDC_PROFILE_NAME, "Main");
                      drive::Type(rename, IDC_PROFILE_DESCRIPTION, "Main one");
                      fwtest::Click(rename, IDOK);
                    },
                    [&](HWND hwnd) {
                      EXPECT_EQ((Names{"Default", "Main"}), drive::Items(hwnd, IDC_PROFILES));
                      EXPECT_EQ("Current profile: Main", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                      EXPECT_EQ("Main one", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
                      fwtest::Click(hwnd, IDOK);  // changes pending: applies, then closes
                    }});
  // OK applied the rename and stored the product.
  EXPECT_EQ((Names{"Default", "Main"}),
            inspect::SubkeyNames(HKEY_CURRENT_USER, world::ProfilesKey(world::kAcadId)));
  EXPECT_EQ("Main", inspect::Text(HKEY_CURRENT_USER, world::ProfilesKey(world::kAcadId), ""));
  EXPECT_EQ(world::kAcadName, inspect::Text(HKEY_CURRENT_USER, kSettings, "CurAcad"));
  EXPECT_EQ((Names{Box("Are you sure you want to delete the profile \"Home\"?", kQuestion),
                   Box("Are you sure you want to delete the profile \"Work\"?", kQuestion),
                   Box("The profile \"work\" already exists", kStop)}),
            Shown());
}

TEST_F(MainDialogTest, RefreshWithPendingEditsAsksAndCancelNoAndYesDoWhatTheySay) {
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                              Delete(hwnd, IDYES, 1);  // Home
                              boxes_.Answer(IDCANCEL);
                              fwtest::PostKey(GetDlgItem(hwnd, IDC_PROFILES), VK_F5);
                            },
                            [&](HWND hwnd) {
                              // Cancel: no refresh, the edit stays.
                              EXPECT_EQ((Names{"Default", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                              boxes_.Answer(IDNO);
                              fwtest::PostKey(GetDlgItem(hwnd, IDC_PROFILES), VK_F5);
                            },
                            [&](HWND hwnd) {
                              // No: the registry as it is, the edit gone.
                              EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                              EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                              drive::Check(hwnd, 0, false);  // Alpha out of Default
                              boxes_.Answer(IDYES);
                              fwtest::PostKey(GetDlgItem(hwnd, IDC_PROFILES), VK_F5);
                            },
                            [&](HWND hwnd) {
                              // Yes: applied, then read back in the order the library stored.
                              EXPECT_EQ("Beta+ Alpha- Gamma-", drive::Applications(hwnd));
                              fwtest::Click(hwnd, IDCANCEL);
                            }});
  const std::string refresh =
      Box("Do you want to apply changes before refresh?", MB_YESNOCANCEL | MB_ICONQUESTION);
  EXPECT_EQ((Names{Box("Are you sure you want to delete the profile \"Home\"?", kQuestion), refresh, refresh,
                   refresh}),
            Shown());
}

// OK stores the chosen product even without edits and the next opening chooses it again; Cancel
// drops the edits.
TEST_F(MainDialogTest, OkStoresTheProductForTheNextOpeningAndCancelDropsTheEdits) {
  CPManDlg first;
  fwtest::RunModal(first, {[&](HWND hwnd) {
                     drive::ChooseProduct(hwnd, 1);
                     fwtest::Click(hwnd, IDOK);
                   }});
  EXPECT_EQ(world::kLtName, inspect::Text(HKEY_CURRENT_USER, kSettings, "CurAcad"));
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     EXPECT_EQ(1, fw::ComboBox(hwnd, IDC_PRODUCTS).GetCurSel());
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     fwtest::Click(hwnd, IDC_SET_CURRENT);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  EXPECT_EQ("Drafting", inspect::Text(HKEY_CURRENT_USER, world::ProfilesKey(world::kLtId), ""));
}

}  // namespace

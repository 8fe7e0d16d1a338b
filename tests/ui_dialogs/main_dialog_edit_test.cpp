// Editing profiles in the main dialog (Set Current, Add, Delete, Rename), and how the edits
// leave it: Apply, OK, Cancel and the F5 refresh, checked in the registry afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/combobox.h"
#include "framework/language.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/ui_dialogs/dialog_driver.h"
#include "tests/ui_dialogs/dialog_fixture.h"
#include "ui/main_dialog.h"

namespace {

using Names = std::vector<std::string>;

const char kSettings[] = "Software\\Brevent Software\\Tarnwick\\1.0";

class MainDialogEditTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    SeedWorld();
  }

  // The message boxes shown so far, "text|flags" each.
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& box : boxes_.shown()) shown.push_back(box.text + "|" + std::to_string(box.flags));
    return shown;
  }

  fwtest::MessageBoxScript boxes_;
};

std::string Box(const std::string& text, UINT flags) { return text + "|" + std::to_string(flags); }
const UINT kStop = MB_OK | MB_ICONSTOP;
const UINT kQuestion = MB_YESNO | MB_ICONQUESTION;

TEST_F(MainDialogEditTest, DeleteRefusesTheCurrentAndTheLastProfileAndAsksFirst) {
  SeedCurrentProfile(world::kLtId, "Nothing listed");
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     // Default is current.
                     boxes_.Answer(IDOK);
                     fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                     // Home: the answer No changes nothing.
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     boxes_.Answer(IDNO);
                     fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                     EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                     EXPECT_EQ("Default/0 Home/0 Work/0", show::Profiles(dialog.Model()[0]));
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));

                     // The LT product: delete Plot, then Drafting is the only one listed.
                     drive::ChooseProduct(hwnd, 1);
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     boxes_.Answer(IDYES);
                     fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                     EXPECT_EQ((Names{"Drafting"}), drive::Items(hwnd, IDC_PROFILES));
                     boxes_.Answer(IDOK);
                     fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                     EXPECT_EQ("Drafting/0 Plot/2", show::Profiles(dialog.Model()[1]));
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  EXPECT_EQ((std::vector<std::string>{
                Box("Cannot delete the current profile", kStop),
                Box("Are you sure you want to delete the profile \"Home\"?", kQuestion),
                Box("Are you sure you want to delete the profile \"Plot\"?", kQuestion),
                Box("Cannot delete the last profile", kStop),
            }),
            Shown());
}

TEST_F(MainDialogEditTest, DeletingMovesTheProfileToTheEndAndAnAddedOneTakesTheNextItem) {
  CPManDlg dialog;
  fwtest::RunModal(
      dialog, {[&](HWND hwnd) {
                 // Home, in the middle: its item goes and the one below takes its place.
                 drive::Select(hwnd, IDC_PROFILES, 1);
                 boxes_.Answer(IDYES);
                 fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                 EXPECT_EQ((Names{"Default", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                 EXPECT_EQ(1, drive::Selected(hwnd, IDC_PROFILES));
                 EXPECT_EQ("Office work", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
                 EXPECT_EQ("Default/0 Work/0 Home/2", show::Profiles(dialog.Model()[0]));
                 EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));
                 // Work, now the last item: the selection moves up.
                 boxes_.Answer(IDYES);
                 fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                 EXPECT_EQ((Names{"Default"}), drive::Items(hwnd, IDC_PROFILES));
                 EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
                 EXPECT_EQ("Default/0 Home/2 Work/2", show::Profiles(dialog.Model()[0]));
                 fwtest::Click(hwnd, IDC_ADD_PROFILE);  // runs the Add dialog until a later step closes it
               },
               [&](HWND) {
                 HWND add = fwtest::TopDialog();
                 fw::ComboBox sources(add, IDC_SOURCE_PROFILE);
                 // Every profile is offered, those marked for deletion too, and their names are taken.
                 EXPECT_EQ(3, sources.GetCount());
                 EXPECT_EQ("Home", sources.GetItemText(1));
                 EXPECT_EQ(0, sources.GetCurSel());
                 drive::Type(add, IDC_PROFILE_NAME, "work");
                 boxes_.Answer(IDOK);
                 fwtest::Click(add, IDOK);
               },
               [&](HWND) {
                 HWND add = fwtest::TopDialog();
                 drive::Type(add, IDC_PROFILE_NAME, "Laptop");
                 drive::Type(add, IDC_PROFILE_DESCRIPTION, "Away");
                 fwtest::Click(add, IDOK);
               },
               [&](HWND hwnd) {
                 EXPECT_EQ((Names{"Default", "Laptop"}), drive::Items(hwnd, IDC_PROFILES));
                 EXPECT_EQ(1, drive::Selected(hwnd, IDC_PROFILES));
                 EXPECT_EQ("Away", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
                 const PMAcad& product = dialog.Model()[0];
                 EXPECT_EQ("Default/0 Home/2 Work/2 Laptop/1", show::Profiles(product));
                 EXPECT_EQ("Default", product.Profiles[3].SourceName);
                 // The source's link states in application order, nothing ordered or loaded yet.
                 EXPECT_EQ("Alpha:0:0:0 Beta:0:0:0 Gamma:2:0:0", show::Links(product.Profiles[3]));
                 EXPECT_EQ("Alpha+ Beta+ Gamma-", drive::Applications(hwnd));
                 // Set Current acts on the new profile, which the second item stands for.
                 fwtest::Click(hwnd, IDC_SET_CURRENT);
                 EXPECT_EQ("Current profile: Laptop", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                 fwtest::Click(hwnd, IDC_APPLY);
               },
               [&](HWND hwnd) {
                 EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                 EXPECT_EQ("Default/0 Laptop/0", show::Profiles(dialog.Model()[0]));
                 fwtest::Click(hwnd, IDCANCEL);  // nothing is pending any more
               }});
  ASSERT_EQ((std::vector<std::string>{Box("Are you sure you want to delete the profile \"Home\"?", kQuestion),
                                      Box("Are you sure you want to delete the profile \"Work\"?", kQuestion),
                                      Box("The profile \"work\" already exists", kStop)}),
            Shown());
}

TEST_F(MainDialogEditTest, TheProfileParkedByARunningAutoCadIsNeitherDeletedNorRenamed) {
  SetString(HKEY_CURRENT_USER, world::ProfilesKey(world::kAcadId), "Tarnwikc", "HOME");
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                              drive::Select(hwnd, IDC_PROFILES, 1);
                              boxes_.Answer(IDOK);
                              fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                              fwtest::Click(hwnd, IDC_RENAME_PROFILE);
                            },
                            [&](HWND) {
                              HWND rename = fwtest::TopDialog();
                              drive::Type(rename, IDC_PROFILE_NAME, "Away");
                              drive::Type(rename, IDC_PROFILE_DESCRIPTION, "Parked");
                              boxes_.Answer(IDOK);
                              fwtest::Click(rename, IDOK);
                            },
                            [&](HWND hwnd) {
                              EXPECT_EQ("Default/0 Home/0 Work/0", show::Profiles(dialog.Model()[0]));
                              fwtest::Click(hwnd, IDOK);
                            }});
  const std::string refused =
      "Cannot delete or rename the profile \"Home\": it becomes current again when the running AutoCAD ends";
  EXPECT_EQ((std::vector<std::string>{Box(refused, kStop), Box(refused, kStop)}), Shown());
  EXPECT_EQ((Names{"Default", "Home", "Work"}), Subkeys(world::ProfilesKey(world::kAcadId)));
  EXPECT_EQ("Parked", StringValue(world::ProfileKey(world::kAcadId, "Home"), ""));
}

TEST_F(MainDialogEditTest, RenameMovesTheCurrentProfileAndTakesTheDescription) {
  CPManDlg dialog;
  fwtest::RunModal(dialog,
                   {[&](HWND hwnd) { fwtest::Click(hwnd, IDC_RENAME_PROFILE); },
                    [&](HWND) {
                      HWND rename = fwtest::TopDialog();
                      EXPECT_EQ("Default", fwtest::ControlText(rename, IDC_PROFILE_NAME));
                      EXPECT_EQ("The default profile", fwtest::ControlText(rename, IDC_PROFILE_DESCRIPTION));
                      drive::Type(rename, IDC_PROFILE_NAME, "Main");
                      drive::Type(rename, IDC_PROFILE_DESCRIPTION, "Main one");
                      fwtest::Click(rename, IDOK);
                    },
                    [&](HWND hwnd) {
                      EXPECT_EQ((Names{"Main", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                      EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
                      EXPECT_EQ("Current profile: Main", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                      EXPECT_EQ("Main one", fwtest::ControlText(hwnd, IDC_DESCRIPTION));
                      EXPECT_EQ("Main", dialog.Model()[0].CurrentProfile);
                      EXPECT_EQ("Default>Main/0 Home/0 Work/0", show::Profiles(dialog.Model()[0]));
                      // Still the current profile under its new name.
                      boxes_.Answer(IDOK);
                      fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                      fwtest::Click(hwnd, IDOK);  // changes pending: applies, then closes
                    }});
  EXPECT_EQ((std::vector<std::string>{Box("Cannot delete the current profile", kStop)}), Shown());
  // OK applied: the rename is in the registry.
  EXPECT_EQ((Names{"Home", "Main", "Work"}), Subkeys(world::ProfilesKey(world::kAcadId)));
}

TEST_F(MainDialogEditTest, RefreshWithPendingEditsAsksAndCancelNoAndYesDoWhatTheySay) {
  CPManDlg dialog;
  fwtest::RunModal(dialog,
                   {[&](HWND hwnd) {
                      drive::Select(hwnd, IDC_PROFILES, 1);
                      boxes_.Answer(IDYES);
                      fwtest::Click(hwnd, IDC_DELETE_PROFILE);  // Home
                      boxes_.Answer(IDCANCEL);
                      drive::PressF5(hwnd);
                    },
                    [&](HWND hwnd) {
                      // Cancel: no refresh, the lists and the edit stay.
                      EXPECT_EQ((Names{"Default", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                      EXPECT_EQ(1, drive::Selected(hwnd, IDC_PROFILES));
                      EXPECT_EQ("Default/0 Work/0 Home/2", show::Profiles(dialog.Model()[0]));
                      EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));
                      boxes_.Answer(IDNO);
                      drive::PressF5(hwnd);
                    },
                    [&](HWND hwnd) {
                      // No: the registry as it is, the edit gone.
                      EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                      EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
                      EXPECT_EQ("Default/0 Home/0 Work/0", show::Profiles(dialog.Model()[0]));
                      EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                      EXPECT_EQ(GetDlgItem(hwnd, IDC_PROFILES), GetFocus());
                      drive::Check(hwnd, 0, false);  // Alpha out of Default
                      boxes_.Answer(IDYES);
                      drive::PressF5(hwnd);
                    },
                    [&](HWND hwnd) {
                      // Yes: applied, then read back in the order the library stored.
                      EXPECT_EQ("Beta+ Alpha- Gamma-", drive::Applications(hwnd));
                      EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                      // Without edits F5 asks nothing; the chosen product stays chosen.
                      drive::ChooseProduct(hwnd, 1);
                      SeedProfile(world::kLtId, "Extra", "Seeded meanwhile");
                      drive::PressF5(hwnd);
                    },
                    [&](HWND hwnd) {
                      EXPECT_EQ(1, fw::ComboBox(hwnd, IDC_PRODUCTS).GetCurSel());
                      EXPECT_EQ((Names{"Drafting", "Extra", "Plot"}), drive::Items(hwnd, IDC_PROFILES));
                      EXPECT_EQ(0, drive::Selected(hwnd, IDC_PROFILES));
                      fwtest::Click(hwnd, IDCANCEL);
                    }});
  const std::string refresh =
      Box("Do you want to apply changes before refresh?", MB_YESNOCANCEL | MB_ICONQUESTION);
  EXPECT_EQ((std::vector<std::string>{Box("Are you sure you want to delete the profile \"Home\"?", kQuestion),
                                      refresh, refresh, refresh}),
            Shown());
}

TEST_F(MainDialogEditTest, OkAppliesPendingEditsAndAlwaysStoresTheProduct) {
  struct Row {
    const char* what;
    bool setCurrent;  // an edit to apply
    int product;
    const char* currentAfter;
  };
  const Row rows[] = {
      {"no edits, the LT product", false, 1, "Default"},
      {"Work made current", true, 0, "Work"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    SCOPED_TRACE(std::string("row ") + std::to_string(row) + ": " + rows[row].what);
    SeedCurAcad("none yet");
    CPManDlg dialog;
    int result = fwtest::RunModal(dialog, {[&](HWND hwnd) {
                                    drive::ChooseProduct(hwnd, rows[row].product);
                                    if (rows[row].setCurrent) {
                                      drive::Select(hwnd, IDC_PROFILES, 2);
                                      fwtest::Click(hwnd, IDC_SET_CURRENT);
                                      EXPECT_EQ("Current profile: Work",
                                                fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                                    }
                                    fwtest::Click(hwnd, IDOK);
                                  }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(rows[row].currentAfter, StringValue(world::ProfilesKey(world::kAcadId), ""));
    EXPECT_EQ(rows[row].product ? world::kLtName : world::kAcadName, StringValue(kSettings, "CurAcad"));
  }
}

TEST_F(MainDialogEditTest, CancelDropsEveryEdit) {
  const std::string before = StoredLinks(world::kAcadId, "Default");
  CPManDlg dialog;
  int result = fwtest::RunModal(dialog, {[&](HWND hwnd) {
                                  drive::Select(hwnd, IDC_PROFILES, 2);
                                  fwtest::Click(hwnd, IDC_SET_CURRENT);
                                  boxes_.Answer(IDYES);
                                  drive::Select(hwnd, IDC_PROFILES, 1);
                                  fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                                  drive::Check(hwnd, 0, false);
                                  fwtest::Click(hwnd, IDCANCEL);
                                }});
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ("Default", StringValue(world::ProfilesKey(world::kAcadId), ""));
  EXPECT_EQ((Names{"Default", "Home", "Work"}), Subkeys(world::ProfilesKey(world::kAcadId)));
  EXPECT_EQ(before, StoredLinks(world::kAcadId, "Default"));
  EXPECT_EQ("(missing)", StringValue(kSettings, "CurAcad"));
}

TEST_F(MainDialogEditTest, NamesAreShownAndQuotedAsTheyAre) {
  // A name that looks like a format must come out unchanged.
  SeedProfile(world::kAcadId, "100%s %d", "odd");
  CPManDlg dialog;
  fwtest::RunModal(
      dialog, {[&](HWND hwnd) {
        EXPECT_EQ((Names{"100%s %d", "Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
        drive::Select(hwnd, IDC_PROFILES, 0);
        fwtest::Click(hwnd, IDC_SET_CURRENT);
        EXPECT_EQ("Current profile: 100%s %d", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
        drive::Select(hwnd, IDC_PROFILES, 1);
        boxes_.Answer(IDNO);
        fwtest::Click(hwnd, IDC_DELETE_PROFILE);
        fwtest::Click(hwnd, IDC_APPLY);
        fwtest::Click(hwnd, IDCANCEL);
      }});
  EXPECT_EQ(
      (std::vector<std::string>{Box("Are you sure you want to delete the profile \"Default\"?", kQuestion)}),
      Shown());
  EXPECT_EQ("100%s %d", StringValue(world::ProfilesKey(world::kAcadId), ""));
}

}  // namespace

// The Add profile and Change profile dialogs on their own: what they offer, and which names
// they refuse (with which message, keeping the dialog open with the focus on the name).
#include "ui/profile_dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/combobox.h"
#include "framework/language.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"
#include "tests/ui_dialogs/dialog_driver.h"

namespace {

class ProfileDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::InitControlsOnce();
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  }
};

// What a refused OK left behind.
struct Refusal {
  bool stillOpen = false;
  bool focusOnName = false;
};

fwtest::Step InspectRefusal(Refusal& refusal) {
  return [&refusal](HWND dialog) {
    HWND nested = fwtest::TopDialog();
    refusal.stillOpen = nested != nullptr && IsWindowVisible(nested);
    refusal.focusOnName = nested && GetFocus() == GetDlgItem(nested, IDC_PROFILE_NAME);
    fwtest::Click(nested, IDCANCEL);
  };
}

TEST_F(ProfileDialogsTest, AddOffersEveryProfileAndPreselectsTheSource) {
  CAddProfileDlg dialog;
  dialog.profileNames = {"Default", "Home", "Work"};
  dialog.sourceName = "HOME";  // the list's search ignores case
  std::vector<std::string> offered;
  int selected = -2;
  bool focusOnName = false;
  std::string title;
  int result =
      fwtest::RunModal(dialog, {[&](HWND hwnd) {
                         fw::ComboBox sources(hwnd, IDC_SOURCE_PROFILE);
                         for (int i = 0; i < sources.GetCount(); ++i)
                           offered.push_back(sources.GetItemText(i));
                         selected = sources.GetCurSel();
                         focusOnName = GetFocus() == GetDlgItem(hwnd, IDC_PROFILE_NAME);
                         title = fw::WindowRef(hwnd).GetText();
                         // The user picks another source.
                         sources.SetCurSel(2);
                         SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_SOURCE_PROFILE, CBN_SELCHANGE),
                                      reinterpret_cast<LPARAM>(sources.hwnd()));
                         drive::Type(hwnd, IDC_PROFILE_NAME, "Travel");
                         drive::Type(hwnd, IDC_PROFILE_DESCRIPTION, "On the road\r\nline 2");
                         fwtest::Click(hwnd, IDOK);
                       }});
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ((std::vector<std::string>{"Default", "Home", "Work"}), offered);
  EXPECT_EQ(1, selected);
  EXPECT_TRUE(focusOnName);
  EXPECT_EQ("Add profile", title);
  EXPECT_EQ(2, dialog.sourceIndex);
  EXPECT_EQ("Work", dialog.sourceName);
  EXPECT_EQ("Travel", dialog.name);
  EXPECT_EQ("On the road\r\nline 2", dialog.description);
}

TEST_F(ProfileDialogsTest, AddWithAnUnknownSourceSelectsNothing) {
  CAddProfileDlg dialog;
  dialog.profileNames = {"Default"};
  dialog.sourceName = "Gone";
  int selected = -2;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     selected = fw::ComboBox(hwnd, IDC_SOURCE_PROFILE).GetCurSel();
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  EXPECT_EQ(-1, selected);
}

TEST_F(ProfileDialogsTest, AddAcceptsAnEmptyDescriptionAndALongestKeyName) {
  const std::string longest(255, 'y');
  CAddProfileDlg dialog;
  dialog.profileNames = {"Default"};
  dialog.sourceName = "Default";
  dialog.description = "left from before";
  int result = fwtest::RunModal(dialog, {[&](HWND hwnd) {
                                  drive::Type(hwnd, IDC_PROFILE_NAME, longest);
                                  drive::Type(hwnd, IDC_PROFILE_DESCRIPTION, "");
                                  fwtest::Click(hwnd, IDOK);
                                }});
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ(longest, dialog.name);
  EXPECT_EQ("", dialog.description);
  EXPECT_EQ(0, dialog.sourceIndex);
}

TEST_F(ProfileDialogsTest, RenameShowsTheFieldsAndAcceptsACaseOnlyChangeWithoutAMessage) {
  fwtest::MessageBoxScript boxes;
  CRenameProfileDlg dialog;
  dialog.namesInUse = {"Default", "Work", "Home"};
  dialog.oldName = dialog.newName = "Work";
  dialog.description = "Office work";
  std::string shownName, shownDescription, title;
  int result = fwtest::RunModal(dialog, {[&](HWND hwnd) {
                                  shownName = fwtest::ControlText(hwnd, IDC_PROFILE_NAME);
                                  shownDescription = fwtest::ControlText(hwnd, IDC_PROFILE_DESCRIPTION);
                                  title = fw::WindowRef(hwnd).GetText();
                                  drive::Type(hwnd, IDC_PROFILE_NAME, "WORK");
                                  drive::Type(hwnd, IDC_PROFILE_DESCRIPTION, "");
                                  fwtest::Click(hwnd, IDOK);
                                }});
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ("Work", shownName);
  EXPECT_EQ("Office work", shownDescription);
  EXPECT_EQ("Change profile", title);
  EXPECT_EQ("WORK", dialog.newName);
  EXPECT_EQ("", dialog.description);
  EXPECT_TRUE(boxes.shown().empty());
}

// Which names are refused is the engine's rule; here, how each refusal shows in either dialog.
TEST_F(ProfileDialogsTest, RefusedNamesKeepTheDialogOpenWithTheirMessage) {
  struct Row {
    bool rename;
    std::string name;
    const char* message;  // nullptr: refused with a beep only
  };
  const Row rows[] = {
      {false, "Work", "The profile \"Work\" already exists"},  // WORK is offered
      {false, "Old name", "The profile \"Old name\" already exists"},  // replaced by a pending rename
      {false, "", "Empty names are not allowed"},
      {false, "Two\\Levels", nullptr},
      {true, "home", "The profile \"home\" already exists"},
      {true, "", "Empty names are not allowed"},
      {true, std::string(300, 'z'), nullptr},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    fwtest::MessageBoxScript boxes;
    if (rows[row].message) boxes.Answer(IDOK);
    CAddProfileDlg add;
    add.profileNames = {"Default", "WORK", "Home"};
    add.namesInUse = {"Old name"};
    add.sourceName = "Default";
    CRenameProfileDlg rename;
    rename.namesInUse = {"Default", "Work", "Home"};
    rename.oldName = rename.newName = "Work";
    Refusal refusal;
    int result = fwtest::RunModal(rows[row].rename ? static_cast<fw::Dialog&>(rename) : add,
                                  {[&](HWND hwnd) {
                                     drive::Type(hwnd, IDC_PROFILE_NAME, rows[row].name);
                                     fwtest::Click(hwnd, IDOK);
                                   },
                                   InspectRefusal(refusal)});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(refusal.stillOpen);
    EXPECT_TRUE(refusal.focusOnName);
    if (rows[row].message) {
      ASSERT_EQ(1u, boxes.shown().size());
      EXPECT_EQ(rows[row].message, boxes.shown()[0].text);
      EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), boxes.shown()[0].flags);
    } else {
      EXPECT_TRUE(boxes.shown().empty());
    }
  }
}

TEST_F(ProfileDialogsTest, CancelSkipsValidation) {
  fwtest::MessageBoxScript boxes;
  CAddProfileDlg add;
  add.profileNames = {"Default"};
  EXPECT_EQ(IDCANCEL, fwtest::RunModal(add, {[](HWND hwnd) {
                                         drive::Type(hwnd, IDC_PROFILE_NAME, "Default");
                                         fwtest::Click(hwnd, IDCANCEL);
                                       }}));
  CRenameProfileDlg rename;
  rename.namesInUse = {"Default", "Home"};
  rename.oldName = rename.newName = "Default";
  EXPECT_EQ(IDCANCEL, fwtest::RunModal(rename, {[](HWND hwnd) {
                                         drive::Type(hwnd, IDC_PROFILE_NAME, "");
                                         fwtest::PostKey(GetDlgItem(hwnd, IDC_PROFILE_NAME), VK_ESCAPE);
                                       }}));
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ("", add.name);
  EXPECT_EQ("Default", rename.newName);
}

}  // namespace

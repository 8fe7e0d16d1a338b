// Data exchange and the control wrappers on a dialog that is created but never run modally, and the
// wrappers of windows that are gone.
#include <gtest/gtest.h>
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <string>

#include "framework/button.h"
#include "framework/combobox.h"
#include "framework/data_exchange.h"
#include "framework/edit.h"
#include "framework/listview.h"
#include "tests/framework/windowed_test.h"
#include "tests/support/dialog_template.h"

namespace {

constexpr int kName = 10000;
constexpr int kNote = 10001;
constexpr int kSource = 10002;
constexpr int kLabel = 10003;
constexpr int kList = 10004;
constexpr int kMissing = 999;

using Direction = fw::DataExchange::Direction;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::InitControlsOnce();
    fwtest::DialogTemplate layout("Exchange", 200, 100, fwtest::DialogTemplate::kDefaultStyle | WS_VISIBLE);
    layout.Edit(kName, 5, 5, 190)
        .Edit(kNote, 5, 25, 190, ES_MULTILINE | WS_BORDER)
        .DropDownList(kSource, 5, 45, 190)
        .Add("Static", "label", kLabel, SS_LEFT, 5, 65, 190, 10)
        .Add(WC_LISTVIEWA, "", kList, LVS_REPORT | WS_BORDER, 5, 75, 190, 20);
    dialog_ =
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout.get(), nullptr, &PlainDialogProc, 0);
    ASSERT_NE(nullptr, dialog_);
    fw::ComboBox combo(dialog_, kSource);
    for (const char* entry : {"Default", "Work", "Home"}) combo.AddString(entry);
  }
  void TearDown() override { DestroyWindow(dialog_); }

  HWND dialog_ = nullptr;
};

TEST_F(ControlsTest, TextAndSelectionRoundTrip) {
  for (std::string text : {std::string(), std::string(100000, 'x')}) {
    std::string fromControl = "sentinel";
    fw::DataExchange(dialog_, Direction::kToControls).Text(kLabel, text);
    fw::DataExchange(dialog_, Direction::kFromControls).Text(kLabel, fromControl);
    EXPECT_TRUE(text == fromControl) << fromControl.size() << " bytes came back of " << text.size();
  }
  // Selections out of range clear the selection.
  const int selections[][2] = {{1, 1}, {2, 2}, {-1, -1}, {3, -1}, {-7, -1}, {0, 0}};
  for (const auto& row : selections) {
    int toControl = row[0], fromControl = 99;
    fw::DataExchange(dialog_, Direction::kToControls).ComboSelection(kSource, toControl);
    fw::DataExchange(dialog_, Direction::kFromControls).ComboSelection(kSource, fromControl);
    EXPECT_EQ(row[1], fromControl) << "selection " << row[0];
  }
}

TEST_F(ControlsTest, FailFocusesAndSelectsTheEditAndStopsTheExchange) {
  SetDlgItemTextA(dialog_, kName, "WORK");
  SetDlgItemTextA(dialog_, kNote, "typed");
  SetFocus(GetDlgItem(dialog_, kNote));

  // A missing control or dialog leaves the value alone and refuses nothing.
  std::string note = "field";
  int source = 5;
  fw::DataExchange(nullptr, Direction::kFromControls).Text(kName, note);
  fw::DataExchange exchange(dialog_, Direction::kFromControls);
  exchange.Text(kMissing, note);
  exchange.ComboSelection(kMissing, source);
  EXPECT_FALSE(exchange.Refused());
  exchange.Fail(kName);
  EXPECT_TRUE(exchange.Refused());
  EXPECT_EQ(GetDlgItem(dialog_, kName), GetFocus());
  int start = -1, end = -1;
  fw::Edit(dialog_, kName).GetSel(start, end);
  EXPECT_EQ(0, start);
  EXPECT_EQ(4, end);

  // Nothing after the refusal is exchanged, in either direction, and a second Fail moves nothing.
  exchange.Text(kNote, note);
  exchange.ComboSelection(kSource, source);
  EXPECT_EQ("field", note);
  EXPECT_EQ(5, source);
  exchange.Fail(kNote);
  EXPECT_EQ(GetDlgItem(dialog_, kName), GetFocus());

  fw::DataExchange filling(dialog_, Direction::kToControls);
  filling.Fail(kSource);
  filling.Text(kNote, note);
  EXPECT_EQ("typed", fw::WindowRef(dialog_, kNote).GetText());
  EXPECT_EQ(GetDlgItem(dialog_, kSource), GetFocus());
}

TEST_F(ControlsTest, ListViewCheckMarksOfItemsAndOfNotificationStates) {
  fw::ListView list(dialog_, kList);
  list.InsertColumn(0, "Applications", 120);
  list.SetExtendedStyle(LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  for (const char* name : {"A", "B", "C"}) list.InsertItem(list.GetItemCount(), name);
  for (bool first : {true, false}) {
    const bool checks[] = {first, !first, first};
    for (int item = 0; item < 3; ++item) EXPECT_TRUE(list.SetCheck(item, checks[item]));
    for (int item = 0; item < 3; ++item) EXPECT_EQ(checks[item], list.GetCheck(item)) << "item " << item;
  }

  const struct {
    UINT state;
    bool checked;
  } states[] = {
      {INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED | LVIS_FOCUSED, true},
      {INDEXTOSTATEIMAGEMASK(1) | LVIS_SELECTED, false},
      {LVIS_SELECTED, false},
      {INDEXTOSTATEIMAGEMASK(3), false},
  };
  for (size_t i = 0; i < sizeof states / sizeof states[0]; ++i)
    EXPECT_EQ(states[i].checked, fw::ListView::StateHasCheck(states[i].state)) << "state row " << i;
}

TEST_F(ControlsTest, WrappersOfDestroyedWindowsAnswerFailure) {
  HWND destroyed = GetDlgItem(dialog_, kList);
  DestroyWindow(destroyed);
  fw::ListView list(destroyed);
  fw::ComboBox combo(destroyed);
  fw::Edit edit(destroyed);
  int start = 0, end = 0;
  const bool failures[] = {
      list.InsertItem(0, "x") == -1,
      list.GetSelectedIndex() == -1,
      list.GetItemText(0).empty(),
      combo.GetCurSel() == -1,
      !combo.SetCurSel(0),
      !fw::Button(destroyed).Click(),
      !edit.GetSel(start, end) && start == -1 && end == -1,
      !edit.Focus(),
  };
  for (size_t i = 0; i < sizeof failures / sizeof failures[0]; ++i) EXPECT_TRUE(failures[i]) << "row " << i;
}

}  // namespace

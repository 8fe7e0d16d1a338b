// The control wrappers against real controls, and against windows that are gone.
#include <gtest/gtest.h>
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/button.h"
#include "framework/combobox.h"
#include "framework/edit.h"
#include "framework/listview.h"
#include "framework/richedit.h"
#include "framework/static.h"
#include "tests/support/dialog_template.h"
#include "tests/framework/windowed_test.h"

namespace {

constexpr int kList = 100;
constexpr int kCombo = 101;
constexpr int kEdit = 102;
constexpr int kButton = 103;
constexpr int kLabel = 104;
constexpr int kRich = 105;

std::vector<WPARAM> commandsReceived;

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) commandsReceived.push_back(LOWORD(wParam));
  return message == WM_INITDIALOG;
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::InitControlsOnce();
    fwtest::DialogTemplate layout("Controls", 300, 200, fwtest::DialogTemplate::kDefaultStyle | WS_VISIBLE);
    layout
        .Add(WC_LISTVIEWA, "", kList, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER, 5, 5, 140,
             80)
        .Add("ComboBox", "", kCombo, CBS_DROPDOWNLIST | WS_VSCROLL, 150, 5, 140, 80)
        .Edit(kEdit, 150, 25, 140)
        .Button(kButton, "Press", 150, 45)
        .Add("Static", "", kLabel, SS_LEFT, 150, 65, 140, 10)
        .Add("RichEdit20A", "", kRich, ES_MULTILINE | WS_BORDER, 5, 90, 285, 60);
    commandsReceived.clear();
    dialog_ =
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout.get(), nullptr, &RecordingDialogProc, 0);
    ASSERT_NE(nullptr, dialog_);
  }
  void TearDown() override { DestroyWindow(dialog_); }

  HWND dialog_ = nullptr;
};

TEST_F(ControlsTest, ListViewCheckBoxes) {
  fw::ListView list(dialog_, kList);
  list.InsertColumn(0, "Applications", 120);
  EXPECT_EQ(0u, list.GetExtendedStyle() & LVS_EX_CHECKBOXES);
  list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
            list.GetExtendedStyle() & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
  for (const char* name : {"A", "B", "C"}) list.InsertItem(list.GetItemCount(), name);

  const bool pattern[][3] = {
      {true, false, true}, {false, false, false}, {true, true, true}, {false, true, false}};
  for (size_t row = 0; row < sizeof pattern / sizeof pattern[0]; ++row) {
    for (int item = 0; item < 3; ++item)
      EXPECT_TRUE(list.SetCheck(item, pattern[row][item])) << "row " << row;
    for (int item = 0; item < 3; ++item) {
      EXPECT_EQ(pattern[row][item], list.GetCheck(item)) << "row " << row << " item " << item;
    }
  }
  EXPECT_FALSE(list.GetCheck(3));
  EXPECT_FALSE(list.GetCheck(-5));
}

TEST(ListViewState, CheckMarkInNotificationStates) {
  struct Row {
    UINT state;
    bool checked;
  };
  const Row rows[] = {
      {INDEXTOSTATEIMAGEMASK(2), true},
      {INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED | LVIS_FOCUSED, true},
      {INDEXTOSTATEIMAGEMASK(1), false},
      {INDEXTOSTATEIMAGEMASK(1) | LVIS_SELECTED, false},
      {0, false},
      {LVIS_SELECTED, false},
      {INDEXTOSTATEIMAGEMASK(3), false},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    EXPECT_EQ(rows[i].checked, fw::ListView::StateHasCheck(rows[i].state)) << "row " << i;
  }
}

TEST_F(ControlsTest, ComboBoxFindsExactEntriesIgnoringCase) {
  fw::ComboBox combo(dialog_, kCombo);
  const char* entries[] = {"Work", "Workshop", "alpha", "ALPHA", ""};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(i, combo.AddString(entries[i])) << "entry " << i;
  EXPECT_EQ(5, combo.GetCount());
  struct Row {
    const char* text;
    int startAfter;
    int found;
  };
  const Row rows[] = {
      {"Work", -1, 0},   {"WORK", -1, 0},  {"work", -1, 0}, {"workshop", -1, 1}, {"Wor", -1, -1},
      {"Work ", -1, -1}, {"Alpha", -1, 2}, {"Alpha", 2, 3}, {"Missing", -1, -1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    EXPECT_EQ(rows[i].found, combo.FindStringExact(rows[i].text, rows[i].startAfter)) << "row " << i;
  }
}

TEST_F(ControlsTest, WrappersOfMissingOrDestroyedWindowsAnswerFailure) {
  HWND destroyed = GetDlgItem(dialog_, kList);
  DestroyWindow(destroyed);
  for (HWND hwnd : {static_cast<HWND>(nullptr), destroyed}) {
    fw::ListView list(hwnd);
    EXPECT_FALSE(list.IsValid());
    EXPECT_EQ(-1, list.InsertColumn(0, "x", 10));
    EXPECT_EQ(-1, list.InsertItem(0, "x"));
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ("", list.GetItemText(0));
    EXPECT_FALSE(list.SetCheck(0, true));
    EXPECT_FALSE(list.GetCheck(0));
    EXPECT_EQ(-1, list.GetSelectedIndex());
    EXPECT_FALSE(list.SelectItem(0));
    EXPECT_FALSE(list.EnsureVisible(0));
    EXPECT_FALSE(list.DeleteAllItems());

    fw::ComboBox combo(hwnd);
    EXPECT_LT(combo.AddString("x"), 0);
    EXPECT_EQ(0, combo.GetCount());
    EXPECT_EQ(-1, combo.GetCurSel());
    EXPECT_FALSE(combo.SetCurSel(0));
    EXPECT_EQ(-1, combo.FindStringExact("x"));
    EXPECT_EQ("", combo.GetItemText(0));

    fw::Button button(hwnd);
    EXPECT_FALSE(button.Click());
    EXPECT_FALSE(button.Enable(true));
    EXPECT_FALSE(button.IsEnabled());
    fw::Edit edit(hwnd);
    EXPECT_FALSE(edit.SetText("x"));
    EXPECT_EQ("", edit.GetText());
    int start = 0, end = 0;
    EXPECT_FALSE(edit.GetSel(start, end));
    EXPECT_FALSE(edit.Focus());
    EXPECT_EQ(-1, start);
  }
  EXPECT_FALSE(fw::WindowRef(dialog_, 4711).IsValid());
  EXPECT_FALSE(fw::WindowRef(nullptr, kEdit).IsValid());
}

}  // namespace

// Data exchange on a dialog that is created but never run modally.
#include "framework/data_exchange.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/combobox.h"
#include "framework/edit.h"
#include "tests/support/dialog_template.h"
#include "tests/framework/windowed_test.h"

namespace {

constexpr int kName = 10000;
constexpr int kNote = 10001;
constexpr int kSource = 10002;
constexpr int kLabel = 10003;
constexpr int kMissing = 999;

using Direction = fw::DataExchange::Direction;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class DataExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::InitControlsOnce();
    fwtest::DialogTemplate layout("Exchange", 200, 100, fwtest::DialogTemplate::kDefaultStyle | WS_VISIBLE);
    layout.Edit(kName, 5, 5, 190)
        .Edit(kNote, 5, 25, 190, ES_MULTILINE | WS_BORDER)
        .DropDownList(kSource, 5, 45, 190)
        .Add("Static", "label", kLabel, SS_LEFT, 5, 65, 190, 10);
    dialog_ =
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout.get(), nullptr, &PlainDialogProc, 0);
    ASSERT_NE(nullptr, dialog_);
    fw::ComboBox combo(dialog_, kSource);
    for (const char* entry : {"Default", "Work", "Home"}) combo.AddString(entry);
  }
  void TearDown() override { DestroyWindow(dialog_); }

  HWND dialog_ = nullptr;
};

TEST_F(DataExchangeTest, TextRoundTripsExactBytes) {
  const std::string values[] = {
      "",
      "Work",
      "two\r\nlines",
      "caf\xE9 \xC4\xD6\xDC",  // ANSI code page bytes above 127
      std::string(100000, 'x'),
  };
  for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) {
    std::string toControl = values[i];
    fw::DataExchange fill(dialog_, Direction::kToControls);
    fill.Text(kLabel, toControl);
    EXPECT_EQ(values[i], toControl) << "row " << i << ": filling changed the field";

    std::string fromControl = "sentinel";
    fw::DataExchange take(dialog_, Direction::kFromControls);
    take.Text(kLabel, fromControl);
    EXPECT_EQ(values[i].size(), fromControl.size()) << "row " << i;
    EXPECT_TRUE(values[i] == fromControl) << "row " << i;
    EXPECT_FALSE(take.Refused()) << "row " << i;
  }
}

TEST_F(DataExchangeTest, MissingControlLeavesTheValueAlone) {
  std::string text = "kept";
  int index = 2;
  for (Direction direction : {Direction::kToControls, Direction::kFromControls}) {
    fw::DataExchange exchange(dialog_, direction);
    exchange.Text(kMissing, text);
    exchange.ComboSelection(kMissing, index);
    EXPECT_EQ("kept", text);
    EXPECT_EQ(2, index);
    EXPECT_FALSE(exchange.Refused());
  }
  fw::DataExchange noDialog(nullptr, Direction::kFromControls);
  noDialog.Text(kName, text);
  EXPECT_EQ("kept", text);
}

TEST_F(DataExchangeTest, FailFocusesAndSelectsTheEditAndStopsTheExchange) {
  SetDlgItemTextA(dialog_, kName, "WORK");
  SetDlgItemTextA(dialog_, kNote, "typed");
  SetFocus(GetDlgItem(dialog_, kNote));

  fw::DataExchange exchange(dialog_, Direction::kFromControls);
  std::string name;
  exchange.Text(kName, name);
  EXPECT_EQ("WORK", name);
  exchange.Fail(kName);
  EXPECT_TRUE(exchange.Refused());
  EXPECT_EQ(GetDlgItem(dialog_, kName), GetFocus());
  int start = -1, end = -1;
  fw::Edit(dialog_, kName).GetSel(start, end);
  EXPECT_EQ(0, start);
  EXPECT_EQ(4, end);

  // Nothing after the refusal is exchanged, in either direction, and a second Fail moves nothing.
  std::string note = "field";
  int source = 5;
  exchange.Text(kNote, note);
  exchange.ComboSelection(kSource, source);
  EXPECT_EQ("field", note);
  EXPECT_EQ(5, source);
  exchange.Fail(kNote);
  EXPECT_EQ(GetDlgItem(dialog_, kName), GetFocus());

  fw::DataExchange filling(dialog_, Direction::kToControls);
  filling.Fail(kSource);
  std::string replaced = "replaced";
  filling.Text(kNote, replaced);
  EXPECT_EQ("typed", fw::WindowRef(dialog_, kNote).GetText());
  EXPECT_EQ(GetDlgItem(dialog_, kSource), GetFocus());
}

}  // namespace

// The modal driver itself: a dialog that does not close fails the test and is closed.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "framework/dialog.h"
#include "tests/framework/testkit/dialog_template.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"

namespace {

// A dialog whose only way out is EndModal from outside.
class StubbornDialog : public fw::Dialog {
 public:
  using fw::Dialog::Dialog;

 protected:
  void OnCancel() override {}
  void OnOK() override {}
};

fwtest::DialogTemplate StubbornLayout() {
  fwtest::DialogTemplate layout("Stubborn", 120, 60);
  layout.Button(IDOK, "OK", 5, 40, BS_DEFPUSHBUTTON).Button(IDCANCEL, "Cancel", 60, 40);
  return layout;
}

TEST(ModalRunner, DialogLeftOpenFailsTheTestAndIsClosed) {
  fwtest::DialogTemplate layout = StubbornLayout();
  StubbornDialog dialog(layout.get());
  int result = 0;
  EXPECT_NONFATAL_FAILURE(
      result = fwtest::RunModal(dialog, {[](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }}, 300),
      "dialog still open after 300 ms; 1 of 1 steps were run");
  EXPECT_EQ(-1, result);
  EXPECT_EQ(nullptr, dialog.hwnd());
}

TEST(ModalRunner, RealMessageBoxInsideTheDialogIsClosedToo) {
  fwtest::DialogTemplate layout = StubbornLayout();
  StubbornDialog dialog(layout.get());
  int boxAnswer = 0;
  EXPECT_NONFATAL_FAILURE(
      fwtest::RunModal(
          dialog, {[&](HWND hwnd) { boxAnswer = MessageBoxA(hwnd, "nobody answers", "Test", MB_OK); }}, 300),
      "dialog still open after 300 ms");
  EXPECT_EQ(IDCANCEL, boxAnswer);
  EXPECT_EQ(nullptr, dialog.hwnd());
}

TEST(ModalRunner, DialogClosingBeforeTheLastStepFailsTheTest) {
  fwtest::DialogTemplate layout = StubbornLayout();
  fw::Dialog dialog(layout.get());
  int result = 0;
  EXPECT_NONFATAL_FAILURE(
      result = fwtest::RunModal(dialog, {[](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }, [](HWND) {}}),
      "1 of 2 steps not run");
  EXPECT_EQ(IDCANCEL, result);
}

TEST(ModalRunner, StepThatThrowsFailsTheTestAndClosesTheDialog) {
  fwtest::DialogTemplate layout = StubbornLayout();
  StubbornDialog dialog(layout.get());
  EXPECT_NONFATAL_FAILURE(fwtest::RunModal(dialog, {[](HWND) { throw std::runtime_error("step broke"); }}),
                          "step 0 threw: step broke");
  EXPECT_EQ(nullptr, dialog.hwnd());
}

TEST(ModalRunner, ClickOnMissingOrDisabledControlFails) {
  fwtest::DialogTemplate layout = StubbornLayout();
  fw::Dialog dialog(layout.get());
  fwtest::RunModal(dialog, {[](HWND hwnd) {
                     EXPECT_NONFATAL_FAILURE(fwtest::Click(hwnd, 4711), "no control 4711 to click");
                     EnableWindow(GetDlgItem(hwnd, IDOK), FALSE);
                     EXPECT_NONFATAL_FAILURE(fwtest::Click(hwnd, IDOK), "control 1 is disabled");
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
}

}  // namespace

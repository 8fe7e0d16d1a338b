// The modal dialog: its loop, closing, data exchange on OK, owners, and exceptions that must not
// cross user32.
#include "framework/dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"
#include "tests/support/dialog_template.h"

namespace {

constexpr int kName = 10000;
constexpr int kThrow = 20;

// Shaped like the program's profile dialogs: a field filled by the caller, refused on OK when empty.
class NameDialog : public fw::Dialog {
 public:
  using fw::Dialog::Dialog;

  std::string name = "Draft";
  bool throwInInit = false;
  bool throwInPreTranslate = false;
  std::vector<std::string> seen;

 protected:
  BOOL OnInitDialog() override {
    if (throwInInit) throw std::runtime_error("init failed");
    return fw::Dialog::OnInitDialog();
  }

  void DoDataExchange(fw::DataExchange& exchange) override {
    exchange.Text(kName, name);
    if (exchange.FromControls() && name.empty()) exchange.Fail(kName);
  }

  bool PreTranslateMessage(MSG& message) override {
    const bool f5 = message.message == WM_KEYDOWN && message.wParam == VK_F5;
    if (!f5 && message.message != WM_APP) return false;
    seen.push_back(std::string(f5 ? "F5 to " : "WM_APP to ") +
                   (message.hwnd == hwnd() ? "dialog" : "control"));
    if (throwInPreTranslate) throw std::runtime_error("refresh failed");
    return true;
  }

  bool DispatchTable(const fw::DialogMessage& m) override;

 private:
  static const fw::MessageEntry<NameDialog> kMessages[];
  void OnThrow() { throw std::runtime_error("handler failed"); }
};

const fw::MessageEntry<NameDialog> NameDialog::kMessages[] = {
    {fw::OnCommand(kThrow), &NameDialog::OnThrow},
};

bool NameDialog::DispatchTable(const fw::DialogMessage& m) { return fw::Dispatch(*this, kMessages, m); }

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() {
    fwtest::InitControlsOnce();
    layout_.Edit(kName, 5, 25, 190)
        .Button(kThrow, "Throw", 5, 100)
        .Button(IDOK, "OK", 90, 100, BS_DEFPUSHBUTTON)
        .Button(IDCANCEL, "Cancel", 145, 100);
  }
  fwtest::DialogTemplate layout_{"Add profile", 200, 120};
  fwtest::ScopedWindow owner_{fwtest::CreatePlainWindow("owner", true)};
};

TEST_F(DialogTest, RefusedDataKeepsTheDialogOpenAndTheOwnerDisabled) {
  NameDialog dialog(layout_.get(), owner_.get());
  int result = fwtest::RunModal(dialog, {
                                            [](HWND hwnd) {
                                              SetDlgItemTextA(hwnd, kName, "");
                                              fwtest::Click(hwnd, IDOK);
                                            },
                                            [&](HWND hwnd) {  // still open
                                              EXPECT_FALSE(IsWindowEnabled(owner_.get()));
                                              EXPECT_EQ(owner_.get(), GetWindow(hwnd, GW_OWNER));
                                              SetDlgItemTextA(hwnd, kName, "Travel");
                                              fwtest::Click(hwnd, IDOK);
                                            },
                                        });
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ("Travel", dialog.name);
  EXPECT_TRUE(IsWindowEnabled(owner_.get()));

  // An owner that was disabled before stays disabled.
  EnableWindow(owner_.get(), FALSE);
  fwtest::RunModal(dialog, {[](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }});
  EXPECT_FALSE(IsWindowEnabled(owner_.get()));
}

TEST_F(DialogTest, PreTranslateMessageSeesKeysOfControlsAndMessagesPostedToTheDialog) {
  NameDialog dialog(layout_.get());
  int result = fwtest::RunModal(dialog, {
                                            [&](HWND hwnd) {
                                              fwtest::PostKey(GetDlgItem(hwnd, kName), VK_F5);
                                              PostMessageA(hwnd, WM_APP, 0, 0);
                                              // Not the dialog's: must not reach its PreTranslateMessage.
                                              PostMessageA(owner_.get(), WM_APP, 0, 0);
                                            },
                                            [](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); },
                                        });
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ((std::vector<std::string>{"F5 to control", "WM_APP to dialog"}), dialog.seen);
}

// Every end but OK leaves the field alone; an exception from a handler, the loop or the start closes
// the dialog and reaches the caller, and the same object runs again afterwards.
TEST_F(DialogTest, EveryOtherEndLeavesTheFieldAloneAndExceptionsReachTheCaller) {
  const struct {
    int result;
    const char* thrown;  // or null
    bool inInit, inPreTranslate;
    fwtest::Step close;
  } rows[] = {
      {IDCANCEL, nullptr, false, false, [](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }},
      {IDCANCEL, nullptr, false, false,
       [](HWND hwnd) { fwtest::PostKey(GetDlgItem(hwnd, kName), VK_ESCAPE); }},
      {-1, nullptr, false, false, [](HWND hwnd) { DestroyWindow(hwnd); }},
      {0, "handler failed", false, false, [](HWND hwnd) { fwtest::Click(hwnd, kThrow); }},
      {0, "refresh failed", false, true, [](HWND hwnd) { fwtest::PostKey(GetDlgItem(hwnd, kName), VK_F5); }},
      {0, "init failed", true, false, nullptr},
      {-1, nullptr, false, false, [](HWND) { PostQuitMessage(7); }},  // last: the quit stays queued
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE(i);
    NameDialog dialog(layout_.get(), owner_.get());
    dialog.throwInInit = rows[i].inInit;
    dialog.throwInPreTranslate = rows[i].inPreTranslate;
    try {
      const fwtest::Step edit = [](HWND hwnd) { SetDlgItemTextA(hwnd, kName, "Edited"); };
      EXPECT_EQ(rows[i].result,
                rows[i].close ? fwtest::RunModal(dialog, {edit, rows[i].close}) : dialog.DoModal());
      EXPECT_EQ(nullptr, rows[i].thrown) << "DoModal returned instead of throwing";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(rows[i].thrown, e.what());
    }
    EXPECT_EQ("Draft", dialog.name);
    EXPECT_EQ(nullptr, dialog.hwnd());
    EXPECT_EQ(nullptr, fwtest::TopDialog()) << "the window is gone";
    EXPECT_TRUE(IsWindowEnabled(owner_.get()));
    if (rows[i].thrown) {
      dialog.throwInInit = dialog.throwInPreTranslate = false;
      EXPECT_EQ(IDCANCEL, fwtest::RunModal(dialog, {[](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }}));
    }
  }
  MSG message = {};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT is posted again";
  EXPECT_EQ(7u, message.wParam);

  fwtest::DialogTemplate unknownClass("Broken", 100, 50);
  unknownClass.Add("NoSuchWindowClass.Tarnwick", "", 100, 0, 0, 0, 10, 10);
  NameDialog noTemplate(nullptr), broken(unknownClass.get());
  EXPECT_EQ(-1, noTemplate.DoModal());
  EXPECT_EQ(-1, broken.DoModal());
}

}  // namespace

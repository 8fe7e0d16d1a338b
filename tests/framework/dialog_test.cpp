// The modal dialog: its loop, closing, data exchange on opening and OK, refusals, owners, and
// exceptions that must not cross user32.
#include "framework/dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/combobox.h"
#include "framework/edit.h"
#include "framework/msgbox.h"
#include "tests/support/dialog_template.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"

namespace {

constexpr int kName = 10000;
constexpr int kDescription = 10001;
constexpr int kSource = 10002;
constexpr int kThrow = 20;

fwtest::DialogTemplate ProfileLayout() {
  fwtest::DialogTemplate layout("Add profile", 200, 120);
  layout.DropDownList(kSource, 5, 5, 190)
      .Edit(kName, 5, 25, 190)
      .Edit(kDescription, 5, 45, 190, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_BORDER)
      .Button(kThrow, "Throw", 5, 100)
      .Button(IDOK, "OK", 90, 100, BS_DEFPUSHBUTTON)
      .Button(IDCANCEL, "Cancel", 145, 100);
  return layout;
}

// Shaped like the program's profile dialogs: fields filled by the caller, validated on OK.
class ProfileDialog : public fw::Dialog {
 public:
  using fw::Dialog::Dialog;

  std::vector<std::string> sources = {"Default", "Work", "Home"};
  int sourceIndex = 1;
  std::string name = "Draft";
  std::string description = "first line\r\nsecond line";
  bool throwInInit = false;
  bool throwInPreTranslate = false;
  UINT watchedMessage = 0;
  std::vector<std::string> seen;

 protected:
  BOOL OnInitDialog() override {
    if (throwInInit) throw std::runtime_error("init failed");
    fw::ComboBox combo(Item(kSource));
    for (const std::string& source : sources) combo.AddString(source);
    return fw::Dialog::OnInitDialog();
  }

  void DoDataExchange(fw::DataExchange& exchange) override {
    exchange.ComboSelection(kSource, sourceIndex);
    exchange.Text(kName, name);
    if (exchange.FromControls()) {
      if (fw::ComboBox(Item(kSource)).FindStringExact(name) >= 0) {
        fw::MessageBoxApp(hwnd(), "The profile \"" + name + "\" already exists", MB_ICONSTOP);
        exchange.Fail(kName);
      } else if (name.empty()) {
        fw::MessageBoxApp(hwnd(), "Empty names are not allowed", MB_ICONSTOP);
        exchange.Fail(kName);
      }
    }
    exchange.Text(kDescription, description);
  }

  bool PreTranslateMessage(MSG& message) override {
    if (message.message == WM_KEYDOWN && message.wParam == VK_F5) {
      char className[32] = {};
      GetClassNameA(message.hwnd, className, sizeof className);
      seen.push_back(std::string("F5 in ") + className);
      if (throwInPreTranslate) throw std::runtime_error("refresh failed");
      return true;
    }
    if (watchedMessage && message.message == watchedMessage) {
      seen.push_back(message.hwnd == hwnd() ? "activation to dialog" : "activation elsewhere");
      return true;
    }
    return false;
  }

  bool DispatchTable(const fw::DialogMessage& m) override;

 private:
  static const fw::MessageEntry<ProfileDialog> kMessages[];
  void OnThrow() { throw std::runtime_error("handler failed"); }
};

const fw::MessageEntry<ProfileDialog> ProfileDialog::kMessages[] = {
    {fw::OnCommand(kThrow), &ProfileDialog::OnThrow},
};

bool ProfileDialog::DispatchTable(const fw::DialogMessage& m) { return fw::Dispatch(*this, kMessages, m); }

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { fwtest::InitControlsOnce(); }
  fwtest::DialogTemplate layout_ = ProfileLayout();
  fwtest::MessageBoxScript boxes_;
};

TEST_F(DialogTest, RefusedDataKeepsTheDialogOpenWithTheFocusOnTheControl) {
  ProfileDialog dialog(layout_.get());
  HWND focus = nullptr;
  HWND nameEdit = reinterpret_cast<HWND>(1);
  int selectionStart = -1, selectionEnd = -1;
  bool openAfterRefusal = false;
  boxes_.Answer(IDOK);
  boxes_.Answer(IDOK);
  int result = fwtest::RunModal(dialog, {
                                            [](HWND hwnd) {
                                              SetDlgItemTextA(hwnd, kName, "WORK");  // taken, ignoring case
                                              SetDlgItemTextA(hwnd, kDescription, "changed");
                                              SetFocus(GetDlgItem(hwnd, kDescription));
                                              fwtest::Click(hwnd, IDOK);
                                            },
                                            [&](HWND hwnd) {
                                              openAfterRefusal = IsWindowVisible(hwnd) != FALSE;
                                              focus = GetFocus();
                                              nameEdit = GetDlgItem(hwnd, kName);
                                              fw::Edit(hwnd, kName).GetSel(selectionStart, selectionEnd);
                                              SetDlgItemTextA(hwnd, kName, "");
                                              fwtest::Click(hwnd, IDOK);
                                            },
                                            [](HWND hwnd) {
                                              SetDlgItemTextA(hwnd, kName, "Travel");
                                              fwtest::Click(hwnd, IDOK);
                                            },
                                        });
  EXPECT_EQ(IDOK, result);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(nameEdit, focus);
  EXPECT_EQ(0, selectionStart);
  EXPECT_EQ(4, selectionEnd);
  ASSERT_EQ(2u, boxes_.shown().size());
  EXPECT_EQ("The profile \"WORK\" already exists", boxes_.shown()[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes_.shown()[0].flags);
  EXPECT_EQ("Empty names are not allowed", boxes_.shown()[1].text);
  EXPECT_EQ("Travel", dialog.name);
  EXPECT_EQ("changed", dialog.description);
}

TEST_F(DialogTest, EveryWayOfCancellingClosesWithIdCancelAndKeepsTheFields) {
  struct Row {
    const char* what;
    fwtest::Step close;
  };
  const Row rows[] = {
      {"Cancel button", [](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }},
      {"Escape key", [](HWND hwnd) { fwtest::PostKey(GetDlgItem(hwnd, kName), VK_ESCAPE); }},
      {"close box", [](HWND hwnd) { PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ProfileDialog dialog(layout_.get());
    int result =
        fwtest::RunModal(dialog, {[](HWND hwnd) { SetDlgItemTextA(hwnd, kName, "Edited"); }, rows[i].close});
    EXPECT_EQ(IDCANCEL, result) << "row " << i << ": " << rows[i].what;
    EXPECT_EQ("Draft", dialog.name) << "row " << i << ": " << rows[i].what;
  }
}

TEST_F(DialogTest, PreTranslateMessageSeesKeysOfControlsAndMessagesPostedToTheDialog) {
  ProfileDialog dialog(layout_.get());
  dialog.watchedMessage = RegisterWindowMessageA("TarnwickTests.Framework.Activate");
  fwtest::ScopedWindow bystander(fwtest::CreatePlainWindow("bystander", false));
  int result = fwtest::RunModal(dialog, {
                                            [&](HWND hwnd) {
                                              fwtest::PostKey(GetDlgItem(hwnd, kName), VK_F5);
                                              PostMessageA(hwnd, dialog.watchedMessage, 0, 0);
                                              // Not the dialog's: must not reach its PreTranslateMessage.
                                              PostMessageA(bystander.get(), dialog.watchedMessage, 0, 0);
                                            },
                                            [](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); },
                                        });
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ((std::vector<std::string>{"F5 in Edit", "activation to dialog"}), dialog.seen);
}

TEST_F(DialogTest, ExceptionInAHandlerClosesTheDialogAndReachesTheCaller) {
  fwtest::ScopedWindow owner(fwtest::CreatePlainWindow("owner", true));
  ProfileDialog dialog(layout_.get(), owner.get());
  HWND window = nullptr;
  try {
    fwtest::RunModal(dialog, {[&](HWND hwnd) {
                       window = hwnd;
                       fwtest::Click(hwnd, kThrow);
                     }});
    ADD_FAILURE() << "DoModal returned instead of throwing";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ("handler failed", e.what());
  }
  EXPECT_NE(nullptr, window);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(nullptr, dialog.hwnd());
  EXPECT_TRUE(IsWindowEnabled(owner.get()));
  EXPECT_EQ("Draft", dialog.name);

  // The same object runs again normally.
  EXPECT_EQ(IDCANCEL, fwtest::RunModal(dialog, {[](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }}));
}

TEST_F(DialogTest, ExceptionInOnInitDialogOrPreTranslateMessageReachesTheCaller) {
  ProfileDialog failsToOpen(layout_.get());
  failsToOpen.throwInInit = true;
  EXPECT_THROW(failsToOpen.DoModal(), std::runtime_error);
  EXPECT_EQ(nullptr, failsToOpen.hwnd());

  ProfileDialog failsToRefresh(layout_.get());
  failsToRefresh.throwInPreTranslate = true;
  EXPECT_THROW(
      fwtest::RunModal(failsToRefresh, {[](HWND hwnd) { fwtest::PostKey(GetDlgItem(hwnd, kName), VK_F5); }}),
      std::runtime_error);
  EXPECT_EQ(nullptr, failsToRefresh.hwnd());
}

TEST_F(DialogTest, OwnerIsDisabledWhileTheDialogRuns) {
  fwtest::ScopedWindow owner(fwtest::CreatePlainWindow("owner", true));
  ProfileDialog dialog(layout_.get(), owner.get());
  bool ownerEnabledDuringRun = true;
  HWND dialogOwner = nullptr;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     ownerEnabledDuringRun = IsWindowEnabled(owner.get()) != FALSE;
                     dialogOwner = GetWindow(hwnd, GW_OWNER);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  EXPECT_FALSE(ownerEnabledDuringRun);
  EXPECT_EQ(owner.get(), dialogOwner);
  EXPECT_TRUE(IsWindowEnabled(owner.get()));

  // An owner that was disabled before stays disabled.
  EnableWindow(owner.get(), FALSE);
  fwtest::RunModal(dialog, {[](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }});
  EXPECT_FALSE(IsWindowEnabled(owner.get()));
}

TEST_F(DialogTest, CreationFailureAnswersMinusOne) {
  ProfileDialog noTemplate(nullptr);
  EXPECT_EQ(-1, noTemplate.DoModal());

  fwtest::DialogTemplate unknownClass("Broken", 100, 50);
  unknownClass.Add("NoSuchWindowClass.Tarnwick", "", 100, 0, 0, 0, 10, 10);
  ProfileDialog broken(unknownClass.get());
  EXPECT_EQ(-1, broken.DoModal());
  EXPECT_EQ(nullptr, broken.hwnd());
}

TEST_F(DialogTest, QuitMessageEndsTheLoopAndIsPostedAgain) {
  ProfileDialog dialog(layout_.get());
  EXPECT_EQ(-1, fwtest::RunModal(dialog, {[](HWND) { PostQuitMessage(7); }}));
  MSG quit = {};
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, quit.wParam);
}

TEST_F(DialogTest, WindowDestroyedByOthersEndsTheLoop) {
  ProfileDialog dialog(layout_.get());
  EXPECT_EQ(-1, fwtest::RunModal(dialog, {[](HWND hwnd) { DestroyWindow(hwnd); }}));
  EXPECT_EQ(nullptr, dialog.hwnd());
}

}  // namespace

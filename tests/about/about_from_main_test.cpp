// The About box as the user reaches it: the "About..." item of the main dialog's system menu, with
// private registry trees behind the main dialog, and a picture of the box for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/handles.h"
#include "base/oem_info.h"
#include "framework/language.h"
#include "framework/subclass.h"
#include "resources/resource.h"
#include "tests/about/about_test_util.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/testkit/window_picture.h"
#include "tests/framework/windowed_test.h"
#include "tests/support/private_registry.h"
#include "ui/main_dialog.h"
#include "ui/static_link.h"

namespace {

using abouttest::WindowText;

class AboutFromMainDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_.reset(new PrivateRegistry("about"));
    ASSERT_TRUE(registry_->ok());
    fwtest::InitControlsOnce();
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  }
  void TearDown() override {
    registry_.reset();
    EXPECT_EQ(ERROR_SUCCESS, PrivateRegistry::LastCleanup());
  }

  std::unique_ptr<PrivateRegistry> registry_;
  fwtest::MessageBoxScript boxes_;  // a message box would fail the test
};

struct LinkShown {
  bool visible = false;
  std::string text;
  std::string target;
};

LinkShown ReadLink(HWND about, int id) {
  HWND control = GetDlgItem(about, id);
  LinkShown shown;
  shown.visible = IsWindowVisible(control) != FALSE;
  shown.text = WindowText(control);
  CStaticLink* link = dynamic_cast<CStaticLink*>(fw::SubclassedWindow::FromHandle(control));
  shown.target = link ? link->Target() : "(no link)";
  return shown;
}

TEST_F(AboutFromMainDialogTest, SystemMenuItemOpensTheAboutBox) {
  CPManDlg dialog;
  HWND main = nullptr;
  HWND about = nullptr;
  HWND aboutOwner = nullptr;
  std::string title;
  std::string version;
  std::string name;
  LinkShown webSite;
  LinkShown support;
  fwtest::WindowPicture picture;
  const std::string picturePath = fwtest::ScreenshotFolder() + "about_box_en.bmp";
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                              main = hwnd;
                              // As the system menu sends it; returns when the About box has closed.
                              SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
                            },
                            [&](HWND) {
                              about = fwtest::TopDialog();
                              ASSERT_NE(nullptr, about);
                              ASSERT_NE(main, about);
                              aboutOwner = GetWindow(about, GW_OWNER);
                              title = WindowText(about);
                              version = WindowText(GetDlgItem(about, IDC_ABOUT_VERSION));
                              name = WindowText(GetDlgItem(about, IDC_ABOUT_PRODUCT));
                              webSite = ReadLink(about, IDC_ABOUT_WWW);
                              support = ReadLink(about, IDC_ABOUT_SUPPORT);
                              picture = fwtest::SaveWindowPicture(about, picturePath);
                              fwtest::Click(about, IDOK);
                            },
                            [&](HWND hwnd) {
                              EXPECT_EQ(hwnd, fwtest::TopDialog()) << "the About box has closed";
                              fwtest::Click(hwnd, IDCANCEL);
                            }});
  EXPECT_EQ(main, aboutOwner);
  EXPECT_EQ("About Orvane for AutoCAD 1.0", title);
  EXPECT_EQ("Version: 1.0", version);
  EXPECT_EQ("Orvane for AutoCAD", name);

  IOemInfo* info = new_IOemInfo();
  const char* site = info->GetOemText3();
  const char* help = info->GetOemText2();
  EXPECT_TRUE(webSite.visible);
  EXPECT_EQ(site, webSite.target);
  EXPECT_EQ(site + std::strlen(site) + 1, webSite.text);
  EXPECT_TRUE(support.visible);
  EXPECT_EQ(help, support.target);
  EXPECT_EQ(help + std::strlen(help) + 1, support.text);
  info->Release();

  fwtest::ExpectPicture(picture, picturePath);
  EXPECT_TRUE(boxes_.shown().empty());
}

}  // namespace

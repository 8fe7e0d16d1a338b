// Pictures of the main dialog and the profile dialogs in English and Russian, for a person to
// look at: <build>/screenshots/*.bmp. Each must hold a real picture of the window's size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/language.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/testkit/window_picture.h"
#include "tests/ui_dialogs/dialog_driver.h"
#include "tests/ui_dialogs/dialog_fixture.h"
#include "ui/main_dialog.h"

namespace {

class ScreenshotTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SeedWorld();
  }
  void TearDown() override {
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    DialogTest::TearDown();
  }

  // The main dialog with Work chosen and one application selected, then its two profile dialogs.
  void Photograph(const std::string& suffix) {
    const std::string folder = fwtest::ScreenshotFolder();
    CPManDlg dialog;
    std::vector<std::pair<std::string, fwtest::WindowPicture>> pictures;
    fwtest::RunModal(dialog, {[&](HWND hwnd) {
                                drive::Select(hwnd, IDC_PROFILES, 2);
                                drive::Select(hwnd, IDC_APPLICATIONS, 1);
                                drive::Check(hwnd, 1, false);
                                const std::string name = "main_dialog_" + suffix + ".bmp";
                                pictures.emplace_back(name, fwtest::SaveWindowPicture(hwnd, folder + name));
                                fwtest::Click(hwnd, IDC_ADD_PROFILE);
                              },
                              [&](HWND) {
                                HWND add = fwtest::TopDialog();
                                drive::Type(add, IDC_PROFILE_NAME, "Laptop");
                                // The caret after the text, where typing leaves it.
                                SendDlgItemMessageA(add, IDC_PROFILE_NAME, EM_SETSEL, 6, 6);
                                const std::string name = "add_profile_" + suffix + ".bmp";
                                pictures.emplace_back(name, fwtest::SaveWindowPicture(add, folder + name));
                                fwtest::Click(add, IDCANCEL);
                              },
                              [&](HWND hwnd) { fwtest::Click(hwnd, IDC_RENAME_PROFILE); },
                              [&](HWND) {
                                HWND rename = fwtest::TopDialog();
                                const std::string name = "change_profile_" + suffix + ".bmp";
                                pictures.emplace_back(name, fwtest::SaveWindowPicture(rename, folder + name));
                                fwtest::Click(rename, IDCANCEL);
                              },
                              [&](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }});
    ASSERT_EQ(3u, pictures.size());
    for (const auto& picture : pictures) fwtest::ExpectPicture(picture.second, picture.first);
  }

  fwtest::MessageBoxScript boxes_;
};

TEST_F(ScreenshotTest, English) {
  SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  Photograph("en");
}

TEST_F(ScreenshotTest, Russian) {
  SetUiLanguage(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  // Texts of the string table pass through the ANSI code page; only 1251 shows them in Cyrillic.
  std::printf("ANSI code page %u\n", ::GetACP());
  Photograph("ru");
}

}  // namespace

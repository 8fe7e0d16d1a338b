// The About box: the version line, links hidden without texts, and the way the user reaches it
// (the system menu of the main dialog); the property page's rescaling of control rectangles.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "base/unknown_impl.h"
#include "framework/language.h"
#include "framework/subclass.h"
#include "framework/window.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"
#include "tests/support/private_registry.h"
#include "ui/about_dialog.h"
#include "ui/main_dialog.h"
#include "ui/qv_base_property_page.h"
#include "ui/static_link.h"

namespace {

TEST(AboutVersionLine, NumbersWithoutAVersionTextElseTheTrimmedText) {
  const struct {
    const char* text;
    int major, minor;
    const char* suffix;
    const char* line;
  } rows[] = {
      {nullptr, 0, 0, "", "Version: 0.0"},
      {" \t ", 4, 12, "", "Version: 4.12"},
      {"  3.1 beta \t", 2, 5, "", "Version: 3.1 beta"},
      {"7", 1, 0, " (32-bit)", "Version: 7 (32-bit)"},
      {"100%s", 1, 0, "", "Version: 100%s"},  // not a format
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].line, AboutVersionLine(rows[i].text, rows[i].major, rows[i].minor, rows[i].suffix))
        << "row " << i;
}

// Product information whose links the test chooses: target and shown text separated by a zero.
class FixedOemInfo : public CQVUnknownImpl<IOemInfo> {
 public:
  const char* supportLink = nullptr;
  const char* webSiteLink = nullptr;

  const char* GetProductName() override { return "Test Product"; }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}
  DWORD GetProductVersion() override { return MAKELONG(2, 5); }
  const char* GetOemText1() override { return ""; }
  const char* GetOemField1() override { return ""; }
  const char* GetOemField2() override { return ""; }
  const char* GetOemField3() override { return ""; }
  const char* GetOemField4() override { return ""; }
  const char* GetProductVersionString() override { return ""; }
  long GetOemValue(long, long, long, long) override { return 0; }
  const char* GetOemText2() override { return supportLink; }
  const char* GetOemText3() override { return webSiteLink; }
};

// "hidden" for a hidden control, else "text -> target" ("(none)" when it is no link).
std::string ShownLink(HWND about, int id) {
  HWND control = ::GetDlgItem(about, id);
  if (!::IsWindowVisible(control)) return "hidden";
  CStaticLink* link = dynamic_cast<CStaticLink*>(fw::SubclassedWindow::FromHandle(control));
  return fw::GetWindowTextString(control) + " -> " + (link ? link->Target() : "(none)");
}

TEST(AboutBox, LinksWithoutTextsAreHidden) {
  fwtest::InitControlsOnce();
  static const char kSite[] = "https://site.example/\0site.example";
  static const char kBare[] = "https://bare.example/\0";
  const struct {
    const char *webSite, *support;
    const char *webSiteShown, *supportShown;
  } rows[] = {
      {nullptr, "", "hidden", "hidden"},
      {nullptr, kSite, "hidden", "site.example -> https://site.example/"},
      // Nothing to show after the target: the target itself is shown.
      {kBare, nullptr, "https://bare.example/ -> https://bare.example/", "hidden"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    FixedOemInfo info;
    info.webSiteLink = rows[i].webSite;
    info.supportLink = rows[i].support;
    CAboutDlg about(nullptr, &info);
    std::string webSite, support, title;
    fwtest::RunModal(about, {[&](HWND hwnd) {
                       title = fw::GetWindowTextString(hwnd);
                       webSite = ShownLink(hwnd, IDC_ABOUT_WWW);
                       support = ShownLink(hwnd, IDC_ABOUT_SUPPORT);
                       fwtest::Click(hwnd, IDOK);
                     }});
    EXPECT_EQ("About Test Product 2.5", title) << "row " << i;
    EXPECT_EQ(rows[i].webSiteShown, webSite) << "row " << i;
    EXPECT_EQ(rows[i].supportShown, support) << "row " << i;
  }
}

TEST(AboutBox, SystemMenuItemOfTheMainDialogOpensItOwnedByTheMainDialog) {
  std::unique_ptr<PrivateRegistry> registry(new PrivateRegistry("about"));
  ASSERT_TRUE(registry->ok());
  fwtest::InitControlsOnce();
  SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  fwtest::MessageBoxScript boxes;  // a message box would fail the test
  CPManDlg dialog;
  fwtest::RunModal(
      dialog, {[&](HWND hwnd) {
                 // Returns when the About box has closed.
                 ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
               },
               [&](HWND hwnd) {
                 HWND about = fwtest::TopDialog();
                 ASSERT_NE(hwnd, about);
                 EXPECT_EQ(hwnd, ::GetWindow(about, GW_OWNER));
                 // The product information of the program itself.
                 EXPECT_EQ("About " + LangString(IDS_APP_NAME) + " 1.0", fw::GetWindowTextString(about));
                 EXPECT_EQ("Version: 1.0", fw::GetWindowTextString(::GetDlgItem(about, IDC_ABOUT_VERSION)));
                 EXPECT_EQ("tarnwick.brevent.example -> https://tarnwick.brevent.example/",
                           ShownLink(about, IDC_ABOUT_WWW));
                 fwtest::Click(about, IDOK);
               },
               [&](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }});
  registry.reset();
  EXPECT_EQ(ERROR_SUCCESS, PrivateRegistry::LastCleanup());
}

TEST(PageLayout, RectanglesScaleByTheWidthAndHeightRatios) {
  const struct {
    RECT rect;
    FontMetrics from, to;
    RECT scaled;
  } rows[] = {
      {{10, 20, 110, 40}, {6, 13}, {9, 26}, {15, 40, 165, 80}},
      // MulDiv rounds: 7 * 7 / 6 = 8.17, 13 * 15 / 13 = 15.
      {{7, 13, 7, 13}, {6, 13}, {7, 15}, {8, 15, 8, 15}},
      {{-12, -13, 12, 13}, {6, 13}, {3, 26}, {-6, -26, 6, 26}},
      // Nothing to scale by: unchanged.
      {{10, 20, 110, 40}, {0, 13}, {12, 26}, {10, 20, 110, 40}},
      {{10, 20, 110, 40}, {6, 13}, {12, 0}, {10, 20, 110, 40}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const RECT got = ScaleRect(rows[i].rect, rows[i].from, rows[i].to);
    EXPECT_TRUE(::EqualRect(&rows[i].scaled, &got))
        << "row " << i << ": " << got.left << "," << got.top << "," << got.right << "," << got.bottom;
  }
}

}  // namespace

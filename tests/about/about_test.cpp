// The About box: the version line, the product information it shows, links hidden without texts,
// texts from the dialog base's own module
// (the way the user reaches it, the main dialog's system menu, is tested with that dialog).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/unknown_impl.h"
#include "framework/language.h"
#include "framework/resource_handle.h"
#include "framework/subclass.h"
#include "framework/window.h"
#include "resources/resource.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"
#include "ui/about_dialog.h"
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

// The program's own product information (info null), and links of other shapes. The caller's
// resource module is another one: the dialog base looks its texts up in its own module.
TEST(AboutBox, TitleVersionAndLinksFromTheProductInformationWithoutTextsHidden) {
  fwtest::InitControlsOnce();
  SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  const HINSTANCE elsewhere = GetModuleHandleA("kernel32.dll");
  fw::ResourceHandleScope outside(elsewhere);
  static const char kSite[] = "https://site.example/\0site.example";
  static const char kBare[] = "https://bare.example/\0";
  const std::string own = "https://tarnwick.brevent.example/";
  const struct {
    bool fixed;
    const char *webSite, *support;
    std::string title, version, webSiteShown, supportShown;
  } rows[] = {
      {false, nullptr, nullptr, "About Orvane for AutoCAD 1.0", "Version: 1.0",
       "tarnwick.brevent.example -> " + own, "Tarnwick support -> " + own + "support/"},
      {true, "", kSite, "About Test Product 2.5", "Version: 2.5", "hidden",
       "site.example -> https://site.example/"},
      // Nothing to show after the target: the target itself is shown.
      {true, kBare, nullptr, "About Test Product 2.5", "Version: 2.5",
       "https://bare.example/ -> https://bare.example/", "hidden"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    FixedOemInfo info;
    info.webSiteLink = rows[i].webSite;
    info.supportLink = rows[i].support;
    CAboutDlg about(nullptr, rows[i].fixed ? &info : nullptr);
    fwtest::RunModal(about, {[&](HWND hwnd) {
                       EXPECT_EQ(rows[i].title, fw::GetWindowTextString(hwnd)) << "row " << i;
                       EXPECT_EQ(rows[i].version,
                                 fw::GetWindowTextString(::GetDlgItem(hwnd, IDC_ABOUT_VERSION)));
                       EXPECT_EQ(rows[i].webSiteShown, ShownLink(hwnd, IDC_ABOUT_WWW)) << "row " << i;
                       EXPECT_EQ(rows[i].supportShown, ShownLink(hwnd, IDC_ABOUT_SUPPORT)) << "row " << i;
                       fwtest::Click(hwnd, IDOK);
                     }});
  }
  EXPECT_EQ(elsewhere, fw::ResourceHandle()) << "the caller's module is back after each message";
}

}  // namespace

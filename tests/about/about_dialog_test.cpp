// The About box on its own: the version line, title, notice, links (hidden without texts), fonts,
// the layout around the picture, and the picture from the true-colour or the palette bitmap.
#include "ui/about_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/subclass.h"
#include "resources/resource.h"
#include "tests/about/about_test_util.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"
#include "ui/static_link.h"

namespace {

using abouttest::ChildRect;
using abouttest::WindowText;

TEST(AboutVersionLine, NumbersWithoutAVersionTextElseTheTrimmedText) {
  struct Row {
    const char* text;
    int major;
    int minor;
    const char* suffix;
    const char* line;
  };
  const Row rows[] = {
      {"", 1, 0, "", "Version: 1.0"},
      {"", 2, 5, "", "Version: 2.5"},
      {nullptr, 0, 0, "", "Version: 0.0"},
      {" \t ", 4, 12, "", "Version: 4.12"},
      {"  3.1 beta \t", 2, 5, "", "Version: 3.1 beta"},
      {"1.0", 9, 9, "", "Version: 1.0"},
      {"7", 1, 0, " (32-bit)", "Version: 7 (32-bit)"},
      {"", 1, 0, " (32-bit)", "Version: 1.0 (32-bit)"},
      // A text with a percent sign stays as it is.
      {"100%s", 1, 0, "", "Version: 100%s"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].line, AboutVersionLine(rows[i].text, rows[i].major, rows[i].minor, rows[i].suffix))
        << "row " << i;
}

// What the About box showed, read while it was open.
struct Shown {
  std::string title;
  std::string name;
  std::string version;
  std::string notice;
  std::string text;
  bool webSiteVisible = false;
  bool supportVisible = false;
  std::string webSite;
  std::string support;
  std::string webSiteTarget;  // "(none)" when the control is no link
  std::string supportTarget;
};

std::string LinkTargetOf(HWND control) {
  CStaticLink* link = dynamic_cast<CStaticLink*>(fw::SubclassedWindow::FromHandle(control));
  return link ? link->Target() : "(none)";
}

Shown ReadAbout(HWND about) {
  Shown shown;
  shown.title = WindowText(about);
  shown.name = WindowText(GetDlgItem(about, IDC_ABOUT_PRODUCT));
  shown.version = WindowText(GetDlgItem(about, IDC_ABOUT_VERSION));
  shown.notice = WindowText(GetDlgItem(about, IDC_ABOUT_NOTICE));
  shown.text = WindowText(GetDlgItem(about, IDC_ABOUT_TEXT));
  HWND webSite = GetDlgItem(about, IDC_ABOUT_WWW);
  HWND support = GetDlgItem(about, IDC_ABOUT_SUPPORT);
  shown.webSiteVisible = IsWindowVisible(webSite) != FALSE;
  shown.supportVisible = IsWindowVisible(support) != FALSE;
  shown.webSite = WindowText(webSite);
  shown.support = WindowText(support);
  shown.webSiteTarget = LinkTargetOf(webSite);
  shown.supportTarget = LinkTargetOf(support);
  return shown;
}

Shown OpenAndRead(IOemInfo* info, HWND owner = nullptr) {
  CAboutDlg about(owner, info);
  Shown shown;
  fwtest::RunModal(about, {[&](HWND hwnd) {
                     shown = ReadAbout(hwnd);
                     fwtest::Click(hwnd, IDOK);
                   }});
  return shown;
}

class AboutDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { fwtest::InitControlsOnce(); }
};

TEST_F(AboutDialogTest, ShowsTheProgramsNameVersionNoticeAndLinks) {
  const Shown shown = OpenAndRead(nullptr);
  EXPECT_EQ("About Orvane for AutoCAD 1.0", shown.title);
  EXPECT_EQ("Orvane for AutoCAD", shown.name);
  EXPECT_EQ("Version: 1.0", shown.version);
  EXPECT_EQ("Copyright (C) 2026 Brevent Software. All rights reserved.", shown.notice);
  EXPECT_EQ("Links Brevent Software applications into AutoCAD profiles.", shown.text);
  EXPECT_TRUE(shown.webSiteVisible);
  EXPECT_EQ("tarnwick.brevent.example", shown.webSite);
  EXPECT_EQ("https://tarnwick.brevent.example/", shown.webSiteTarget);
  EXPECT_TRUE(shown.supportVisible);
  EXPECT_EQ("Tarnwick support", shown.support);
  EXPECT_EQ("https://tarnwick.brevent.example/support/", shown.supportTarget);
}

TEST_F(AboutDialogTest, VersionLineWithAndWithoutAVersionText) {
  struct Row {
    DWORD version;
    const char* text;
    const char* title;
    const char* line;
  };
  const Row rows[] = {
      {MAKELONG(2, 5), "", "About Test Product 2.5", "Version: 2.5"},
      {MAKELONG(1, 0), "   ", "About Test Product 1.0", "Version: 1.0"},
      {MAKELONG(2, 5), " 2.5 RC1 ", "About Test Product 2.5", "Version: 2.5 RC1"},
      {MAKELONG(10, 20), "build 77", "About Test Product 10.20", "Version: build 77"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    abouttest::FixedOemInfo info;
    info.version = rows[i].version;
    info.versionText = rows[i].text;
    const Shown shown = OpenAndRead(&info);
    EXPECT_EQ(rows[i].title, shown.title) << "row " << i;
    EXPECT_EQ(rows[i].line, shown.version) << "row " << i;
    EXPECT_EQ("Test Product", shown.name) << "row " << i;
  }
}

TEST_F(AboutDialogTest, LinksWithoutTextsAreHidden) {
  static const char kSite[] = "https://site.example/\0site.example";
  static const char kBare[] = "https://bare.example/\0";
  struct Row {
    const char* webSite;
    const char* support;
    bool webSiteShown;
    bool supportShown;
    const char* webSiteText;
  };
  const Row rows[] = {
      {nullptr, nullptr, false, false, ""},
      {"", "", false, false, ""},
      {kSite, nullptr, true, false, "site.example"},
      {nullptr, kSite, false, true, ""},
      // No text to show after the target: the target itself is shown.
      {kBare, nullptr, true, false, "https://bare.example/"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    abouttest::FixedOemInfo info;
    info.webSiteLink = rows[i].webSite;
    info.supportLink = rows[i].support;
    const Shown shown = OpenAndRead(&info);
    EXPECT_EQ(rows[i].webSiteShown, shown.webSiteVisible) << "row " << i;
    EXPECT_EQ(rows[i].supportShown, shown.supportVisible) << "row " << i;
    EXPECT_EQ(rows[i].webSiteShown ? rows[i].webSite : "(none)", shown.webSiteTarget) << "row " << i;
    EXPECT_EQ(rows[i].supportShown ? rows[i].support : "(none)", shown.supportTarget) << "row " << i;
    if (rows[i].webSiteShown) {
      EXPECT_EQ(rows[i].webSiteText, shown.webSite) << "row " << i;
    }
  }
}

TEST_F(AboutDialogTest, NameInALargerBoldFontTextInSmallFonts) {
  CAboutDlg about;
  LOGFONTA dialogFont = {};
  LOGFONTA name = {};
  LOGFONTA text = {};
  LOGFONTA half = {};
  fwtest::RunModal(about, {[&](HWND hwnd) {
                     dialogFont = abouttest::FontOf(hwnd);
                     name = abouttest::FontOf(GetDlgItem(hwnd, IDC_ABOUT_PRODUCT));
                     text = abouttest::FontOf(GetDlgItem(hwnd, IDC_ABOUT_TEXT));
                     CStatiQV* marked = dynamic_cast<CStatiQV*>(
                         fw::SubclassedWindow::FromHandle(GetDlgItem(hwnd, IDC_ABOUT_PRODUCT)));
                     ASSERT_NE(nullptr, marked);
                     GetObjectA(marked->HalfHeightFont(), sizeof half, &half);
                     fwtest::Click(hwnd, IDOK);
                   }});
  ASSERT_NE(0, dialogFont.lfHeight);
  EXPECT_EQ(MulDiv(dialogFont.lfHeight, 5, 4), name.lfHeight);
  EXPECT_EQ(700, name.lfWeight);
  EXPECT_EQ(0, name.lfWidth);
  EXPECT_STREQ(dialogFont.lfFaceName, name.lfFaceName);
  EXPECT_EQ(MulDiv(name.lfHeight, 1, 2), half.lfHeight) << "the mark follows the name's new font";
  EXPECT_EQ(MulDiv(dialogFont.lfHeight, 3, 4), text.lfHeight);
  EXPECT_STREQ("Small Fonts", text.lfFaceName);
}

TEST_F(AboutDialogTest, FrameTakesThePicturesSizeAndTheRestMovesByTheDifference) {
  abouttest::OwnerWindow owner(40, 30, 900, 700);
  CAboutDlg about(owner.get());
  RECT frame = {};
  RECT placeholder = {};
  RECT version = {};
  RECT ok = {};
  RECT window = {};
  RECT expectedPlaceholder = {7, 7, 71, 47};  // the template's rectangles, in dialog units
  RECT expectedVersion = {80, 22, 243, 30};
  RECT expectedOk = {193, 89, 243, 103};
  RECT expectedClient = {0, 0, 250, 110};
  DWORD style = 0;
  DWORD exStyle = 0;
  fwtest::RunModal(about, {[&](HWND hwnd) {
                     frame = ChildRect(GetDlgItem(hwnd, IDC_ABOUT_FRAME));
                     placeholder = ChildRect(GetDlgItem(hwnd, IDC_ABOUT_FRAME_PLACEHOLDER));
                     version = ChildRect(GetDlgItem(hwnd, IDC_ABOUT_VERSION));
                     ok = ChildRect(GetDlgItem(hwnd, IDOK));
                     GetWindowRect(hwnd, &window);
                     for (RECT* rect : {&expectedPlaceholder, &expectedVersion, &expectedOk, &expectedClient})
                       MapDialogRect(hwnd, rect);
                     style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
                     exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
                     fwtest::Click(hwnd, IDOK);
                   }});
  const SIZE picture = AboutPictureSize();
  ASSERT_EQ(96, picture.cx);
  ASSERT_EQ(64, picture.cy);
  EXPECT_EQ(picture.cx + 2, frame.right - frame.left) << "the picture inside a one-pixel frame";
  EXPECT_EQ(picture.cy + 2, frame.bottom - frame.top);
  EXPECT_EQ(expectedPlaceholder.left, frame.left) << "the frame keeps its corner";
  EXPECT_EQ(expectedPlaceholder.top, frame.top);

  const int dx = frame.right - expectedPlaceholder.right;
  const int dy = frame.bottom - expectedPlaceholder.bottom;
  EXPECT_EQ(expectedPlaceholder.left + dx, placeholder.left);
  EXPECT_EQ(expectedPlaceholder.top, placeholder.top) << "only the button moves down";
  EXPECT_EQ(expectedVersion.left + dx, version.left);
  EXPECT_EQ(expectedVersion.top, version.top);
  EXPECT_EQ(expectedVersion.right - expectedVersion.left, version.right - version.left) << "sizes stay";
  EXPECT_EQ(expectedOk.left + dx, ok.left);
  EXPECT_EQ(expectedOk.top + dy, ok.top);

  RECT expectedWindow = expectedClient;
  AdjustWindowRectEx(&expectedWindow, style, FALSE, exStyle);
  EXPECT_EQ(expectedWindow.right - expectedWindow.left + dx, window.right - window.left);
  EXPECT_EQ(expectedWindow.bottom - expectedWindow.top + dy, window.bottom - window.top);

  // Centred over the owner.
  RECT ownerRect;
  GetWindowRect(owner.get(), &ownerRect);
  EXPECT_LE(std::abs((window.left + window.right) - (ownerRect.left + ownerRect.right)), 1);
  EXPECT_LE(std::abs((window.top + window.bottom) - (ownerRect.top + ownerRect.bottom)), 1);
}

// Pixels of the picture as PaintAboutPicture puts it on a true-colour canvas.
std::vector<COLORREF> Painted(int bitsPerPixel, int width, int height) {
  abouttest::Canvas canvas(width + 20, height + 20, RGB(255, 0, 255));
  EXPECT_TRUE(PaintAboutPicture(canvas.dc(), RECT{10, 10, 10 + width, 10 + height}, bitsPerPixel));
  EXPECT_EQ(0, canvas.CountOther(RECT{0, 0, width + 20, 10}, RGB(255, 0, 255))) << "nothing above the area";
  EXPECT_EQ(0, canvas.CountOther(RECT{0, 10 + height, width + 20, height + 20}, RGB(255, 0, 255)))
      << "nothing below the area";
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(canvas.Pixel(10 + x, 10 + y));
  return pixels;
}

TEST_F(AboutDialogTest, PictureFromTheTrueColourBitmapOrThePaletteOne) {
  int width = 0;
  int height = 0;
  const std::vector<COLORREF> trueColour = abouttest::BitmapPixels(IDB_ABOUT_PICTURE, &width, &height);
  const std::vector<COLORREF> palette = abouttest::BitmapPixels(IDB_ABOUT_PICTURE_256, &width, &height);
  ASSERT_EQ(96u * 64u, trueColour.size());
  ASSERT_EQ(trueColour.size(), palette.size());
  size_t differing = 0;
  for (size_t i = 0; i < trueColour.size(); ++i) differing += trueColour[i] != palette[i];
  ASSERT_GT(differing, 0u) << "the two bitmaps must differ for this test to tell them apart";

  struct Row {
    int bitsPerPixel;
    const std::vector<COLORREF>* expected;
  };
  const Row rows[] = {{32, &trueColour}, {24, &trueColour}, {16, &trueColour}, {8, &palette}, {4, &palette}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const std::vector<COLORREF> painted = Painted(rows[i].bitsPerPixel, width, height);
    size_t mismatches = 0;
    for (size_t p = 0; p < painted.size(); ++p) mismatches += painted[p] != (*rows[i].expected)[p];
    EXPECT_EQ(0u, mismatches) << "row " << i << " at " << rows[i].bitsPerPixel << " bits per pixel";
  }
}

TEST_F(AboutDialogTest, PaintingPutsThePictureInsideTheFrame) {
  int width = 0;
  int height = 0;
  const std::vector<COLORREF> trueColour = abouttest::BitmapPixels(IDB_ABOUT_PICTURE, &width, &height);
  CAboutDlg about;
  size_t mismatches = 0;
  size_t compared = 0;
  fwtest::RunModal(about, {[&](HWND hwnd) {
                     RedrawWindow(hwnd, nullptr, nullptr,
                                  RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                     RECT frame = ChildRect(GetDlgItem(hwnd, IDC_ABOUT_FRAME));
                     fw::WindowDc dc(hwnd);
                     for (int y = 0; y < height; y += 3)
                       for (int x = 0; x < width; x += 3) {
                         ++compared;
                         mismatches += GetPixel(dc.get(), frame.left + 1 + x, frame.top + 1 + y) !=
                                       trueColour[static_cast<size_t>(y) * width + x];
                       }
                     fwtest::Click(hwnd, IDOK);
                   }});
  EXPECT_GT(compared, 600u);
  EXPECT_EQ(0u, mismatches);
}

}  // namespace

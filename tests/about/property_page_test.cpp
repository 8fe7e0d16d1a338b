// The property-page base: translated texts, and the page with all its controls fitted to the
// dictionary's dialog font around the same centre.
#include <gtest/gtest.h>
#include <windows.h>
// needs windows.h before them
#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <map>
#include <string>

#include "base/handles.h"
#include "framework/resource_handle.h"
#include "tests/about/about_test_util.h"
#include "tests/framework/testkit/dialog_template.h"
#include "tests/framework/windowed_test.h"
#include "translate/supp.h"
#include "ui/qv_base_property_page.h"

namespace {

TEST(PageLayout, RectanglesScaleByTheWidthAndHeightRatios) {
  struct Row {
    RECT rect;
    FontMetrics from;
    FontMetrics to;
    RECT scaled;
  };
  const Row rows[] = {
      {{10, 20, 110, 40}, {6, 13}, {12, 26}, {20, 40, 220, 80}},
      {{10, 20, 110, 40}, {6, 13}, {9, 13}, {15, 20, 165, 40}},
      {{10, 20, 110, 40}, {6, 13}, {6, 26}, {10, 40, 110, 80}},
      // MulDiv rounds: 7 * 7 / 6 = 8.17, 13 * 15 / 13 = 15.
      {{7, 13, 7, 13}, {6, 13}, {7, 15}, {8, 15, 8, 15}},
      {{-12, -13, 12, 13}, {6, 13}, {3, 26}, {-6, -26, 6, 26}},
      // Nothing to scale by: unchanged.
      {{10, 20, 110, 40}, {0, 13}, {12, 26}, {10, 20, 110, 40}},
      {{10, 20, 110, 40}, {6, 13}, {12, 0}, {10, 20, 110, 40}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const RECT got = ScaleRect(rows[i].rect, rows[i].from, rows[i].to);
    EXPECT_EQ(rows[i].scaled.left, got.left) << "row " << i;
    EXPECT_EQ(rows[i].scaled.top, got.top) << "row " << i;
    EXPECT_EQ(rows[i].scaled.right, got.right) << "row " << i;
    EXPECT_EQ(rows[i].scaled.bottom, got.bottom) << "row " << i;
  }
}

const int kLabel = 10;
const int kEdit = 11;
const int kCombo = 12;

struct PageShape {
  RECT window = {};  // in the sheet's client coordinates
  RECT client = {};
  HFONT font = nullptr;
  std::map<int, RECT> children;
  RECT comboDropped = {};
};

PageShape ShapeOf(HWND page) {
  PageShape shape;
  shape.window = abouttest::ChildRect(page);
  GetClientRect(page, &shape.client);
  shape.font = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
  for (int id : {kLabel, kEdit, kCombo}) shape.children[id] = abouttest::ChildRect(GetDlgItem(page, id));
  SendDlgItemMessageA(page, kCombo, CB_GETDROPPEDCONTROLRECT, 0,
                      reinterpret_cast<LPARAM>(&shape.comboDropped));
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&shape.comboDropped), 2);
  return shape;
}

// Takes the page's shape on both sides of the base's opening.
class RecordingPage : public QVBasePropertyPage {
 public:
  using QVBasePropertyPage::QVBasePropertyPage;
  PageShape before;
  PageShape after;
  HINSTANCE resources = nullptr;
  std::string label;
  std::map<int, HFONT> childFonts;

 protected:
  BOOL OnInitDialog() override {
    before = ShapeOf(hwnd());
    resources = fw::ResourceHandle();
    BOOL result = QVBasePropertyPage::OnInitDialog();
    after = ShapeOf(hwnd());
    label = abouttest::WindowText(GetDlgItem(hwnd(), kLabel));
    for (int id : {kLabel, kEdit, kCombo})
      childFonts[id] = reinterpret_cast<HFONT>(SendDlgItemMessageA(hwnd(), id, WM_GETFONT, 0, 0));
    return result;
  }
};

void WriteDictionary(const std::string& path) {
  const char text[] =
      "; dialog font and one text for the page tests\r\n"
      "\"DialogFontName\"\r\n\"Tahoma\"\r\n"
      "\"DialogFontScript\"\r\n\"0\"\r\n"
      "\"DialogFontSize\"\r\n\"16\"\r\n"
      "\"Page caption\"\r\n\"Translated caption\"\r\n";
  fw::FileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.get(), text, sizeof text - 1, &written, nullptr));
}

TEST(PropertyPage, FitsItselfAndItsControlsToTheDictionaryFont) {
  fwtest::InitControlsOnce();
  const std::string dictionary = abouttest::ProgramFolder() + "about_page_test.wld";
  WriteDictionary(dictionary);
  ASSERT_EQ(1, Supp_AddWld(dictionary.c_str()));
  DeleteFileA(dictionary.c_str());
  HFONT font = Supp_GetFont();
  ASSERT_NE(nullptr, font);
  LOGFONTA description = {};
  GetObjectA(font, sizeof description, &description);
  ASSERT_STREQ("Tahoma", description.lfFaceName);

  fwtest::DialogTemplate pageTemplate("Page", 160, 90, WS_CHILD | WS_CAPTION | DS_SETFONT);
  pageTemplate.Add("Static", "Page caption", kLabel, SS_LEFT, 7, 7, 100, 10)
      .Edit(kEdit, 7, 20, 100)
      .DropDownList(kCombo, 7, 40, 100);
  RecordingPage page(pageTemplate.get());
  abouttest::OwnerWindow owner(100, 100, 500, 400);
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_MODELESS | PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  header.hwndParent = owner.get();
  header.pszCaption = "Sheet";
  header.nPages = 1;
  header.ppsp = &page.Page();
  HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
  ASSERT_NE(nullptr, sheet);
  ASSERT_NE(nullptr, page.before.font) << "the page was opened";

  EXPECT_EQ(GetModuleHandleA(nullptr), page.resources);
  EXPECT_EQ("Translated caption", page.label);

  const FontMetrics from = MeasureFont(page.before.font);
  const FontMetrics to = MeasureFont(font);
  ASSERT_GT(to.charWidth, from.charWidth) << "a 16-point font against the template's 8 points";
  ASSERT_GT(to.height, from.height);

  // The client area scales, the frame stays, the centre stays (to half a pixel of growth).
  const RECT client = ScaleRect(page.before.client, from, to);
  EXPECT_EQ(client.right, page.after.client.right);
  EXPECT_EQ(client.bottom, page.after.client.bottom);
  const int centreBefore = page.before.window.left + page.before.window.right;
  const int centreAfter = page.after.window.left + page.after.window.right;
  EXPECT_LE(std::abs(centreAfter - centreBefore), 1) << centreBefore << " " << centreAfter;
  const int middleBefore = page.before.window.top + page.before.window.bottom;
  const int middleAfter = page.after.window.top + page.after.window.bottom;
  EXPECT_LE(std::abs(middleAfter - middleBefore), 1) << middleBefore << " " << middleAfter;

  for (int id : {kLabel, kEdit, kCombo}) {
    // A combo box is placed by its dropped-down rectangle; the height it then keeps is its own
    // business (Wine's counts the list without the edit part), so only its other edges are checked.
    const RECT expected =
        ScaleRect(id == kCombo ? page.before.comboDropped : page.before.children[id], from, to);
    const RECT& got = page.after.children[id];
    EXPECT_EQ(expected.left, got.left) << "control " << id;
    EXPECT_EQ(expected.top, got.top) << "control " << id;
    EXPECT_EQ(expected.right, got.right) << "control " << id;
    if (id != kCombo) {
      EXPECT_EQ(expected.bottom, got.bottom) << "control " << id;
    }
    EXPECT_EQ(font, page.childFonts[id]) << "control " << id;
  }
  DestroyWindow(sheet);
}

}  // namespace

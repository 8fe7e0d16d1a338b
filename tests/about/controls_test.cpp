// The controls of the About box on their own: the hyperlink static, the static with the raised mark,
// the read-only rich edit, and the subclassing they stand on.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>

#include "framework/gdi.h"
#include "framework/subclass.h"
#include "tests/about/about_test_util.h"
#include "tests/framework/windowed_test.h"
#include "ui/edit_ex.h"
#include "ui/stati_qv.h"
#include "ui/static_link.h"

namespace {

using abouttest::Canvas;

int g_beeps = 0;
void CountBeep() { ++g_beeps; }

const COLORREF kPaper = RGB(250, 240, 230);

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::InitControlsOnce();
    parent_ = CreateWindowExA(0, "STATIC", "Controls test", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, parent_);
    g_beeps = 0;
    previousBeep_ = CStaticLink::SetFailureBeep(&CountBeep);
  }
  void TearDown() override {
    CStaticLink::SetFailureBeep(previousBeep_);
    if (parent_) DestroyWindow(parent_);
  }

  HWND AddStatic(const char* text, DWORD style = SS_LEFT) {
    return CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, 10, 300, 24, parent_,
                           reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr);
  }

  // What the link answers when its parent hands it a control-colour request, and the colour it set.
  static LRESULT AskColour(HWND link, HDC dc) {
    SetTextColor(dc, RGB(1, 2, 3));
    return SendMessageA(link, fw::kReflectedMessageBase + WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(link));
  }

  static std::string LinkTarget() { return abouttest::ProgramFolder() + "about_link_target.exe"; }
  static std::string MissingTarget() {
    return abouttest::ProgramFolder() + "no such folder\\nothing.tarnwick";
  }

  HWND parent_ = nullptr;
  CStaticLink::FailureBeep previousBeep_ = nullptr;
};

TEST_F(ControlsTest, LinkTurnsVisitedAfterTheShellOpensItsTarget) {
  CStaticLink link(LinkTarget().c_str());
  ASSERT_TRUE(link.Attach(AddStatic("Open me")));
  Canvas canvas(8, 8, kPaper);
  AskColour(link.hwnd(), canvas.dc());
  EXPECT_EQ(CStaticLink::kUnvisitedColor, GetTextColor(canvas.dc()));

  SendMessageA(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(0, g_beeps);
  EXPECT_EQ(CStaticLink::kVisitedColor, link.TextColor());
  AskColour(link.hwnd(), canvas.dc());
  EXPECT_EQ(RGB(128, 0, 128), GetTextColor(canvas.dc()));
}

TEST_F(ControlsTest, LinkThatTheShellCannotOpenBeepsAndKeepsItsColour) {
  CStaticLink link(MissingTarget().c_str());
  ASSERT_TRUE(link.Attach(AddStatic("Broken")));
  SendMessageA(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(1, g_beeps);
  Canvas canvas(8, 8, kPaper);
  AskColour(link.hwnd(), canvas.dc());
  EXPECT_EQ(RGB(0, 0, 255), GetTextColor(canvas.dc()));
}

TEST_F(ControlsTest, LinkWithoutTargetOpensItsWindowTextOrNothing) {
  struct Row {
    std::string text;
    int beeps;
    COLORREF colour;
  };
  const Row rows[] = {
      {"", 0, CStaticLink::kUnvisitedColor},
      {MissingTarget(), 1, CStaticLink::kUnvisitedColor},
      {LinkTarget(), 0, CStaticLink::kVisitedColor},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    g_beeps = 0;
    CStaticLink link("");
    HWND control = AddStatic(rows[i].text.c_str());
    ASSERT_TRUE(link.Attach(control)) << "row " << i;
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(rows[i].beeps, g_beeps) << "row " << i;
    EXPECT_EQ(rows[i].colour, link.TextColor()) << "row " << i;
    DestroyWindow(control);
  }
}

TEST_F(ControlsTest, LinkColoursOnlyPlainTextStaticsWithAnUnderlinedCopyOfTheirFont) {
  fw::GdiObject font(
      CreateFontA(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
  struct Row {
    DWORD style;
    bool coloured;
  };
  const Row rows[] = {{SS_LEFT, true},        {SS_CENTER, true},          {SS_RIGHT, true},
                      {SS_BLACKFRAME, false}, {SS_LEFTNOWORDWRAP, false}, {SS_SIMPLE, false}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    CStaticLink link("target");
    HWND control = AddStatic("Link", rows[i].style);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    ASSERT_TRUE(link.Attach(control)) << "row " << i;
    Canvas canvas(8, 8, kPaper);
    SetBkMode(canvas.dc(), OPAQUE);
    LRESULT brush = AskColour(control, canvas.dc());
    if (!rows[i].coloured) {
      EXPECT_EQ(0, brush) << "row " << i << ": left to the default handling";
      EXPECT_EQ(RGB(1, 2, 3), GetTextColor(canvas.dc())) << "row " << i;
    } else {
      EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH)), brush) << "row " << i;
      EXPECT_EQ(CStaticLink::kUnvisitedColor, GetTextColor(canvas.dc())) << "row " << i;
      EXPECT_EQ(TRANSPARENT, GetBkMode(canvas.dc())) << "row " << i;
      LOGFONTA selected = {};
      GetObjectA(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof selected, &selected);
      EXPECT_TRUE(selected.lfUnderline) << "row " << i;
      EXPECT_EQ(-15, selected.lfHeight) << "row " << i;
      EXPECT_STREQ("Tahoma", selected.lfFaceName) << "row " << i;
    }
    DestroyWindow(control);
  }
}

TEST_F(ControlsTest, LinkStaysUnderlinedInEachFontItIsGiven) {
  CStaticLink link("target");
  HWND control = AddStatic("Link");
  ASSERT_TRUE(link.Attach(control));
  for (LONG height : {-15, -20}) {
    fw::GdiObject font(
        CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    Canvas canvas(8, 8, kPaper);
    AskColour(control, canvas.dc());
    LOGFONTA selected = {};
    GetObjectA(GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof selected, &selected);
    EXPECT_TRUE(selected.lfUnderline) << height;
    EXPECT_EQ(height, selected.lfHeight);
    // The control draws with the copy too, whenever it selects its font.
    const LOGFONTA own = abouttest::FontOf(control);
    EXPECT_TRUE(own.lfUnderline) << height;
    EXPECT_EQ(height, own.lfHeight);
  }
}

TEST_F(ControlsTest, LinkTakesTheMouseAndShowsTheHandCursor) {
  CStaticLink link("target");
  ASSERT_TRUE(link.Attach(AddStatic("Link")));
  // A plain static is transparent to the mouse.
  EXPECT_EQ(HTCLIENT, SendMessageA(link.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(120, 115)));
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  EXPECT_EQ(TRUE, SendMessageA(link.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.hwnd()),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CStaticLink::kHandCursorId));
  ASSERT_NE(nullptr, hand);
  EXPECT_EQ(hand, GetCursor());
}

// Counts its own destruction.
class CountedLink : public CStaticLink {
 public:
  CountedLink(bool autoDelete, int* destroyed) : CStaticLink("target", autoDelete), destroyed_(destroyed) {}
  ~CountedLink() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

TEST_F(ControlsTest, AutoDeleteLinkGoesWithItsWindowOtherLinksStay) {
  int destroyed = 0;
  CountedLink* owned = new CountedLink(true, &destroyed);
  HWND first = AddStatic("First");
  ASSERT_TRUE(owned->Attach(first));
  DestroyWindow(first);
  EXPECT_EQ(1, destroyed);

  {
    CountedLink kept(false, &destroyed);
    HWND second = AddStatic("Second");
    ASSERT_TRUE(kept.Attach(second));
    DestroyWindow(second);
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(nullptr, kept.hwnd());
  }
  EXPECT_EQ(2, destroyed);
}

TEST_F(ControlsTest, OneObjectPerWindowAndOneWindowPerObject) {
  CStaticLink first("a");
  CStaticLink second("b");
  HWND control = AddStatic("Link");
  EXPECT_TRUE(first.Attach(control));
  EXPECT_FALSE(first.Attach(AddStatic("Other")));
  EXPECT_FALSE(second.Attach(control));
  EXPECT_EQ(&first, fw::SubclassedWindow::FromHandle(control));
  EXPECT_FALSE(second.Attach(nullptr));
  first.Detach();
  EXPECT_EQ(nullptr, fw::SubclassedWindow::FromHandle(control));
  EXPECT_TRUE(second.Attach(control));
}

// Throws from its handler: the window must go on with its own handling.
class ThrowingWindow : public fw::SubclassedWindow {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETTEXT) throw std::runtime_error("handler failed");
    return Default(message, wParam, lParam);
  }
};

TEST_F(ControlsTest, ExceptionInAHandlerLeavesTheMessageToTheWindow) {
  ThrowingWindow window;
  HWND control = AddStatic("Before");
  ASSERT_TRUE(window.Attach(control));
  SetWindowTextA(control, "After");
  EXPECT_EQ("After", abouttest::WindowText(control));
}

TEST_F(ControlsTest, MarkedStaticMakesAFontOfHalfTheHeight) {
  struct Row {
    LONG height;
    LONG half;
  };
  const Row rows[] = {{-20, -10}, {-13, -7}, {16, 8}, {-1, -1}, {0, 0}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    fw::GdiObject font(CreateFontA(rows[i].height, 7, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                   0, 0, 0, "Tahoma"));
    CStatiQV marked;
    HWND control = AddStatic("Orvane");
    ASSERT_TRUE(marked.Attach(control));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    ASSERT_NE(nullptr, marked.HalfHeightFont()) << "row " << i;
    LOGFONTA half = {};
    GetObjectA(marked.HalfHeightFont(), sizeof half, &half);
    EXPECT_EQ(rows[i].half, half.lfHeight) << "row " << i;
    EXPECT_EQ(0, half.lfWidth) << "row " << i;
    EXPECT_EQ(FW_BOLD, half.lfWeight) << "row " << i;
    EXPECT_STREQ("Tahoma", half.lfFaceName) << "row " << i;
    // The control itself keeps the font it was given.
    EXPECT_EQ(reinterpret_cast<LRESULT>(font.get()), SendMessageA(control, WM_GETFONT, 0, 0)) << "row " << i;
    DestroyWindow(control);
  }
}

TEST_F(ControlsTest, MarkedTextSplitsAtItsFirstBlank) {
  fw::GdiObject font(
      CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
  fw::GdiObject half(
      CreateFontA(-8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
  Canvas canvas(8, 8, kPaper);
  struct Row {
    const char* text;
    const char* head;
    const char* tail;
  };
  const Row rows[] = {
      {"Orvane for AutoCAD", "Orvane", " for AutoCAD"},
      {"Orvane", "Orvane", ""},
      {" leading", "", " leading"},
      {"two  blanks", "two", "  blanks"},
      {"", "", ""},
  };
  TEXTMETRICA line = {};
  {
    fw::SelectedObject selected(canvas.dc(), font.get());
    GetTextMetricsA(canvas.dc(), &line);
  }
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const MarkedTextLayout layout = LayoutMarkedText(
        canvas.dc(), rows[i].text, static_cast<HFONT>(font.get()), static_cast<HFONT>(half.get()), "TM");
    EXPECT_EQ(rows[i].head, layout.head) << "row " << i;
    EXPECT_EQ(rows[i].tail, layout.tail) << "row " << i;
    EXPECT_EQ(0, layout.headRect.left) << "row " << i;
    EXPECT_EQ(layout.headRect.right, layout.markRect.left) << "row " << i << ": the mark follows the head";
    EXPECT_GT(layout.markRect.right, layout.markRect.left) << "row " << i;
    EXPECT_EQ(layout.markRect.right, layout.tailRect.left) << "row " << i << ": the tail follows the mark";
    // Raised: it ends above the line's foot and starts below its top.
    EXPECT_LT(layout.markRect.bottom, layout.headRect.bottom) << "row " << i;
    EXPECT_GE(layout.markRect.top, 0) << "row " << i;
    EXPECT_EQ(line.tmHeight, layout.headRect.bottom) << "row " << i;
  }
}

// Ink per column range of a painted control on the screen, beside its background colour.
int InkBetween(HWND control, int left, int right) {
  UpdateWindow(control);
  fw::WindowDc dc(control);
  RECT client;
  GetClientRect(control, &client);
  const COLORREF background = GetPixel(dc.get(), client.right - 1, client.bottom - 1);
  int ink = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = left; x < right && x < client.right; ++x)
      if (GetPixel(dc.get(), x, y) != background) ++ink;
  return ink;
}

TEST_F(ControlsTest, MarkIsDrawnAfterATextWithoutABlank) {
  fw::GdiObject font(
      CreateFontA(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
  const std::string previousMark = CStatiQV::Mark();
  SIZE head = {};
  {
    fw::WindowDc screen(nullptr);
    fw::SelectedObject selected(screen.get(), font.get());
    GetTextExtentPoint32A(screen.get(), "Orvane", 6, &head);
  }
  struct Row {
    const char* mark;
    bool inkAfterText;
  };
  const Row rows[] = {{"TM", true}, {"", false}, {" ", false}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    CStatiQV::SetMark(rows[i].mark);
    CStatiQV marked;
    HWND control = AddStatic("Orvane");
    ASSERT_TRUE(marked.Attach(control));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    InvalidateRect(control, nullptr, TRUE);
    EXPECT_GT(InkBetween(control, 0, head.cx), 20) << "row " << i << ": the text itself";
    const int after = InkBetween(control, head.cx + 1, head.cx + 40);
    if (rows[i].inkAfterText)
      EXPECT_GT(after, 5) << "row " << i;
    else
      EXPECT_EQ(0, after) << "row " << i;
    DestroyWindow(control);
  }
  CStatiQV::SetMark(previousMark.c_str());
}

TEST_F(ControlsTest, MarkIsOneTextOfAtMost255Characters) {
  const std::string previousMark = CStatiQV::Mark();
  const std::string longMark(300, 'M');
  CStatiQV::SetMark(longMark.c_str());
  EXPECT_EQ(std::string(255, 'M'), CStatiQV::Mark());
  EXPECT_TRUE(CStatiQV::HasMark());
  CStatiQV::SetMark(nullptr);
  EXPECT_STREQ("", CStatiQV::Mark());
  EXPECT_FALSE(CStatiQV::HasMark());
  CStatiQV::SetMark(previousMark.c_str());
  EXPECT_STREQ("TM", CStatiQV::Mark());
}

TEST_F(ControlsTest, RichEditShowsWindowTextOnTheWindowColour) {
  CEditEx edit;
  HWND control =
      CreateWindowExA(0, "RichEdit20A", "Read me", WS_CHILD | WS_VISIBLE | ES_READONLY | ES_MULTILINE, 10, 40,
                      200, 60, parent_, reinterpret_cast<HMENU>(101), GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, control);
  ASSERT_TRUE(edit.Attach(control));

  Canvas canvas(300, 100, kPaper);
  EXPECT_NE(0, SendMessageA(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0));
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(0, canvas.CountOther(RECT{0, 0, 200, 60}, window)) << "the whole client area";
  EXPECT_EQ(0, canvas.CountOther(RECT{200, 60, 300, 100}, kPaper)) << "nothing beyond it";

  for (UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}) {
    SetTextColor(canvas.dc(), RGB(1, 2, 3));
    SetBkColor(canvas.dc(), RGB(4, 5, 6));
    LRESULT brush = SendMessageA(control, fw::kReflectedMessageBase + message,
                                 reinterpret_cast<WPARAM>(canvas.dc()), reinterpret_cast<LPARAM>(control));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)), brush) << message;
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), GetTextColor(canvas.dc())) << message;
    EXPECT_EQ(window, GetBkColor(canvas.dc())) << message;
  }
}

}  // namespace

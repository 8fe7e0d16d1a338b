#include "ui/stati_qv.h"

#include "framework/gdi.h"

namespace {

// The product's trademark sign after its name.
char g_mark[CStatiQV::kMaxMarkLength + 1] = "TM";

const UINT kTextFormat = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP;

HFONT FontOrSystem(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); }

SIZE TextSize(HDC dc, HFONT font, const std::string& text) {
  fw::SelectedObject selected(dc, FontOrSystem(font));
  RECT rect = {0, 0, 0, 0};
  if (!text.empty())
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, kTextFormat | DT_CALCRECT);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

TEXTMETRICA Metrics(HDC dc, HFONT font) {
  fw::SelectedObject selected(dc, FontOrSystem(font));
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  return metrics;
}

void DrawPart(HDC dc, HFONT font, const std::string& text, RECT rect) {
  if (text.empty()) return;
  fw::SelectedObject selected(dc, FontOrSystem(font));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, kTextFormat);
}

}  // namespace

MarkedTextLayout LayoutMarkedText(HDC dc, const std::string& text, HFONT font, HFONT halfFont,
                                  const char* mark) {
  MarkedTextLayout layout;
  const size_t blank = text.find(' ');  // a blank is never the trail byte of a double-byte character
  layout.head = text.substr(0, blank);
  layout.tail = blank == std::string::npos ? std::string() : text.substr(blank);

  const TEXTMETRICA line = Metrics(dc, font);
  const TEXTMETRICA small = Metrics(dc, halfFont);
  const SIZE head = TextSize(dc, font, layout.head);
  const SIZE markSize = TextSize(dc, halfFont, mark ? mark : "");
  const SIZE tail = TextSize(dc, font, layout.tail);

  layout.headRect = RECT{0, 0, head.cx, line.tmHeight};
  int markTop = line.tmAscent - line.tmHeight / 6 - small.tmAscent;
  if (markTop < 0) markTop = 0;
  layout.markRect = RECT{head.cx, markTop, head.cx + markSize.cx, markTop + small.tmHeight};
  layout.tailRect = RECT{layout.markRect.right, 0, layout.markRect.right + tail.cx, line.tmHeight};
  return layout;
}

void DrawMarkedText(HDC dc, const MarkedTextLayout& layout, HFONT font, HFONT halfFont, const char* mark) {
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  DrawPart(dc, font, layout.head, layout.headRect);
  DrawPart(dc, halfFont, mark ? mark : "", layout.markRect);
  DrawPart(dc, font, layout.tail, layout.tailRect);
  SetBkMode(dc, previousMode);
}

CStatiQV::CStatiQV() = default;

CStatiQV::~CStatiQV() = default;

const char* CStatiQV::Mark() { return g_mark; }

void CStatiQV::SetMark(const char* mark) {
  int length = 0;
  if (mark) {
    while (mark[length]) {
      const int step = IsDBCSLeadByte(static_cast<BYTE>(mark[length])) && mark[length + 1] ? 2 : 1;
      if (length + step > kMaxMarkLength) break;
      length += step;
    }
    CopyMemory(g_mark, mark, length);
  }
  g_mark[length] = '\0';
}

bool CStatiQV::HasMark() { return g_mark[0] != '\0' && lstrcmpA(g_mark, " ") != 0; }

LRESULT CStatiQV::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      if (!HasMark()) break;  // plain static text
      Paint();
      return 0;
    case WM_SETFONT:
      MakeHalfHeightFont(reinterpret_cast<HFONT>(wParam));
      break;
  }
  return Default(message, wParam, lParam);
}

void CStatiQV::MakeHalfHeightFont(HFONT font) {
  LOGFONTA description = {};
  if (!GetObjectA(FontOrSystem(font), sizeof description, &description)) return;
  description.lfHeight = MulDiv(description.lfHeight, 1, 2);
  description.lfWidth = 0;
  halfFont_.reset(CreateFontIndirectA(&description));
}

void CStatiQV::Paint() {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd(), WM_GETFONT, 0, 0));
  // Attached after the dialog manager set the font: make the small one now.
  if (!halfFont_) MakeHalfHeightFont(font);
  char text[kMaxTextLength + 1] = "";
  GetWindowTextA(hwnd(), text, sizeof text);

  fw::PaintDc paint(hwnd());
  HDC dc = paint.get();
  if (!dc) return;
  // The parent chooses the colours and the background, as for any static.
  RECT client;
  GetClientRect(hwnd(), &client);
  HBRUSH background = reinterpret_cast<HBRUSH>(SendMessageA(
      GetParent(hwnd()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
  if (background) FillRect(dc, &client, background);
  const MarkedTextLayout layout = LayoutMarkedText(dc, text, font, HalfHeightFont(), Mark());
  DrawMarkedText(dc, layout, font, HalfHeightFont(), Mark());
}

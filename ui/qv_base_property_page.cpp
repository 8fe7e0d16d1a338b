#include "ui/qv_base_property_page.h"

#include "framework/app.h"
#include "framework/gdi.h"
#include "framework/resource_handle.h"
#include "framework/subclass.h"
#include "translate/supp.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

bool IsComboBox(HWND window) {
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  CharUpperA(name);
  return lstrcmpA(name, "COMBOBOX") == 0;
}

// window's rectangle in the client coordinates of parent (the screen for a top-level window).
RECT RectInParent(HWND window, const RECT& screenRect) {
  RECT rect = screenRect;
  HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

FontMetrics MeasureFont(HFONT font) {
  FontMetrics metrics;
  fw::WindowDc screen(nullptr);
  if (!screen.get()) return metrics;
  fw::SelectedObject selected(screen.get(), font ? font : GetStockObject(SYSTEM_FONT));
  SIZE extent = {};
  TEXTMETRICA text = {};
  if (!GetTextExtentPoint32A(screen.get(), kAlphabet, sizeof kAlphabet - 1, &extent) ||
      !GetTextMetricsA(screen.get(), &text))
    return metrics;
  metrics.charWidth = (extent.cx / 26 + 1) / 2;
  metrics.height = text.tmHeight;
  return metrics;
}

RECT ScaleRect(const RECT& rect, const FontMetrics& from, const FontMetrics& to) {
  if (from.charWidth <= 0 || from.height <= 0 || to.charWidth <= 0 || to.height <= 0) return rect;
  return RECT{MulDiv(rect.left, to.charWidth, from.charWidth), MulDiv(rect.top, to.height, from.height),
              MulDiv(rect.right, to.charWidth, from.charWidth), MulDiv(rect.bottom, to.height, from.height)};
}

void RelayoutForFont(HWND window, HFONT font) {
  if (!window || !font) return;
  const FontMetrics from = MeasureFont(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
  const FontMetrics to = MeasureFont(font);
  if (from.charWidth <= 0 || from.height <= 0 || to.charWidth <= 0 || to.height <= 0) return;

  // The client area scales, the frame keeps its size, and the centre stays where it was.
  RECT outer;
  RECT client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const RECT scaledClient = ScaleRect(client, from, to);
  const int newWidth = width - client.right + scaledClient.right;
  const int newHeight = height - client.bottom + scaledClient.bottom;
  const RECT place = RectInParent(window, outer);
  MoveWindow(window, place.left - (newWidth - width) / 2, place.top - (newHeight - height) / 2, newWidth,
             newHeight, TRUE);

  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    RECT rect;
    if (!IsComboBox(child) ||
        !SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rect)))
      GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    const RECT scaled = ScaleRect(rect, from, to);
    MoveWindow(child, scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top, TRUE);
  }
}

QVBasePropertyPage::QVBasePropertyPage(const DLGTEMPLATE* pageTemplate) {
  page_.dwSize = sizeof page_;
  page_.dwFlags = PSP_DLGINDIRECT;
  page_.hInstance = fw::ApplicationInstance();
  page_.pResource = pageTemplate;
  page_.pfnDlgProc = &QVBasePropertyPage::StaticPageProc;
  page_.lParam = reinterpret_cast<LPARAM>(this);
}

QVBasePropertyPage::~QVBasePropertyPage() {
  // Gone before its window: later messages must not reach the object.
  if (hwnd_ && IsWindow(hwnd_)) SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
}

bool QVBasePropertyPage::UpdateData(bool fromControls) {
  fw::DataExchange exchange(hwnd_, fromControls ? fw::DataExchange::Direction::kFromControls
                                                : fw::DataExchange::Direction::kToControls);
  DoDataExchange(exchange);
  return !exchange.Refused();
}

INT_PTR CALLBACK QVBasePropertyPage::StaticPageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  QVBasePropertyPage* page;
  if (message == WM_INITDIALOG) {
    // The sheet passes its copy of the page description, whose lParam is the object.
    const PROPSHEETPAGEA* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    page = description ? reinterpret_cast<QVBasePropertyPage*>(description->lParam) : nullptr;
    if (!page) return FALSE;
    page->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
  } else {
    page = reinterpret_cast<QVBasePropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!page) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    page->hwnd_ = nullptr;
    return FALSE;
  }
  // No exception may unwind through user32.
  try {
    return page->WindowProc(message, wParam, lParam);
  } catch (...) {
    fw::ReportCurrentException("QVBasePropertyPage: handler threw");
    return FALSE;
  }
}

INT_PTR QVBasePropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Resources are looked up in the module of these classes, whoever runs the page; the scope puts
  // the previous module back however the message ends.
  fw::ResourceHandleScope resources(qvbase::ClassesModule());
  if (message == WM_INITDIALOG) return OnInitDialog();
  INT_PTR result = 0;
  if (qvbase::HandleBaseMessage(toolTips_, message, wParam, lParam, &result)) return result;
  if (DispatchTable(fw::DialogMessage{message, wParam, lParam})) {
    if (message == WM_NOTIFY) SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, 0);
    return TRUE;
  }
  return FALSE;
}

BOOL QVBasePropertyPage::OnInitDialog() {
  UpdateData(false);
  toolTips_.Enable(hwnd_);
  Supp_Translate(hwnd_);
  if (HFONT font = Supp_GetFont()) RelayoutForFont(hwnd_, font);
  return TRUE;
}

#include "ui/static_link.h"

#include <shellapi.h>

#include "framework/resource_handle.h"
#include "framework/window.h"

namespace {

void DefaultBeep() { MessageBeep(MB_OK); }

CStaticLink::FailureBeep g_failureBeep = &DefaultBeep;

// The hand cursor, loaded once per process; after one failed load the class cursor stays.
HCURSOR HandCursor() {
  static bool tried = false;
  static HCURSOR cursor = nullptr;  // a shared resource cursor: never destroyed
  if (!tried) {
    tried = true;
    cursor = LoadCursorA(fw::ResourceHandle(), MAKEINTRESOURCEA(CStaticLink::kHandCursorId));
  }
  return cursor;
}

bool IsPlainTextStatic(HWND window) {
  const DWORD type = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & SS_TYPEMASK;
  return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

}  // namespace

CStaticLink::CStaticLink(const char* target, bool autoDelete)
    : target_(target ? target : ""), autoDelete_(autoDelete) {}

CStaticLink::~CStaticLink() = default;

CStaticLink::FailureBeep CStaticLink::SetFailureBeep(FailureBeep beep) {
  FailureBeep previous = g_failureBeep;
  g_failureBeep = beep ? beep : &DefaultBeep;
  return previous;
}

LRESULT CStaticLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTCLIENT;  // a plain static lets the mouse through to its parent
    case fw::kReflectedMessageBase + WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(OnControlColor(reinterpret_cast<HDC>(wParam)));
    case WM_LBUTTONDOWN:
      OpenLink();
      return 0;
    case WM_SETCURSOR:
      if (SetHandCursor()) return TRUE;
      break;
    case WM_SETFONT: {
      // A new font: the underlined copy is made again from it when next needed.
      LRESULT result = Default(message, wParam, lParam);
      if (reinterpret_cast<HGDIOBJ>(wParam) != underlinedFont_.get()) underlinedFont_.reset();
      return result;
    }
  }
  return Default(message, wParam, lParam);
}

void CStaticLink::PostNcDestroy() {
  if (autoDelete_) delete this;
}

HBRUSH CStaticLink::OnControlColor(HDC dc) {
  if (!IsPlainTextStatic(hwnd())) return nullptr;
  if (!underlinedFont_) {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd(), WM_GETFONT, 0, 0));
    LOGFONTA description = {};
    if (GetObjectA(font ? font : GetStockObject(SYSTEM_FONT), sizeof description, &description)) {
      description.lfUnderline = TRUE;
      underlinedFont_.reset(CreateFontIndirectA(&description));
      // Some statics select their own font only after asking for colours: give it the copy too.
      if (underlinedFont_) Default(WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont_.get()), FALSE);
    }
  }
  if (underlinedFont_) SelectObject(dc, underlinedFont_.get());
  SetTextColor(dc, color_);
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

void CStaticLink::OpenLink() {
  std::string target = target_.empty() ? fw::GetWindowTextString(hwnd()) : target_;
  if (target.empty()) return;
  HINSTANCE result = ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(result) > 32) {
    color_ = kVisitedColor;
    // The text is drawn without a background: the parent repaints what lies beneath it first.
    RECT area;
    GetWindowRect(hwnd(), &area);
    HWND parent = GetParent(hwnd());
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return;
  }
  std::string warning = "*** WARNING: CStaticLink: unable to navigate link " + target + "\n";
  OutputDebugStringA(warning.c_str());
  g_failureBeep();
}

bool CStaticLink::SetHandCursor() {
  HCURSOR cursor = HandCursor();
  if (!cursor) return false;
  SetCursor(cursor);
  return true;
}

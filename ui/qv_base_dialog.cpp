#include "ui/qv_base_dialog.h"

#include <commctrl.h>

#include "framework/language.h"
#include "framework/resource_handle.h"
#include "framework/subclass.h"
#include "translate/supp.h"

namespace qvbase {
namespace {

bool IsControlColorMessage(UINT message) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      return true;
  }
  return false;
}

}  // namespace

HMODULE ClassesModule() {
  static const HMODULE module = fw::ModuleOfAddress(reinterpret_cast<const void*>(&ClassesModule));
  return module;
}

bool ToolTips::Enable(HWND window) {
  if (window_ && IsWindow(window_)) return true;
  window_ =
      CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, fw::ResourceHandle(), nullptr);
  if (!window_) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return true;
}

bool ToolTips::OnNotify(NMHDR* header) {
  if (!header || !window_ || header->hwndFrom != window_ || header->code != TTN_GETDISPINFOA) return false;
  NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(header);
  UINT_PTR id = info->hdr.idFrom;
  if (info->uFlags & TTF_IDISHWND) id = static_cast<UINT_PTR>(GetDlgCtrlID(reinterpret_cast<HWND>(id)));
  text_ = id ? LangString(static_cast<UINT>(id)) : std::string();
  size_t lineFeed = text_.find('\n');
  if (lineFeed != std::string::npos) text_.erase(0, lineFeed + 1);
  info->lpszText = const_cast<char*>(text_.c_str());
  info->hinst = nullptr;
  return true;
}

bool HandleBaseMessage(ToolTips& tips, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  if (IsControlColorMessage(message)) {
    LRESULT brush = 0;
    if (!fw::ReflectToControl(reinterpret_cast<HWND>(lParam), message, wParam, lParam, &brush)) return false;
    *result = brush;  // a dialog procedure returns the brush itself
    return true;
  }
  if (message == WM_NOTIFY && tips.OnNotify(reinterpret_cast<NMHDR*>(lParam))) {
    *result = TRUE;
    return true;
  }
  return false;
}

}  // namespace qvbase

QVBaseDlg::QVBaseDlg(const DLGTEMPLATE* dialogTemplate, HWND owner) : fw::Dialog(dialogTemplate, owner) {}

QVBaseDlg::~QVBaseDlg() = default;

bool QVBaseDlg::PreTranslateMessage(MSG& message) {
  if (!hwnd() || !IsWindow(hwnd())) return false;
  return fw::Dialog::PreTranslateMessage(message);
}

INT_PTR QVBaseDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Resources are looked up in the module of these classes, whoever runs the dialog.
  fw::ResourceHandleScope resources(qvbase::ClassesModule());
  INT_PTR result = 0;
  if (qvbase::HandleBaseMessage(toolTips_, message, wParam, lParam, &result)) return result;
  return fw::Dialog::WindowProc(message, wParam, lParam);
}

BOOL QVBaseDlg::OnInitDialog() {
  Supp_SetDialogPos(hwnd(), GetParent(hwnd()), positionFlags_);
  Supp_SetDialogFont(hwnd());
  BOOL opened = fw::Dialog::OnInitDialog();
  if (!opened) return opened;
  toolTips_.Enable(hwnd());
  return TRUE;
}

void QVBaseDlg::CenterWindow() {
  HWND dialog = hwnd();
  if (!dialog) return;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT area = monitor.rcWork;
  HWND owner = GetWindow(dialog, GW_OWNER);
  RECT reference = area;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &reference);
  RECT rect;
  GetWindowRect(dialog, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  int x = (reference.left + reference.right) / 2 - width / 2;
  int y = (reference.top + reference.bottom) / 2 - height / 2;
  if (x + width > area.right) x = area.right - width;
  if (y + height > area.bottom) y = area.bottom - height;
  if (x < area.left) x = area.left;
  if (y < area.top) y = area.top;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

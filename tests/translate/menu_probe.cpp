// menu_probe.dll: a window-procedure hook that a test sets on another process's user-interface
// thread. Loaded there by the system, it reads each pop-up menu as it opens (a menu can only be
// read inside its own process), sends the item texts to the test's window of class
// "TwMenuProbeSink" with WM_COPYDATA, one text per line, and closes the menu.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITMENUPOPUP) {
    HMENU menu = reinterpret_cast<HMENU>(call->wParam);
    std::string texts;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
      char text[256] = "";
      ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
      texts += text;
      texts += '\n';
    }
    if (HWND sink = ::FindWindowA("TwMenuProbeSink", nullptr)) {
      COPYDATASTRUCT data = {0, static_cast<DWORD>(texts.size() + 1), &texts[0]};
      ::SendMessageA(sink, WM_COPYDATA, reinterpret_cast<WPARAM>(call->hwnd),
                     reinterpret_cast<LPARAM>(&data));
    }
    ::EndMenu();
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

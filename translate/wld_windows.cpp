// Translation of live menus and windows.
#include "translate/wld.h"

namespace {

const int kWindowTextBuffer = 1024;
const int kMenuTextBuffer = 256;
const int kLargestMenuTextBuffer = 512;

struct WindowPass {
  const CWld* dictionary;
  HFONT font;
};

void TranslateWindowText(const CWld& dictionary, HWND window) {
  char text[kWindowTextBuffer];
  if (::GetWindowTextA(window, text, sizeof text) <= 0) return;
  const char* translation = dictionary.TranslateInContext(text, nullptr);
  if (translation) ::SetWindowTextA(window, translation);
}

BOOL CALLBACK TranslateChild(HWND child, LPARAM param) {
  const WindowPass* pass = reinterpret_cast<const WindowPass*>(param);
  ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(pass->font), TRUE);
  char className[16];
  if (::GetClassNameA(child, className, sizeof className) > 0 &&
      (lstrcmpiA(className, "STATIC") == 0 || lstrcmpiA(className, "BUTTON") == 0))
    TranslateWindowText(*pass->dictionary, child);
  return TRUE;
}

}  // namespace

int CWld::Translate(HMENU menu) { return TranslateMenu(menu, nullptr, kMenuTextBuffer); }

int CWld::TranslateMenu(HMENU menu, const char* context, int textBuffer) const {
  if (!menu || !HasEntries()) return 1;
  char text[kLargestMenuTextBuffer];
  const int size = textBuffer < 2                        ? 2
                   : textBuffer > kLargestMenuTextBuffer ? kLargestMenuTextBuffer
                                                         : textBuffer;
  const int count = ::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    if (::GetMenuStringA(menu, position, text, size, MF_BYPOSITION) <= 0) continue;
    TranslateInContext(text, static_cast<unsigned>(size), context);
    const UINT state = ::GetMenuState(menu, position, MF_BYPOSITION);
    const UINT kept = state == static_cast<UINT>(-1) ? 0 : state & (MF_GRAYED | MF_CHECKED);
    if (HMENU popup = ::GetSubMenu(menu, position)) {
      ::ModifyMenuA(menu, position, kept | MF_POPUP | MF_BYPOSITION, reinterpret_cast<UINT_PTR>(popup), text);
      TranslateMenu(popup, context, textBuffer);
      continue;
    }
    const UINT id = ::GetMenuItemID(menu, position);
    if (state != static_cast<UINT>(-1) && !(state & MF_POPUP) && id != 0)
      ::ModifyMenuA(menu, position, kept | MF_BYPOSITION, id, text);
  }
  return 1;
}

int CWld::Translate(HWND window) {
  if (!window || !HasEntries()) return 1;
  TranslateWindowText(*this, window);
  WindowPass pass = {this, GetFont()};
  ::EnumChildWindows(window, TranslateChild, reinterpret_cast<LPARAM>(&pass));
  return 1;
}

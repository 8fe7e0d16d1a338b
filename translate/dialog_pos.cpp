// Placing a dialog relative to its owner when it opens.
#include "translate/supp.h"

namespace {

const unsigned kCentrePoint = 1;
const unsigned kLeft = 2;
const unsigned kRight = 4;
const unsigned kTop = 8;
const unsigned kBottom = 16;
const int kMargin = 8;

BOOL CALLBACK FindScrollingChild(HWND child, LPARAM param) {
  if (::GetWindowLongA(child, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) {
    *reinterpret_cast<HWND*>(param) = child;
    return FALSE;
  }
  return TRUE;
}

// The window the dialog is placed against: the owner, or for an owner that is not a pop-up its
// first child with a scroll bar (a view), if there is one. No owner: the desktop.
HWND ReferenceWindow(HWND owner) {
  if (!owner) return ::GetDesktopWindow();
  if (::GetWindowLongA(owner, GWL_STYLE) & WS_POPUP) return owner;
  HWND view = nullptr;
  ::EnumChildWindows(owner, FindScrollingChild, reinterpret_cast<LPARAM>(&view));
  return view ? view : owner;
}

// One coordinate: aligned to the start, to the end, or centred within the reference.
int Place(unsigned flags, unsigned startBit, unsigned endBit, int referenceStart, int clientExtent,
          int dialogExtent) {
  if (flags & startBit) return referenceStart + kMargin;
  if (flags & endBit) return referenceStart + clientExtent - dialogExtent - kMargin;
  return referenceStart + clientExtent / 2 - dialogExtent / 2;
}

int Clamp(int position, int extent, int limit) {
  if (position < 0) position = 0;
  if (position + extent > limit) position = limit - extent;
  return position < 0 ? 0 : position;
}

}  // namespace

extern "C" void Supp_SetDialogPos(HWND dialog, HWND owner, unsigned flags) {
  if (!dialog) return;
  HWND reference = ReferenceWindow(owner);
  const int limitX = ::GetSystemMetrics(SM_CXFULLSCREEN) - kMargin;
  const int limitY = ::GetSystemMetrics(SM_CYFULLSCREEN) - kMargin;
  RECT client = {};
  RECT window = {};
  RECT dialogRect = {};
  if (!::GetClientRect(reference, &client) || !::GetWindowRect(reference, &window) ||
      !::GetWindowRect(dialog, &dialogRect))
    return;
  const int clientWidth = client.right - client.left;
  const int clientHeight = client.bottom - client.top;
  const int dialogWidth = dialogRect.right - dialogRect.left;
  const int dialogHeight = dialogRect.bottom - dialogRect.top;
  if (clientWidth < dialogWidth && clientHeight < dialogHeight) return;
  int x;
  int y;
  if (flags == kCentrePoint) {
    x = window.left + (window.right - window.left) / 2;
    y = window.top + (window.bottom - window.top) / 2;
  } else {
    x = Place(flags, kLeft, kRight, window.left, clientWidth, dialogWidth);
    y = Place(flags, kTop, kBottom, window.top, clientHeight, dialogHeight);
  }
  x = Clamp(x, dialogWidth, limitX) / kMargin * kMargin;
  y = Clamp(y, dialogHeight, limitY) / kMargin * kMargin;
  ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

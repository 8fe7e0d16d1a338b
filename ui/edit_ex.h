// The read-only rich edit of the library's dialogs: window text on the window colour, whatever the
// parent would choose.
#pragma once

#include <windows.h>

#include "framework/subclass.h"

class CEditEx : public fw::SubclassedWindow {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Rich edit controls (class "RichEdit20A" of riched20.dll, which the application loads): only what a
// read-only text pane needs.
#pragma once

#include <windows.h>
// needs windows.h before it
#include <richedit.h>

#include "framework/window.h"

namespace fw {

class RichEdit : public WindowRef {
 public:
  using WindowRef::WindowRef;

  bool SetReadOnly(bool readOnly) const {
    return Send(EM_SETREADONLY, readOnly ? TRUE : FALSE, 0, FALSE) != 0;
  }
  // Returns the previous colour; useSystemColor selects the system window colour instead of color.
  COLORREF SetBackgroundColor(bool useSystemColor, COLORREF color) const {
    return static_cast<COLORREF>(Send(EM_SETBKGNDCOLOR, useSystemColor ? TRUE : FALSE, color, 0));
  }
  // Which notifications the control sends to its parent (ENM_*); returns the previous mask.
  DWORD SetEventMask(DWORD mask) const { return static_cast<DWORD>(Send(EM_SETEVENTMASK, 0, mask, 0)); }
};

}  // namespace fw

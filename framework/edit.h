// Single- and multi-line edit controls.
#pragma once

#include "framework/window.h"

namespace fw {

class Edit : public WindowRef {
 public:
  using WindowRef::WindowRef;

  // Selects characters [start, end); 0, -1 selects everything.
  void SetSel(int start, int end) const { Send(EM_SETSEL, start, end, 0); }
  // Returns false when there is no window (start and end are then -1).
  bool GetSel(int& start, int& end) const {
    DWORD first = 0, last = 0;
    start = end = -1;
    if (!IsValid()) return false;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last), 0);
    start = static_cast<int>(first);
    end = static_cast<int>(last);
    return true;
  }
  bool SetReadOnly(bool readOnly) const {
    return Send(EM_SETREADONLY, readOnly ? TRUE : FALSE, 0, FALSE) != 0;
  }
  // Maximum number of characters the user may type (0: the control's own maximum).
  void SetLimitText(int limit) const { Send(EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0, 0); }
};

}  // namespace fw

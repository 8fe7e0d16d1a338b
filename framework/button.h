// Push buttons, check boxes and radio buttons.
#pragma once

#include "framework/window.h"

namespace fw {

class Button : public WindowRef {
 public:
  using WindowRef::WindowRef;

  // Presses the button as a mouse click would; a disabled button does nothing.
  bool Click() const {
    if (!IsEnabled()) return false;
    Send(BM_CLICK, 0, 0, 0);
    return true;
  }
  bool IsChecked() const { return Send(BM_GETCHECK, 0, 0, BST_UNCHECKED) == BST_CHECKED; }
  void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0, 0); }
};

}  // namespace fw

// The dialog base of the library's windows: places itself against its owner, takes the translation's
// dialog font, shows tool tips, and runs its window procedure with its own module as the resource
// module. The helpers in qvbase are shared with the property-page base.
#pragma once

#include <windows.h>

#include <string>

#include "framework/dialog.h"

namespace qvbase {

// The module that holds these classes, whose resources their windows load.
HMODULE ClassesModule();

// Tool tips for the child controls of a dialog or page: a control's tip is the string resource with
// the control's id, the part after a line feed when it has one; no string, no tip.
class ToolTips {
 public:
  // Creates the tip window, owned by window and destroyed with it, and registers every child;
  // false when the tip window cannot be made.
  bool Enable(HWND window);
  HWND hwnd() const { return window_; }
  // Answers TTN_GETDISPINFOA of this tip window; false for any other notification.
  bool OnNotify(NMHDR* header);

 private:
  HWND window_ = nullptr;
  std::string text_;  // the text handed out last
};

// What both bases do before their own handling: control colours go back to the control they concern,
// tip texts are answered. True with *result when the message was handled here.
bool HandleBaseMessage(ToolTips& tips, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

}  // namespace qvbase

class QVBaseDlg : public fw::Dialog {
 public:
  explicit QVBaseDlg(const DLGTEMPLATE* dialogTemplate = nullptr, HWND owner = nullptr);
  ~QVBaseDlg() override;

  // Where the dialog goes against its owner when it opens (see Supp_SetDialogPos); 0 centres it.
  void SetPositionFlags(unsigned flags) { positionFlags_ = flags; }
  unsigned PositionFlags() const { return positionFlags_; }
  HWND ToolTipWindow() const { return toolTips_.hwnd(); }

 protected:
  bool PreTranslateMessage(MSG& message) override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;

  // Centres the dialog over its owner, or over the work area when the owner is hidden, minimised or
  // missing, and keeps it inside the work area.
  void CenterWindow();

 private:
  unsigned positionFlags_ = 0;
  qvbase::ToolTips toolTips_;
};

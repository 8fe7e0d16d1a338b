#include "framework/data_exchange.h"

#include <cstring>

#include "framework/combobox.h"
#include "framework/edit.h"

namespace fw {
namespace {

bool IsEditControl(HWND control) {
  char className[64] = {};
  GetClassNameA(control, className, sizeof className);
  return lstrcmpiA(className, "Edit") == 0 || _strnicmp(className, "RichEdit", 8) == 0;
}

}  // namespace

HWND DataExchange::Control(int controlId) const {
  if (refused_ || !dialog_) return nullptr;
  return GetDlgItem(dialog_, controlId);
}

void DataExchange::Text(int controlId, std::string& value) {
  WindowRef control(Control(controlId));
  if (!control.IsValid()) return;
  if (FromControls()) {
    value = control.GetText();
  } else {
    control.SetText(value);
  }
}

void DataExchange::ComboSelection(int controlId, int& index) {
  ComboBox combo(Control(controlId));
  if (!combo.IsValid()) return;
  if (FromControls()) {
    index = combo.GetCurSel();
  } else {
    combo.SetCurSel(index < 0 ? -1 : index);
  }
}

void DataExchange::Fail(int controlId) {
  HWND control = Control(controlId);
  refused_ = true;
  if (!control) return;
  // WM_NEXTDLGCTL keeps the dialog's default button in step with the focus.
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  if (GetFocus() != control) SetFocus(control);
  if (IsEditControl(control)) Edit(control).SetSel(0, -1);
}

}  // namespace fw

#include "framework/combobox.h"

#include <vector>

namespace fw {

int ComboBox::AddString(const std::string& text) const {
  return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()), CB_ERR));
}

int ComboBox::GetCount() const { return static_cast<int>(Send(CB_GETCOUNT, 0, 0, 0)); }

int ComboBox::GetCurSel() const {
  LRESULT selected = Send(CB_GETCURSEL, 0, 0, CB_ERR);
  return selected < 0 ? -1 : static_cast<int>(selected);
}

bool ComboBox::SetCurSel(int index) const {
  if (!IsValid()) return false;
  // Windows clears the selection for an index out of range, but not every implementation does.
  bool exists = index >= 0 && index < GetCount();
  LRESULT selected = Send(CB_SETCURSEL, exists ? index : -1, 0, CB_ERR);
  return index == -1 || (exists && selected == index);
}

int ComboBox::FindStringExact(const std::string& text, int startAfter) const {
  LRESULT found = Send(CB_FINDSTRINGEXACT, startAfter, reinterpret_cast<LPARAM>(text.c_str()), CB_ERR);
  return found < 0 ? -1 : static_cast<int>(found);
}

std::string ComboBox::GetItemText(int index) const {
  LRESULT length = Send(CB_GETLBTEXTLEN, index, 0, CB_ERR);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()), CB_ERR);
  if (copied <= 0) return std::string();
  return std::string(buffer.data(), static_cast<size_t>(copied));
}

void ComboBox::ResetContent() const { Send(CB_RESETCONTENT, 0, 0, 0); }

}  // namespace fw

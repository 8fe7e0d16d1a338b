#include "framework/listview.h"

#include <vector>

namespace fw {

DWORD ListView::SetExtendedStyle(DWORD mask, DWORD styles) const {
  return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, styles, 0));
}

DWORD ListView::GetExtendedStyle() const {
  return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0, 0));
}

int ListView::InsertColumn(int index, const std::string& title, int width) const {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(title.c_str());  // only read by the control
  column.cx = width;
  column.iSubItem = index;
  return static_cast<int>(Send(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column), -1));
}

int ListView::InsertItem(int index, const std::string& text) const {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>(text.c_str());
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item), -1));
}

bool ListView::SetItemText(int index, int subItem, const std::string& text) const {
  LVITEMA item = {};
  item.iSubItem = subItem;
  item.pszText = const_cast<char*>(text.c_str());
  return IsValid() && Send(LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item), 0) != 0;
}

std::string ListView::GetItemText(int index, int subItem) const {
  if (!IsValid() || index < 0 || index >= GetItemCount()) return std::string();
  // The control reports only how much it copied: grow until the text fits with room to spare.
  for (size_t size = 256;; size *= 2) {
    std::vector<char> buffer(size, '\0');
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    int copied = static_cast<int>(Send(LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item), 0));
    if (copied < 0) return std::string();
    if (static_cast<size_t>(copied) < size - 1) return std::string(buffer.data(), copied);
  }
}

int ListView::GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0, 0)); }

bool ListView::DeleteAllItems() const { return Send(LVM_DELETEALLITEMS, 0, 0, FALSE) != FALSE; }

bool ListView::GetCheck(int index) const { return StateHasCheck(GetItemState(index, LVIS_STATEIMAGEMASK)); }

bool ListView::SetCheck(int index, bool checked) const {
  return SetItemState(index, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

UINT ListView::GetItemState(int index, UINT mask) const {
  return static_cast<UINT>(Send(LVM_GETITEMSTATE, index, mask, 0));
}

bool ListView::SetItemState(int index, UINT state, UINT mask) const {
  LVITEMA item = {};
  item.state = state;
  item.stateMask = mask;
  return Send(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item), FALSE) != FALSE;
}

int ListView::GetSelectedIndex() const {
  return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, -1));
}

bool ListView::SelectItem(int index) const {
  if (index < 0) return false;  // -1 would select every item
  return SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool ListView::EnsureVisible(int index) const {
  return Send(LVM_ENSUREVISIBLE, index, FALSE, FALSE) != FALSE;
}

}  // namespace fw

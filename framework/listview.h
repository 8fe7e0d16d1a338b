// List view controls in report view, with check boxes.
#pragma once

#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <string>

#include "framework/window.h"

namespace fw {

class ListView : public WindowRef {
 public:
  using WindowRef::WindowRef;

  // Changes the LVS_EX_* bits in mask to those in styles; returns the previous extended styles.
  DWORD SetExtendedStyle(DWORD mask, DWORD styles) const;
  DWORD GetExtendedStyle() const;

  // Returns the new column's index, or -1.
  int InsertColumn(int index, const std::string& title, int width) const;
  // Returns the new item's index (the list may sort it elsewhere), or -1.
  int InsertItem(int index, const std::string& text) const;
  // The item's text, empty for an item or sub-item that does not exist.
  std::string GetItemText(int index, int subItem = 0) const;
  bool SetItemText(int index, int subItem, const std::string& text) const;
  int GetItemCount() const;
  bool DeleteAllItems() const;

  // Check boxes (LVS_EX_CHECKBOXES): an item without a check box reads as unchecked.
  bool GetCheck(int index) const;
  bool SetCheck(int index, bool checked) const;
  // Whether the item state of an LVN_ITEMCHANGED notification (uNewState, uOldState) shows the check mark.
  static bool StateHasCheck(UINT state) { return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2); }

  UINT GetItemState(int index, UINT mask) const;
  // index -1 changes every item.
  bool SetItemState(int index, UINT state, UINT mask) const;
  // The first selected item, or -1.
  int GetSelectedIndex() const;
  // Selects and focuses one item (other items keep their state: use a single-selection list).
  bool SelectItem(int index) const;
  bool ClearSelection() const { return SetItemState(-1, 0, LVIS_SELECTED); }
  bool EnsureVisible(int index) const;
};

}  // namespace fw

// Combo boxes and drop-down lists.
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

namespace fw {

class ComboBox : public WindowRef {
 public:
  using WindowRef::WindowRef;

  // Returns the new entry's index, or a negative value (CB_ERR, CB_ERRSPACE).
  int AddString(const std::string& text) const;
  int GetCount() const;
  // The selected entry, or -1.
  int GetCurSel() const;
  // -1 clears the selection; so does an index that does not exist, which answers false.
  bool SetCurSel(int index) const;
  // The first entry after startAfter (-1: from the start) equal to text ignoring case, or -1.
  int FindStringExact(const std::string& text, int startAfter = -1) const;
  // The entry's text, empty for an entry that does not exist.
  std::string GetItemText(int index) const;
  void ResetContent() const;
};

}  // namespace fw

// Data exchange between a dialog's controls and its fields: DoDataExchange runs once to fill the
// controls and once to take their data back, and may refuse the data (the dialog then stays open).
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class DataExchange {
 public:
  enum class Direction { kToControls, kFromControls };

  DataExchange(HWND dialog, Direction direction) : dialog_(dialog), direction_(direction) {}

  HWND DialogWindow() const { return dialog_; }
  Direction GetDirection() const { return direction_; }
  bool FromControls() const { return direction_ == Direction::kFromControls; }
  // Set by Fail; every exchange after it leaves both the control and the value alone.
  bool Refused() const { return refused_; }

  // Each exchange does nothing when the dialog has no control controlId.
  // The control's whole text <-> value.
  void Text(int controlId, std::string& value);
  // The selected entry of a combo box or drop-down list <-> index (-1: none).
  void ComboSelection(int controlId, int& index);

  // Refuses the data: focuses the control (selecting all of an edit control's text).
  void Fail(int controlId);

 private:
  HWND Control(int controlId) const;

  HWND dialog_;
  Direction direction_;
  bool refused_ = false;
};

}  // namespace fw

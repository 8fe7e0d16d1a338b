// Answers the program's message boxes in tests and records them; a box that the test did not
// announce with Answer fails the test (and is answered IDCANCEL) instead of waiting for a person.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "framework/msgbox.h"

namespace fwtest {

struct ShownMessageBox {
  std::string text;
  UINT flags;
};

class MessageBoxScript {
 public:
  MessageBoxScript();
  // Restores the previous hook; answers that were never asked for fail the test.
  ~MessageBoxScript();
  MessageBoxScript(const MessageBoxScript&) = delete;
  MessageBoxScript& operator=(const MessageBoxScript&) = delete;

  // The button that the next box gets (IDOK, IDYES, ...).
  void Answer(int button) { answers_.push_back(button); }
  const std::vector<ShownMessageBox>& shown() const { return shown_; }

 private:
  int OnMessageBox(const std::string& text, UINT flags);

  std::deque<int> answers_;
  std::vector<ShownMessageBox> shown_;
  fw::MessageBoxHook previous_;
};

}  // namespace fwtest

// Answers the program's message boxes in tests and records them; a box that the test did not
// announce with Answer fails the test (and is answered IDCANCEL) instead of waiting for a person.
#pragma once

#include <gtest/gtest.h>
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
  MessageBoxScript()
      : previous_(fw::SetMessageBoxHook(
            [this](const std::string& text, UINT flags) { return OnMessageBox(text, flags); })) {}
  // Restores the previous hook; answers that were never asked for fail the test.
  ~MessageBoxScript() {
    fw::SetMessageBoxHook(previous_);
    if (!answers_.empty()) ADD_FAILURE() << answers_.size() << " expected message box(es) never appeared";
  }
  MessageBoxScript(const MessageBoxScript&) = delete;
  MessageBoxScript& operator=(const MessageBoxScript&) = delete;

  // The button that the next box gets (IDOK, IDYES, ...).
  void Answer(int button) { answers_.push_back(button); }
  const std::vector<ShownMessageBox>& shown() const { return shown_; }

 private:
  int OnMessageBox(const std::string& text, UINT flags) {
    shown_.push_back({text, flags});
    if (answers_.empty()) {
      ADD_FAILURE() << "unexpected message box: \"" << text << "\" flags 0x" << std::hex << flags;
      return IDCANCEL;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::deque<int> answers_;
  std::vector<ShownMessageBox> shown_;
  fw::MessageBoxHook previous_;
};

}  // namespace fwtest

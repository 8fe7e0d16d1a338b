#include "tests/framework/testkit/message_box_script.h"

#include <gtest/gtest.h>

namespace fwtest {

MessageBoxScript::MessageBoxScript()
    : previous_(fw::SetMessageBoxHook(
          [this](const std::string& text, UINT flags) { return OnMessageBox(text, flags); })) {}

MessageBoxScript::~MessageBoxScript() {
  fw::SetMessageBoxHook(previous_);
  if (!answers_.empty()) ADD_FAILURE() << answers_.size() << " expected message box(es) never appeared";
}

int MessageBoxScript::OnMessageBox(const std::string& text, UINT flags) {
  shown_.push_back({text, flags});
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected message box: \"" << text << "\" flags 0x" << std::hex << flags;
    return IDCANCEL;
  }
  int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace fwtest

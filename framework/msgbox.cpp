#include "framework/msgbox.h"

#include <mutex>
#include <utility>

#include "framework/app.h"

namespace fw {
namespace {

std::mutex hookMutex;
MessageBoxHook& InstalledHook() {
  static MessageBoxHook hook;
  return hook;
}

}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  std::lock_guard<std::mutex> lock(hookMutex);
  return std::exchange(InstalledHook(), std::move(hook));
}

int MessageBoxApp(HWND owner, const std::string& text, UINT flags) {
  MessageBoxHook hook;
  {
    // Called outside the lock, so that a hook may itself show or replace boxes.
    std::lock_guard<std::mutex> lock(hookMutex);
    hook = InstalledHook();
  }
  if (hook) return hook(text, flags);
  if (!owner) owner = GetActiveWindow();
  return MessageBoxA(owner, text.c_str(), ApplicationName().c_str(), flags);
}

}  // namespace fw

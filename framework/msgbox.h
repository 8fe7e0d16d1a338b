// The one way the program shows a message box; tests replace the box with a hook.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace fw {

// Receives what would have been shown and returns the button that was "pressed".
using MessageBoxHook = std::function<int(const std::string& text, UINT flags)>;

// Installs hook for the whole process (an empty one restores real boxes) and returns the previous one.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// Shows text with the application name as title. A null owner means the thread's active window,
// so the box stays modal to whatever dialog is open. Returns the button pressed (0 on failure).
int MessageBoxApp(HWND owner, const std::string& text, UINT flags);

}  // namespace fw

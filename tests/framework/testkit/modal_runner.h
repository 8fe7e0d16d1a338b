// Drives a modal dialog from inside its own message loop, so windowed tests can click buttons,
// read controls and close the dialog, and a dialog that does not close fails the test instead of
// hanging it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dialog.h"

namespace fwtest {

// One action on the running dialog; receives the dialog's window.
using Step = std::function<void(HWND dialog)>;

constexpr DWORD kModalTimeoutMs = 10000;

// Runs dialog.DoModal() and performs the steps in order, one per timer tick of whichever message
// loop runs (a step that opens a nested dialog is still on the stack while the next steps drive that
// dialog). If the dialog is still open kModalTimeoutMs after the start, or a step fails fatally or
// throws, the test fails and every modal window of the thread is closed. Steps left when the dialog
// closes fail the test too. Returns what DoModal returned; an exception from DoModal passes through.
int RunModal(fw::Dialog& dialog, std::vector<Step> steps);

// The topmost visible and enabled dialog window of this thread (a nested dialog or message box), or null.
HWND TopDialog();

// Clicks button id of dialog as the mouse would; fails the test when it is missing or disabled.
void Click(HWND dialog, int id);

// Posts a key press (down, then up) to window, as the keyboard would.
void PostKey(HWND window, UINT virtualKey);

// Text of control id of dialog.
std::string ControlText(HWND dialog, int id);

}  // namespace fwtest

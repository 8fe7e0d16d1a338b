// Shared pieces of the framework's windowed tests.
#pragma once

#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <memory>
#include <type_traits>

#include "base/handles.h"

namespace fwtest {

// A window created by a test, destroyed at the end of the scope.
struct WindowDestroyer {
  void operator()(HWND hwnd) const {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
};
using ScopedWindow = std::unique_ptr<std::remove_pointer<HWND>::type, WindowDestroyer>;

// The plain window class of the tests' owners and bystanders.
inline HWND CreatePlainWindow(const char* title, bool visible) {
  return CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 50, 50, 300,
                         200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The controls the program's start-up registers: the common controls and rich edit.
inline void InitControlsOnce() {
  static const fw::Module richEdit = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return fw::Module(LoadLibraryA("riched20.dll"));
  }();
  (void)richEdit;
}

}  // namespace fwtest

// Pictures of windows as the screen shows them, for a person to look at: <build>/screenshots/*.bmp.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace fwtest {

struct WindowPicture {
  int width = 0;
  int height = 0;
  size_t colours = 0;  // distinct pixel values
  bool written = false;
};

// <build>/screenshots\, created when missing.
std::string ScreenshotFolder();

// Redraws window and copies it from the screen into a 24-bit bottom-up .bmp file at path.
WindowPicture SaveWindowPicture(HWND window, const std::string& path);

// Fails the test unless picture was written and holds a real picture of a dialog: larger than
// 100 by 100 pixels and more than three colours (a failed copy is one flat colour).
void ExpectPicture(const WindowPicture& picture, const std::string& name);

}  // namespace fwtest

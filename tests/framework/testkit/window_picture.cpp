#include "tests/framework/testkit/window_picture.h"

#include <gtest/gtest.h>

#include <set>

#include "base/handles.h"
#include "framework/app.h"
#include "framework/gdi.h"

namespace fwtest {

std::string ScreenshotFolder() {
  std::string program = fw::ModuleFilePath(nullptr);
  std::string folder = program.substr(0, program.find_last_of('\\') + 1) + "..\\screenshots\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

WindowPicture SaveWindowPicture(HWND window, const std::string& path) {
  WindowPicture picture;
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT rect = {};
  ::GetWindowRect(window, &rect);
  picture.width = rect.right - rect.left;
  picture.height = rect.bottom - rect.top;
  const int stride = (picture.width * 3 + 3) & ~3;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  fw::WindowDc screen(nullptr);
  fw::MemoryDc memory(screen.get());
  void* bits = nullptr;
  fw::GdiObject bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return picture;
  {
    fw::SelectedObject selected(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, picture.width, picture.height, screen.get(), rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
  }

  const unsigned char* pixels = static_cast<const unsigned char*>(bits);
  std::set<unsigned> colours;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const unsigned char* p = pixels + y * stride + x * 3;
      colours.insert(p[0] | p[1] << 8 | p[2] << 16);
    }
  picture.colours = colours.size();

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + stride * picture.height;
  fw::FileHandle out(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  picture.written = out && ::WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
                    ::WriteFile(out.get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
                    ::WriteFile(out.get(), bits, stride * picture.height, &written, nullptr);
  return picture;
}

void ExpectPicture(const WindowPicture& picture, const std::string& name) {
  EXPECT_TRUE(picture.written) << name;
  EXPECT_GT(picture.width, 100) << name;
  EXPECT_GT(picture.height, 100) << name;
  EXPECT_GT(picture.colours, 3u) << name;
}

}  // namespace fwtest

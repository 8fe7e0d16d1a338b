#include "tests/about/about_test_util.h"

#include "framework/app.h"
#include "framework/window.h"

namespace abouttest {

std::string ProgramFolder() {
  std::string program = fw::ModuleFilePath(nullptr);
  return program.substr(0, program.find_last_of('\\') + 1);
}

Canvas::Canvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), screen_(nullptr), dc_(screen_.get()) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap_.reset(CreateDIBSection(screen_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  selected_ = std::make_unique<fw::SelectedObject>(dc_.get(), bitmap_.get());
  RECT all = {0, 0, width, height};
  fw::GdiObject brush(CreateSolidBrush(fill));
  FillRect(dc_.get(), &all, static_cast<HBRUSH>(brush.get()));
}

COLORREF Canvas::Pixel(int x, int y) const {
  GdiFlush();
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const int stride = (width_ * 3 + 3) & ~3;
  const BYTE* p = static_cast<const BYTE*>(bits_) + y * stride + x * 3;
  return RGB(p[2], p[1], p[0]);
}

int Canvas::CountOther(const RECT& area, COLORREF colour) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (Pixel(x, y) != colour) ++count;
  return count;
}

std::vector<COLORREF> BitmapPixels(WORD id, int* width, int* height) {
  fw::GdiObject bitmap(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP description = {};
  if (!bitmap || !GetObjectA(bitmap.get(), sizeof description, &description)) return {};
  *width = description.bmWidth;
  *height = description.bmHeight;
  Canvas canvas(*width, *height, RGB(0, 0, 0));
  fw::MemoryDc source(canvas.dc());
  fw::SelectedObject selected(source.get(), bitmap.get());
  BitBlt(canvas.dc(), 0, 0, *width, *height, source.get(), 0, 0, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < *height; ++y)
    for (int x = 0; x < *width; ++x) pixels.push_back(canvas.Pixel(x, y));
  return pixels;
}

OwnerWindow::OwnerWindow(int x, int y, int width, int height)
    : hwnd_(CreateWindowExA(0, "STATIC", "About test owner", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, width,
                            height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}

OwnerWindow::~OwnerWindow() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

RECT ChildRect(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string WindowText(HWND window) { return fw::GetWindowTextString(window); }

LOGFONTA FontOf(HWND window) {
  LOGFONTA description = {};
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
  GetObjectA(font ? font : GetStockObject(SYSTEM_FONT), sizeof description, &description);
  return description;
}

}  // namespace abouttest

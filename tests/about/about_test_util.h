// What the About tests share: paths of the helper files, a canvas to paint on and read back,
// product information with chosen answers, and a visible owner window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/oem_info.h"
#include "base/unknown_impl.h"
#include "framework/gdi.h"

namespace abouttest {

// The folder of the test program, with a trailing backslash.
std::string ProgramFolder();

// A 24-bit picture in memory, selected into its own device context.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill);
  HDC dc() const { return dc_.get(); }
  COLORREF Pixel(int x, int y) const;
  // Pixels of area whose colour is not colour.
  int CountOther(const RECT& area, COLORREF colour) const;

 private:
  int width_;
  int height_;
  fw::WindowDc screen_;
  fw::MemoryDc dc_;
  fw::GdiObject bitmap_;
  void* bits_ = nullptr;
  std::unique_ptr<fw::SelectedObject> selected_;
};

// The pixels of bitmap resource id of the test program, top row first, as COLORREF.
std::vector<COLORREF> BitmapPixels(WORD id, int* width, int* height);

// Product information whose every answer the test chooses. A link text is target and shown text
// separated by a zero; nullptr stands for a missing text.
class FixedOemInfo : public CQVUnknownImpl<IOemInfo> {
 public:
  std::string name = "Test Product";
  DWORD version = 0;
  std::string versionText;
  std::string notice;
  const char* supportLink = nullptr;
  const char* webSiteLink = nullptr;

  const char* GetProductName() override { return name.c_str(); }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}
  DWORD GetProductVersion() override { return version; }
  const char* GetOemText1() override { return notice.c_str(); }
  const char* GetOemField1() override { return ""; }
  const char* GetOemField2() override { return ""; }
  const char* GetOemField3() override { return ""; }
  const char* GetOemField4() override { return ""; }
  const char* GetProductVersionString() override { return versionText.c_str(); }
  long GetOemValue(long, long, long, long) override { return 0; }
  const char* GetOemText2() override { return supportLink; }
  const char* GetOemText3() override { return webSiteLink; }
};

// A visible pop-up window as the owner of the dialogs under test.
class OwnerWindow {
 public:
  OwnerWindow(int x, int y, int width, int height);
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// A child window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
// The text of window.
std::string WindowText(HWND window);
// The description of the font a window uses.
LOGFONTA FontOf(HWND window);

}  // namespace abouttest

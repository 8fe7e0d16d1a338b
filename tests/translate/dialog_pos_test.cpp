// Supp_SetDialogPos: where a dialog goes relative to its owner.
#include <gtest/gtest.h>

#include "translate/supp.h"

namespace {

// A borderless pop-up window (client area = window area), destroyed at the end of the scope.
class TestWindow {
 public:
  TestWindow(int x, int y, int width, int height, DWORD style = WS_POPUP, HWND parent = nullptr)
      : window_(::CreateWindowExA(0, "STATIC", "", style, x, y, width, height, parent, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr)) {}
  ~TestWindow() {
    if (window_) ::DestroyWindow(window_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

POINT Position(HWND window) {
  RECT rect = {};
  ::GetWindowRect(window, &rect);
  return {rect.left, rect.top};
}

struct PlaceCase {
  unsigned flags;
  int x;
  int y;
};

TEST(DialogPosition, FlagsAgainstAPopupOwner) {
  // Owner at (100, 80), 400 x 300; dialog 200 x 100.
  const PlaceCase cases[] = {
      {0, 200, 176},       // centred: 100 + 200 - 100, 80 + 150 - 50 = 180, down to a multiple of 8
      {1, 296, 224},       // top-left corner at the owner's centre point (300, 230)
      {2 | 8, 104, 88},    // left and top: 108, 88
      {4 | 16, 288, 272},  // right and bottom: 100 + 400 - 200 - 8, 80 + 300 - 100 - 8
      {2 | 16, 104, 272}, {4, 288, 176},
  };
  TestWindow owner(100, 80, 400, 300);
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    TestWindow dialog(3, 5, 200, 100);
    Supp_SetDialogPos(dialog.get(), owner.get(), cases[row].flags);
    const POINT at = Position(dialog.get());
    EXPECT_EQ(cases[row].x, at.x) << "row " << row;
    EXPECT_EQ(cases[row].y, at.y) << "row " << row;
    RECT rect;
    ::GetWindowRect(dialog.get(), &rect);
    EXPECT_EQ(200, rect.right - rect.left) << "row " << row << ": size unchanged";
    EXPECT_EQ(100, rect.bottom - rect.top) << "row " << row;
  }
}

TEST(DialogPosition, ClampedToTheScreenInMultiplesOfEight) {
  const int limitX = ::GetSystemMetrics(SM_CXFULLSCREEN) - 8;
  const int limitY = ::GetSystemMetrics(SM_CYFULLSCREEN) - 8;
  TestWindow offLeft(-300, -250, 400, 300);
  TestWindow dialog(3, 5, 200, 100);
  Supp_SetDialogPos(dialog.get(), offLeft.get(), 2 | 8);
  EXPECT_EQ(0, Position(dialog.get()).x);
  EXPECT_EQ(0, Position(dialog.get()).y);

  TestWindow offRight(limitX - 100, limitY - 50, 400, 300);
  Supp_SetDialogPos(dialog.get(), offRight.get(), 4 | 16);
  EXPECT_EQ((limitX - 200) / 8 * 8, Position(dialog.get()).x);
  EXPECT_EQ((limitY - 100) / 8 * 8, Position(dialog.get()).y);
  EXPECT_EQ(0, Position(dialog.get()).x % 8);
}

}  // namespace

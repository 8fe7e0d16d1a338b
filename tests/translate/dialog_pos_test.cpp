// Supp_SetDialogPos: where a dialog goes relative to its owner.
#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "translate/supp.h"

namespace {

using Window = std::unique_ptr<std::remove_pointer<HWND>::type, decltype(&::DestroyWindow)>;

// A borderless pop-up window: its client area is its window area.
Window PopUp(int x, int y, int width, int height) {
  return Window(::CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, width, height, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr),
                ::DestroyWindow);
}

TEST(DialogPosition, FlagsAgainstTheOwnerInMultiplesOfEightOnTheScreen) {
  const int limitX = ::GetSystemMetrics(SM_CXFULLSCREEN) - 8;
  const int limitY = ::GetSystemMetrics(SM_CYFULLSCREEN) - 8;
  // Owner 400 x 300; dialog 200 x 100.
  const struct {
    int ownerX, ownerY;
    unsigned flags;
    int x, y;
  } cases[] = {
      {100, 80, 0, 200, 176},       // centred: 100 + 200 - 100, 80 + 150 - 50 = 180, down to a multiple of 8
      {100, 80, 1, 296, 224},       // top-left corner at the owner's centre point (300, 230)
      {100, 80, 2 | 8, 104, 88},    // left and top: 108, 88
      {100, 80, 4 | 16, 288, 272},  // right and bottom: 100 + 400 - 200 - 8, 80 + 300 - 100 - 8
      {-300, -250, 2 | 8, 0, 0},    // clamped to the screen
      {limitX - 100, limitY - 50, 4 | 16, (limitX - 200) / 8 * 8, (limitY - 100) / 8 * 8},
  };
  for (size_t row = 0; row < sizeof cases / sizeof cases[0]; ++row) {
    const Window owner = PopUp(cases[row].ownerX, cases[row].ownerY, 400, 300);
    const Window dialog = PopUp(3, 5, 200, 100);
    Supp_SetDialogPos(dialog.get(), owner.get(), cases[row].flags);
    RECT rect;
    ::GetWindowRect(dialog.get(), &rect);
    EXPECT_EQ(cases[row].x, rect.left) << "row " << row;
    EXPECT_EQ(cases[row].y, rect.top) << "row " << row;
    EXPECT_EQ(200, rect.right - rect.left) << "row " << row << ": size unchanged";
  }
}

}  // namespace

// The About box's hyperlink static on its own, and the subclassing it stands on.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>

#include "framework/gdi.h"
#include "framework/subclass.h"
#include "framework/window.h"
#include "tests/framework/windowed_test.h"
#include "tests/support/test_paths.h"
#include "ui/static_link.h"

namespace {

int g_beeps = 0;
void CountBeep() { ++g_beeps; }

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::InitControlsOnce();
    parent_ = CreateWindowExA(0, "STATIC", "Controls test", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, parent_);
    g_beeps = 0;
    previousBeep_ = CStaticLink::SetFailureBeep(&CountBeep);
  }
  void TearDown() override {
    CStaticLink::SetFailureBeep(previousBeep_);
    if (parent_) DestroyWindow(parent_);
  }

  HWND AddStatic(const char* text) {
    return CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 300, 24, parent_,
                           reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr);
  }

  HWND parent_ = nullptr;
  CStaticLink::FailureBeep previousBeep_ = nullptr;
};

TEST_F(ControlsTest, LinkOpensItsTargetOrWindowTextAndTurnsVisitedOrBeeps) {
  const std::string target = TestProgramFolder() + "about_link_target.exe";
  const std::string missing = TestProgramFolder() + "no such folder\\nothing.tarnwick";
  const struct {
    std::string target, text;
    int beeps;
    COLORREF colour;
  } rows[] = {
      {target, "Open me", 0, CStaticLink::kVisitedColor},
      {missing, "Broken", 1, CStaticLink::kUnvisitedColor},
      // Without a target the window text is opened, or nothing.
      {"", "", 0, CStaticLink::kUnvisitedColor},
      {"", target, 0, CStaticLink::kVisitedColor},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    g_beeps = 0;
    CStaticLink link(rows[i].target.c_str());
    HWND control = AddStatic(rows[i].text.c_str());
    ASSERT_TRUE(link.Attach(control)) << "row " << i;
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(rows[i].beeps, g_beeps) << "row " << i;
    // The colour reaches the control's painting through the reflected request.
    fw::WindowDc dc(control);
    SendMessageA(control, fw::kReflectedMessageBase + WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(control));
    EXPECT_EQ(rows[i].colour, GetTextColor(dc.get())) << "row " << i;
    DestroyWindow(control);
  }
}

// Counts its own destruction.
class CountedLink : public CStaticLink {
 public:
  CountedLink(bool autoDelete, int* destroyed) : CStaticLink("target", autoDelete), destroyed_(destroyed) {}
  ~CountedLink() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

TEST_F(ControlsTest, OneWindowPerLinkAndAnAutoDeleteLinkGoesWithItsWindow) {
  int destroyed = 0;
  CountedLink* owned = new CountedLink(true, &destroyed);
  CountedLink kept(false, &destroyed);
  HWND first = AddStatic("First");
  HWND second = AddStatic("Second");
  ASSERT_TRUE(owned->Attach(first));
  EXPECT_FALSE(owned->Attach(second));
  EXPECT_FALSE(kept.Attach(first));
  EXPECT_FALSE(kept.Attach(nullptr));
  ASSERT_TRUE(kept.Attach(second));
  DestroyWindow(first);
  EXPECT_EQ(1, destroyed);
  DestroyWindow(second);
  EXPECT_EQ(1, destroyed);
  EXPECT_EQ(nullptr, kept.hwnd());
  // Detached, the window is free for another link.
  HWND third = AddStatic("Third");
  ASSERT_TRUE(kept.Attach(third));
  kept.Detach();
  EXPECT_EQ(nullptr, fw::SubclassedWindow::FromHandle(third));
}

// Throws from its handler: the window must go on with its own handling.
class ThrowingWindow : public fw::SubclassedWindow {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETTEXT) throw std::runtime_error("handler failed");
    return Default(message, wParam, lParam);
  }
};

TEST_F(ControlsTest, ExceptionInAHandlerLeavesTheMessageToTheWindow) {
  ThrowingWindow window;
  HWND control = AddStatic("Before");
  ASSERT_TRUE(window.Attach(control));
  SetWindowTextA(control, "After");
  EXPECT_EQ("After", fw::GetWindowTextString(control));
}

}  // namespace

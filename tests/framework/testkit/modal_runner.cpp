#include "tests/framework/testkit/modal_runner.h"

#include <gtest/gtest.h>

#include <exception>
#include <utility>

#include "framework/button.h"
#include "framework/window.h"

namespace fwtest {
namespace {

struct ModalRun {
  fw::Dialog* dialog;
  std::vector<Step> steps;
  size_t next = 0;
  DWORD start = 0;
  UINT_PTR timer = 0;
  bool gaveUp = false;
};

// The run whose timer ticks; a run started from inside a step hides the outer one until it ends.
ModalRun* activeRun = nullptr;

bool IsDialogWindow(HWND hwnd) {
  char className[16] = {};
  GetClassNameA(hwnd, className, sizeof className);
  return lstrcmpA(className, "#32770") == 0;
}

BOOL CALLBACK CloseModalWindow(HWND hwnd, LPARAM) {
  if (fw::Dialog* dialog = fw::Dialog::FromHandle(hwnd)) {
    dialog->EndModal(-1);
  } else if (IsDialogWindow(hwnd) && IsWindowVisible(hwnd)) {
    EndDialog(hwnd, IDCANCEL);  // message boxes and DialogBox dialogs
  }
  return TRUE;
}

// Runs the next step; once the run has failed, closes every modal window of the thread instead, on
// every tick (a handler may have opened another window since).
void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!activeRun || activeRun->timer != timer) return;
  ModalRun& run = *activeRun;
  if (!run.gaveUp && GetTickCount() - run.start > kModalTimeoutMs) {
    ADD_FAILURE() << "dialog still open after " << kModalTimeoutMs << " ms; " << run.next << " of "
                  << run.steps.size() << " steps were run";
    run.gaveUp = true;
  }
  HWND hwnd = run.dialog->hwnd();
  if (!run.gaveUp && hwnd && run.next < run.steps.size()) {
    const size_t index = run.next++;
    // A timer procedure is called from user32: nothing may unwind out of it. The step may run a nested
    // dialog whose steps follow on later ticks, so the run fails only once it returns.
    bool failed = true;
    try {
      run.steps[index](hwnd);
      failed = ::testing::Test::HasFatalFailure();
    } catch (const std::exception& e) {
      ADD_FAILURE() << "step " << index << " threw: " << e.what();
    } catch (...) {
      ADD_FAILURE() << "step " << index << " threw";
    }
    run.gaveUp = run.gaveUp || failed;
  }
  if (run.gaveUp) EnumThreadWindows(GetCurrentThreadId(), &CloseModalWindow, 0);
}

// Removes the run and its timer however DoModal ends.
struct RunRegistration {
  ModalRun& run;
  ModalRun* outer;
  ~RunRegistration() {
    KillTimer(nullptr, run.timer);
    activeRun = outer;
  }
};

BOOL CALLBACK FindTopDialog(HWND hwnd, LPARAM result) {
  if (IsDialogWindow(hwnd) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    *reinterpret_cast<HWND*>(result) = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int RunModal(fw::Dialog& dialog, std::vector<Step> steps) {
  ModalRun run = {&dialog, std::move(steps), 0, GetTickCount(), SetTimer(nullptr, 0, 10, &OnTick)};
  EXPECT_NE(run.timer, 0u) << "SetTimer failed";
  int result;
  {
    RunRegistration registration{run, std::exchange(activeRun, &run)};
    result = dialog.DoModal();
  }
  if (!run.gaveUp && run.next < run.steps.size()) {
    ADD_FAILURE() << "dialog closed (result " << result << ") with " << run.steps.size() - run.next << " of "
                  << run.steps.size() << " steps not run";
  }
  return result;
}

HWND TopDialog() {
  HWND top = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindTopDialog, reinterpret_cast<LPARAM>(&top));
  return top;
}

void Click(HWND dialog, int id) {
  fw::Button button(dialog, id);
  if (!button.Click())
    ADD_FAILURE() << "control " << id << (button.IsValid() ? " is disabled" : " is missing");
}

void PostKey(HWND window, UINT virtualKey) {
  UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
  PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | 0xC0000000u);
}

std::string ControlText(HWND dialog, int id) { return fw::WindowRef(dialog, id).GetText(); }

}  // namespace fwtest

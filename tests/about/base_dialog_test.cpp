// The dialog base: the resource module of its window procedure and tool tips from the string table.
#include <gtest/gtest.h>
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/language.h"
#include "framework/resource_handle.h"
#include "resources/resource.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"
#include "tests/support/dialog_template.h"
#include "ui/qv_base_dialog.h"

namespace {

const int kCommandProbe = 3001;

// Records what its window procedure saw.
class ProbeDialog : public QVBaseDlg {
 public:
  using QVBaseDlg::QVBaseDlg;

  HINSTANCE resourcesAtOpening = nullptr;
  HINSTANCE resourcesAtCommand = nullptr;
  std::string nameAtCommand;

 protected:
  BOOL OnInitDialog() override {
    resourcesAtOpening = fw::ResourceHandle();
    return QVBaseDlg::OnInitDialog();
  }
  bool DispatchTable(const fw::DialogMessage& message) override {
    if (message.message == WM_COMMAND && LOWORD(message.wParam) == kCommandProbe) {
      resourcesAtCommand = fw::ResourceHandle();
      nameAtCommand = LangString(IDS_APP_NAME);
      return true;
    }
    return false;
  }
};

fwtest::DialogTemplate SmallTemplate() {
  fwtest::DialogTemplate dialog("Probe", 120, 60);
  dialog.Add("Static", "Menu text", IDS_ABOUT_MENU, SS_LEFT, 5, 5, 60, 10)
      .Button(IDS_APPLY_BEFORE_DRAG, "Drag", 5, 20)
      .Add("Static", "No string", 2000, SS_LEFT, 5, 40, 60, 10)
      .Button(IDCANCEL, "Cancel", 65, 40);
  return dialog;
}

class BaseDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { fwtest::InitControlsOnce(); }
};

TEST_F(BaseDialogTest, WindowProcedureRunsWithItsOwnModuleForResources) {
  HINSTANCE elsewhere = GetModuleHandleA("kernel32.dll");
  fw::ResourceHandleScope outside(elsewhere);
  fwtest::DialogTemplate dialogTemplate = SmallTemplate();
  ProbeDialog dialog(dialogTemplate.get());
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(kCommandProbe, BN_CLICKED), 0);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  HINSTANCE own = GetModuleHandleA(nullptr);  // the classes are linked into the test program
  EXPECT_EQ(own, dialog.resourcesAtOpening);
  EXPECT_EQ(own, dialog.resourcesAtCommand);
  EXPECT_EQ("Orvane for AutoCAD", dialog.nameAtCommand);
  EXPECT_EQ(elsewhere, fw::ResourceHandle()) << "the previous module is back after each message";
}

TEST_F(BaseDialogTest, ToolTipsForEveryControlWithTheirStringTexts) {
  fwtest::DialogTemplate dialogTemplate = SmallTemplate();
  ProbeDialog dialog(dialogTemplate.get());
  struct Row {
    int id;
    std::string tip;
  };
  const Row rows[] = {
      {IDS_ABOUT_MENU, "About..."},
      // The part after the line feed.
      {IDS_APPLY_BEFORE_DRAG, "Do you want to apply changes now?"},
      {2000, ""},
  };
  std::vector<std::string> tips;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     HWND tipWindow = dialog.ToolTipWindow();
                     ASSERT_NE(nullptr, tipWindow);
                     EXPECT_EQ(4, SendMessageA(tipWindow, TTM_GETTOOLCOUNT, 0, 0)) << "every control has one";
                     for (const Row& row : rows) {
                       NMTTDISPINFOA info = {};
                       info.hdr.hwndFrom = tipWindow;
                       info.hdr.idFrom = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd, row.id));
                       info.hdr.code = TTN_GETDISPINFOA;
                       info.uFlags = TTF_IDISHWND;
                       SendMessageA(hwnd, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
                       tips.push_back(info.lpszText ? info.lpszText : "(none)");
                     }
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  ASSERT_EQ(3u, tips.size());
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(rows[i].tip, tips[i]) << "row " << i;
}

}  // namespace

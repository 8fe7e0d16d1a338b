// The dialog base: the resource module of its window procedure.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

  HINSTANCE resourcesAtCommand = nullptr;
  std::string nameAtCommand;

 protected:
  bool DispatchTable(const fw::DialogMessage& message) override {
    if (message.message == WM_COMMAND && LOWORD(message.wParam) == kCommandProbe) {
      resourcesAtCommand = fw::ResourceHandle();
      nameAtCommand = LangString(IDS_APP_NAME);
      return true;
    }
    return false;
  }
};

TEST(BaseDialog, WindowProcedureRunsWithItsOwnModuleForResources) {
  fwtest::InitControlsOnce();
  HINSTANCE elsewhere = GetModuleHandleA("kernel32.dll");
  fw::ResourceHandleScope outside(elsewhere);
  fwtest::DialogTemplate dialogTemplate("Probe", 120, 60);
  dialogTemplate.Button(IDCANCEL, "Cancel", 65, 40);
  ProbeDialog dialog(dialogTemplate.get());
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(kCommandProbe, BN_CLICKED), 0);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  HINSTANCE own = GetModuleHandleA(nullptr);  // the classes are linked into the test program
  EXPECT_EQ(own, dialog.resourcesAtCommand);
  EXPECT_EQ("Orvane for AutoCAD", dialog.nameAtCommand);
  EXPECT_EQ(elsewhere, fw::ResourceHandle()) << "the previous module is back after each message";
}

}  // namespace

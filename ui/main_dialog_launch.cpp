// The main dialog's ways out of itself: running AutoCAD, dragging a profile to the desktop,
// the profile menu, help and the About box.
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include "framework/language.h"
#include "framework/msgbox.h"
#include "resources/resource.h"
#include "ui/about_dialog.h"
#include "ui/file_drag.h"
#include "ui/launch.h"
#include "ui/main_dialog.h"
#include "ui/main_dialog_help.h"

bool CPManDlg::OnSysCommand(WPARAM command, LPARAM) {
  if ((command & 0xFFF0) == IDM_ABOUTBOX) {
    ShowAboutBox();
    return true;
  }
  if ((command & 0xFFF0) == IDM_RESTORE) {
    OnRestoreProfile();
    return true;
  }
  return false;
}

void CPManDlg::ShowAboutBox() {
  CAboutDlg about(hwnd());
  about.DoModal();
}

void CPManDlg::OnRun() {
  if (!SelectedProduct() || !SelectedProfile()) return;
  if (changesPending_) {
    if (fw::MessageBoxApp(hwnd(), LangString(IDS_APPLY_BEFORE_RUN), MB_YESNO | MB_ICONQUESTION) != IDYES ||
        !ApplyNow())
      return;
  }
  // Looked up again: applying removes deleted records from the model.
  PMAcad* product = SelectedProduct();
  PMAcadProfile* profile = SelectedProfile();
  if (!product || !profile) return;
  StartDetached(RunCommandLine(programPath_, *product, *profile));
}

void CPManDlg::OnBeginDrag(NMHDR* header) {
  const NMLISTVIEW& drag = *reinterpret_cast<NMLISTVIEW*>(header);
  PMAcad* product = SelectedProduct();
  PMAcadProfile* profile = ListedProfile(drag.iItem);
  if (!product || !profile) return;
  if (changesPending_) {
    // The shortcut names the profile as the registry has it: apply first, drag another time.
    if (fw::MessageBoxApp(hwnd(), LangString(IDS_APPLY_BEFORE_DRAG), MB_YESNO | MB_ICONSTOP) == IDYES)
      ApplyNow();
    return;
  }
  ProfileShortcut shortcut(programPath_, *product, *profile);
  if (shortcut.Path().empty()) return;
  DragFileOut(shortcut.Path(), DROPEFFECT_MOVE);
}  // the shortcut and its folder go here, unless the drop moved the file away

void CPManDlg::OnProfileRightClick(NMHDR*) {
  if (!SelectedProduct() || !SelectedProfile()) return;
  fw::Menu menu = LoadLangMenu(IDR_PROFILE_MENU);
  HMENU profileMenu = menu ? ::GetSubMenu(menu.get(), 0) : nullptr;  // owned by menu
  if (!profileMenu) return;
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  ::TrackPopupMenu(profileMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
}

void CPManDlg::OnHelp() {
  const HelpChoice help = ChooseHelp(programPath_);
  if (help.kind == HelpChoice::kHelpFile) {
    const std::string macro = HelpJumpMacro(help.path, kMainHelpTopic);
    ::WinHelpA(hwnd(), help.path.c_str(), HELP_COMMAND, reinterpret_cast<ULONG_PTR>(macro.c_str()));
  } else if (help.kind == HelpChoice::kUserGuide) {
    // The browser the user chose for web pages shows the guide.
    ::ShellExecuteA(hwnd(), "open", help.path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

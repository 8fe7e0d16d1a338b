// The main dialog's ways out and in: Run (the AutoCAD stand-in plays the program that is started,
// and a running one makes an Apply ask first), dragging a profile onto a drop target of the test's
// own, the profile menu, and profile files: Export and Import with the file name supplied for the
// common file dialog, backups of what an Apply destroys and the Restore dialog. The run command, the
// shortcut, the file format and the import rules have their own tests in tests/ui and tests/engine.
#include <windows.h>
// needs windows.h before it
#include <shellapi.h>

#include <algorithm>

#include "engine/backups.h"
#include "framework/file_dialog.h"
#include "tests/support/running_standin.h"
#include "tests/ui_dialogs/dialog_fixture.h"
#include "ui/main_dialog.h"

namespace {

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The first line of the AutoCAD stand-in's record (its command line), once it has written its last.
std::string RecordedCommandLine(const std::string& path) {
  std::string record;
  for (int i = 0; i < 400 && (record = ReadWholeFile(path)).find("\nexit=") == std::string::npos; ++i)
    ::Sleep(50);
  return record.substr(0, record.find('\n'));
}

class MainDialogLaunchTest : public DialogTest {};

TEST_F(MainDialogLaunchTest, RunAsksToApplyThenStartsTheProgramInRunMode) {
  const std::string unwanted = AppData() + "run-no.log";
  const std::string record = AppData() + "run.log";
  const std::string standIn = TestProgramFolder() + "acad.exe";
  CPManDlg dialog;
  dialog.SetProgramPath(standIn);
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     drive::Check(hwnd, 2, true);  // Gamma into Default: an edit
                     ::SetEnvironmentVariableA("TW_ACAD_RECORD", unwanted.c_str());
                     boxes_.Answer(IDNO);
                     SendMessageA(hwnd, WM_COMMAND, ID_PROFILE_RUN, 0);
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));
                     ::SetEnvironmentVariableA("TW_ACAD_RECORD", record.c_str());
                     boxes_.Answer(IDYES);
                     SendMessageA(hwnd, WM_COMMAND, ID_PROFILE_RUN, 0);
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  ::SetEnvironmentVariableA("TW_ACAD_RECORD", nullptr);
  ASSERT_EQ(2u, boxes_.shown().size());
  EXPECT_EQ(
      "The changes made to the profile configuration are not applied.\r\nDo you want to apply changes now "
      "and run AutoCAD?",
      boxes_.shown()[1].text);
  EXPECT_EQ(
      "commandline=\"" + standIn +
          "\" -r -a \"AutoCAD\\R16.1\\ACAD-301:409\" -p \"Default\" -AcCL -t \"C:\\Templates\\iso a3.dwt\"",
      RecordedCommandLine(record));
  EXPECT_FALSE(Exists(unwanted)) << "the answer No started the program";
}

// A window under the mouse pointer, away from the dialog, that accepts drops as the desktop does
// and records them (SS_NOTIFY: a static is hit-tested only with it). Only a move is offered: the
// program removes the shortcut after the drag.
class DropZone : public IDropTarget {
 public:
  DropZone() {
    window_ =
        ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "drop here", WS_POPUP | WS_VISIBLE | WS_BORDER | SS_NOTIFY,
                          1050, 800, 200, 150, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    registered_ = SUCCEEDED(::RegisterDragDrop(window_, this));
    ::SetCursorPos(1150, 875);
  }
  ~DropZone() {
    if (registered_) ::RevokeDragDrop(window_);
    ::DestroyWindow(window_);
  }
  bool Ready() const { return window_ && registered_; }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    const bool known = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget);
    *object = known ? this : nullptr;
    return known ? S_OK : E_NOINTERFACE;
  }
  // Lives on the test's stack.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    return DragOver(0, {}, effect);
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_MOVE;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    ++drops;
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (SUCCEEDED(data->GetData(&format, &medium))) {
      char file[MAX_PATH] = "";
      ::DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0, file, MAX_PATH);
      path = file;
      ::ReleaseStgMedium(&medium);
    }
    fileThereOnDrop = Exists(path);
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }

  int drops = 0;
  std::string path;
  bool fileThereOnDrop = false;

 private:
  HWND window_;
  bool registered_;
};

TEST_F(MainDialogLaunchTest, DraggingAProfileOffersItsShortcutAndRemovesItAfterwards) {
  DropZone dropped;
  ASSERT_TRUE(dropped.Ready());
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     drive::NotifyProfiles(hwnd, LVN_BEGINDRAG, 2);  // Work
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  ASSERT_EQ(1, dropped.drops);
  EXPECT_EQ("AutoCAD 2005 in Work.lnk", dropped.path.substr(dropped.path.find_last_of('\\') + 1));
  EXPECT_TRUE(dropped.fileThereOnDrop);
  // Gone once the drag has ended (the shortcut's own tests check its folder goes with it).
  EXPECT_FALSE(Exists(dropped.path));
}

TEST_F(MainDialogLaunchTest, ShowsTheRunningProductAndAsksBeforeApplyingToIt) {
  // AutoCAD 2005's program is the stand-in beside the test.
  std::string folder = TestProgramFolder();
  SetString(HKEY_LOCAL_MACHINE, world::ProductKey(world::kAcadId), "Location",
            folder.substr(0, folder.size() - 1));
  RunningStandIn standIn(AppData());
  ASSERT_TRUE(standIn.Started());
  const std::string current = world::ProfilesKey(world::kAcadId);
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     EXPECT_EQ("Current profile: Default    AutoCAD 2005 (running)",
                               fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     fwtest::Click(hwnd, IDC_SET_CURRENT);
                     boxes_.Answer(IDNO);
                     fwtest::Click(hwnd, IDC_APPLY);
                     EXPECT_EQ("Default", inspect::Text(HKEY_CURRENT_USER, current, ""));
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY)) << "the edit is still pending";
                     boxes_.Answer(IDYES);
                     fwtest::Click(hwnd, IDC_APPLY);
                     EXPECT_EQ("Home", inspect::Text(HKEY_CURRENT_USER, current, ""));

                     // The LT product is not running: its edits go without a question.
                     drive::ChooseProduct(hwnd, 1);
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     fwtest::Click(hwnd, IDC_SET_CURRENT);
                     fwtest::Click(hwnd, IDC_APPLY);
                     EXPECT_EQ("Plot",
                               inspect::Text(HKEY_CURRENT_USER, world::ProfilesKey(world::kLtId), ""));
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  ASSERT_EQ(2u, boxes_.shown().size());
  EXPECT_EQ(
      "AutoCAD 2005 is running. AutoCAD writes its profiles back when it exits and can undo these "
      "changes.\r\nDo you want to apply the changes now?",
      boxes_.shown()[1].text);
  EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONWARNING), boxes_.shown()[1].flags);
}

TEST_F(MainDialogLaunchTest, ExportFromTheProfileMenuAndImportCopyAProfileIntoAnotherProduct) {
  // The common file dialog asks for nothing: it answers file, and the test notes what it was asked.
  std::string file = AppData() + "work.arg";
  const std::string outside = AppData() + "outside.arg";
  std::vector<std::string> asked;
  const fw::FileDialogHook previous = fw::SetFileDialogHook([&](fw::FileDialogKind kind, std::string& path) {
    asked.push_back((kind == fw::FileDialogKind::Save ? "save " : "open ") + path);
    path = file;
    return true;
  });
  CPManDlg dialog;
  fwtest::RunModal(dialog,
                   {[&](HWND hwnd) {
                      // Export from the profile menu that a right click opens.
                      drive::Select(hwnd, IDC_PROFILES, 2);
                      drive::NotifyProfiles(hwnd, NM_RCLICK, 2);  // returns when the menu closes
                    },
                    [&](HWND) {
                      HWND menu = ::FindWindowA("#32768", nullptr);
                      ASSERT_TRUE(menu && ::IsWindowVisible(menu)) << "no menu open";
                      fwtest::PostKey(menu, 'X');  // the mnemonic of "E&xport..."
                    },
                    [&](HWND hwnd) {
                      drive::ChooseProduct(hwnd, 1);
                      ::SendMessageA(hwnd, WM_COMMAND, ID_PROFILE_IMPORT, 0);
                      EXPECT_EQ((Names{"Drafting", "Plot", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                      EXPECT_EQ(2, drive::Selected(hwnd, IDC_PROFILES));
                      // Once more: the name is taken now, and replacing it keeps a backup.
                      boxes_.Answer(IDYES);
                      ::SendMessageA(hwnd, WM_COMMAND, ID_PROFILE_IMPORT, 0);
                      // A file that is not an export is refused, naming the line.
                      WriteWholeFile(outside, ReadWholeFile(file) + "[HKEY_CURRENT_USER\\Software]\r\n");
                      file = outside;
                      boxes_.Answer(IDOK);
                      ::SendMessageA(hwnd, WM_COMMAND, ID_PROFILE_IMPORT, 0);
                      fwtest::Click(hwnd, IDCANCEL);
                    }});
  fw::SetFileDialogHook(previous);
  EXPECT_EQ((Names{"save Work.arg", "open ", "open ", "open "}), asked);
  // What the file holds and how it is read back is the engine's; here, where it went and what was said.
  const std::string exported = ReadWholeFile(AppData() + "work.arg");
  ASSERT_EQ(2u, boxes_.shown().size());
  EXPECT_EQ("The profile \"Work\" already exists.\r\nDo you want to replace it? A backup of it is kept.",
            boxes_.shown()[0].text);
  // The added key is the line after the export's last one.
  const auto lines = std::count(exported.begin(), exported.end(), '\n');
  EXPECT_EQ(
      "The file \"" + outside + "\" writes outside the profile in line " + std::to_string(lines + 1) + ".",
      boxes_.shown()[1].text);
  ASSERT_EQ(1u, ListBackups(AppData() + "Brevent Software\\Tarnwick\\Backups").size());
}

// An Apply whose backup cannot be written stops with a message; once it can, the deleted profile
// is backed up, and Restore brings it back with its links (exactly: the engine's backup tests).
TEST_F(MainDialogLaunchTest, AnApplyBacksUpADeletedProfileAndRestoreBringsItBack) {
  const std::string blocker = AppData() + "blocker";
  const std::string home = world::ProfileKey(world::kAcadId, "Home");
  WriteWholeFile(blocker, "");
  std::vector<std::string> columns;
  std::string proposed, proposedAgain;
  CPManDlg dialog;
  dialog.SetBackupRoot(blocker + "\\Backups");
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                              Delete(hwnd, IDYES, 1);
                              boxes_.Answer(IDOK);
                              fwtest::Click(hwnd, IDC_APPLY);
                              EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));
                              dialog.SetBackupRoot(AppData() + "Backups");
                              fwtest::Click(hwnd, IDC_APPLY);
                              EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, home));
                              ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_RESTORE, 0);  // returns when it closes
                            },
                            [&](HWND) {
                              HWND restore = fwtest::TopDialog();
                              fw::ListView list(::GetDlgItem(restore, IDC_BACKUP_LIST));
                              ASSERT_EQ(1, list.GetItemCount());
                              for (int column = 1; column < 4; ++column)
                                columns.push_back(list.GetItemText(0, column));
                              proposed = fwtest::ControlText(restore, IDC_RESTORE_NAME);
                              fwtest::Click(restore, IDOK);
                            },
                            [&](HWND hwnd) {
                              EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                              EXPECT_EQ(1, drive::Selected(hwnd, IDC_PROFILES));
                              ::SendMessageA(hwnd, WM_COMMAND, ID_PROFILE_RESTORE, 0);
                            },
                            [&](HWND) {
                              HWND restore = fwtest::TopDialog();
                              proposedAgain = fwtest::ControlText(restore, IDC_RESTORE_NAME);
                              fwtest::Click(restore, IDCANCEL);
                            },
                            [&](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }});
  EXPECT_EQ((Names{world::kAcadName, "Home", "deleted"}), columns);
  EXPECT_EQ("Home", proposed);
  EXPECT_EQ("Home (2)", proposedAgain);
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, home + "\\Tarnwick\\Applications\\Beta"));
  ASSERT_EQ(2u, boxes_.shown().size());
  const std::string& failed = boxes_.shown()[1].text;
  EXPECT_EQ(0u, failed.find("The profile \"Home\" could not be backed up to \"" + blocker + "\\Backups\": "))
      << failed;
  EXPECT_EQ("\r\nNothing was changed.", failed.substr(failed.size() - 22)) << failed;
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), boxes_.shown()[1].flags);
}

}  // namespace

// Profile files and backups from the main dialog: Export and Import from the profile menu with the
// file name supplied for the common file dialog, backups of what an Apply destroys, and the Restore
// dialog, with pictures of it and of the profile menu.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/backups.h"
#include "engine/profile_file.h"
#include "framework/file_dialog.h"
#include "framework/language.h"
#include "framework/listview.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/testkit/window_picture.h"
#include "tests/ui_dialogs/dialog_driver.h"
#include "tests/ui_dialogs/dialog_fixture.h"
#include "ui/main_dialog.h"

namespace {

using Names = std::vector<std::string>;

// The profile's whole tree as text: two profiles are equal when these are.
std::string Tree(const std::string& acadId, const std::string& profile) {
  ProfileTree tree;
  tree.Name = "X";
  std::string text;
  if (ReadProfileTree(HKEY_CURRENT_USER, world::ProfileKey(acadId, profile), tree) != ERROR_SUCCESS ||
      !FormatProfileFile(tree, text))
    return "(unreadable)";
  return text;
}

class MainDialogFilesTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    SeedWorld();
    const std::string work = world::ProfileKey(world::kAcadId, "Work");
    SetRaw(HKEY_CURRENT_USER, work + "\\General", "Bytes", REG_BINARY, std::string("\0\x01\xfe", 3));
    SetRaw(HKEY_CURRENT_USER, work + "\\General", "Paths", REG_MULTI_SZ, std::string("a\0b\\c\0\0", 7));
    SetRaw(HKEY_CURRENT_USER, work, "Expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7));
    SeedLink(world::kAcadId, "Home", "Beta", 1, 1);
    previousHook_ = fw::SetFileDialogHook([this](fw::FileDialogKind kind, std::string& path) {
      asked_.push_back((kind == fw::FileDialogKind::Save ? "save " : "open ") + path);
      path = file_;
      return true;
    });
  }
  void TearDown() override {
    fw::SetFileDialogHook(previousHook_);
    DialogTest::TearDown();
  }
  std::string BackupRoot() const { return AppData() + "Brevent Software\\Tarnwick\\Backups"; }
  static void Command(HWND dialog, UINT id) { ::SendMessageA(dialog, WM_COMMAND, id, 0); }

  fwtest::MessageBoxScript boxes_;
  fw::FileDialogHook previousHook_;
  std::vector<std::string> asked_;
  std::string file_;
};

TEST_F(MainDialogFilesTest, ExportAndImportThroughTheMenuCopyAProfileIntoAnotherProduct) {
  file_ = AppData() + "work.arg";
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     drive::Select(hwnd, IDC_PROFILES, 2);
                     Command(hwnd, ID_PROFILE_EXPORT);
                     drive::ChooseProduct(hwnd, 1);
                     Command(hwnd, ID_PROFILE_IMPORT);
                     EXPECT_EQ((Names{"Drafting", "Plot", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                     EXPECT_EQ(2, drive::Selected(hwnd, IDC_PROFILES));
                     // Once more: the name is taken now, and replacing it keeps a backup.
                     boxes_.Answer(IDYES);
                     Command(hwnd, ID_PROFILE_IMPORT);
                     // A file that is not an export is refused, naming the line.
                     file_ = AppData() + "outside.arg";
                     ::CopyFileA((AppData() + "work.arg").c_str(), file_.c_str(), FALSE);
                     HANDLE out = ::CreateFileA(file_.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
                     const char outside[] = "[HKEY_CURRENT_USER\\Software]\r\n";
                     DWORD written = 0;
                     ::WriteFile(out, outside, sizeof outside - 1, &written, nullptr);
                     ::CloseHandle(out);
                     boxes_.Answer(IDOK);
                     Command(hwnd, ID_PROFILE_IMPORT);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  EXPECT_EQ((Names{"save Work.arg", "open ", "open ", "open "}), asked_);
  EXPECT_EQ(Tree(world::kAcadId, "Work"), Tree(world::kLtId, "Work"));
  EXPECT_NE(std::string::npos, Tree(world::kLtId, "Work").find("\"Paths\"=hex(7):61,00,62,5c,63,00,00"));
  ASSERT_EQ(2u, boxes_.shown().size());
  EXPECT_EQ("The profile \"Work\" already exists.\r\nDo you want to replace it? A backup of it is kept.",
            boxes_.shown()[0].text);
  // The added key is the line after the export's last one.
  const std::string exported = Tree(world::kAcadId, "Work");
  const auto lines = std::count(exported.begin(), exported.end(), '\n');
  EXPECT_EQ("The file \"" + file_ + "\" writes outside the profile in line " + std::to_string(lines + 1) + ".",
            boxes_.shown()[1].text);
  const std::vector<BackupEntry> backups = ListBackups(BackupRoot());
  ASSERT_EQ(1u, backups.size());
  EXPECT_EQ("Work", backups[0].Profile);
  EXPECT_EQ(world::kLtName, backups[0].ProductName);
  EXPECT_EQ(static_cast<int>(BackupChange::Replaced), static_cast<int>(backups[0].Change));
}

// With pictures of the profile menu (open over the dialog) and of the Restore dialog.
TEST_F(MainDialogFilesTest, AnApplyBacksUpADeletedProfileAndRestoreBringsItBackWithItsLinks) {
  const std::string before = Tree(world::kAcadId, "Home");
  ASSERT_NE(std::string::npos, before.find("Tarnwick\\Applications"));  // it has links
  std::vector<std::string> columns;
  std::string proposed, proposedAgain;
  fwtest::WindowPicture picture, menuPicture;
  const std::string pictureFile = fwtest::ScreenshotFolder() + "restore_dialog_en.bmp";
  const std::string menuFile = fwtest::ScreenshotFolder() + "profile_menu_en.bmp";
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                              drive::Select(hwnd, IDC_PROFILES, 1);
                              RECT list;
                              ::GetWindowRect(::GetDlgItem(hwnd, IDC_PROFILES), &list);
                              ::SetCursorPos(list.left + 40, list.top + 30);
                              drive::Notify(hwnd, IDC_PROFILES, NM_RCLICK, 1);  // returns when the menu closes
                            },
                            [&](HWND hwnd) {
                              HWND menu = ::FindWindowA("#32768", nullptr);
                              ASSERT_NE(nullptr, menu);
                              menuPicture = fwtest::SaveWindowPicture(hwnd, menuFile);
                              fwtest::PostKey(menu, VK_ESCAPE);
                            },
                            [&](HWND hwnd) {
                              boxes_.Answer(IDYES);
                              fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                              fwtest::Click(hwnd, IDC_APPLY);
                              EXPECT_FALSE(KeyExists(world::ProfileKey(world::kAcadId, "Home")));
                              ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_RESTORE, 0);  // returns when it closes
                            },
                            [&](HWND) {
                              HWND restore = fwtest::TopDialog();
                              fw::ListView list(::GetDlgItem(restore, IDC_BACKUP_LIST));
                              ASSERT_EQ(1, list.GetItemCount());
                              for (int column = 1; column < 4; ++column) columns.push_back(list.GetItemText(0, column));
                              proposed = fwtest::ControlText(restore, IDC_RESTORE_NAME);
                              picture = fwtest::SaveWindowPicture(restore, pictureFile);
                              fwtest::Click(restore, IDOK);
                            },
                            [&](HWND hwnd) {
                              EXPECT_EQ((Names{"Default", "Home", "Work"}), drive::Items(hwnd, IDC_PROFILES));
                              EXPECT_EQ(1, drive::Selected(hwnd, IDC_PROFILES));
                              Command(hwnd, ID_PROFILE_RESTORE);
                            },
                            [&](HWND) {
                              HWND restore = fwtest::TopDialog();
                              proposedAgain = fwtest::ControlText(restore, IDC_RESTORE_NAME);
                              drive::Type(restore, IDC_RESTORE_NAME, "WORK");
                              boxes_.Answer(IDOK);
                              fwtest::Click(restore, IDOK);
                              fwtest::Click(restore, IDCANCEL);
                            },
                            [&](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }});
  EXPECT_EQ((Names{world::kAcadName, "Home", "deleted"}), columns);
  EXPECT_EQ("Home", proposed);
  EXPECT_EQ("Home (2)", proposedAgain);
  EXPECT_EQ(before, Tree(world::kAcadId, "Home"));
  ASSERT_EQ(2u, boxes_.shown().size());
  EXPECT_EQ("The profile \"WORK\" already exists", boxes_.shown()[1].text);
  fwtest::ExpectPicture(picture, pictureFile);
  fwtest::ExpectPicture(menuPicture, menuFile);
}

TEST_F(MainDialogFilesTest, ABackupThatCannotBeWrittenStopsTheApplyWithAMessage) {
  const std::string blocker = AppData() + "blocker";
  ::CloseHandle(::CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  CPManDlg dialog;
  dialog.SetBackupRoot(blocker + "\\Backups");
  bool applyStillEnabled = false;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     drive::Select(hwnd, IDC_PROFILES, 1);
                     boxes_.Answer(IDYES);
                     fwtest::Click(hwnd, IDC_DELETE_PROFILE);
                     boxes_.Answer(IDOK);
                     fwtest::Click(hwnd, IDC_APPLY);
                     applyStillEnabled = drive::IsEnabled(hwnd, IDC_APPLY);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  ASSERT_EQ(2u, boxes_.shown().size());
  const std::string& text = boxes_.shown()[1].text;
  EXPECT_EQ(0u, text.find("The profile \"Home\" could not be backed up to \"" + blocker + "\\Backups\": ")) << text;
  EXPECT_EQ("\r\nNothing was changed.", text.substr(text.size() - 22)) << text;
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), boxes_.shown()[1].flags);
  EXPECT_TRUE(applyStillEnabled);
  EXPECT_TRUE(KeyExists(world::ProfileKey(world::kAcadId, "Home")));
}

}  // namespace

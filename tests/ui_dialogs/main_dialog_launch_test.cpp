// The main dialog's ways out: Run (the AutoCAD stand-in plays the program that is started),
// dragging a profile onto a drop target of the test's own, the profile menu and help (the About box
// has its own tests in tests/about).
#include <windows.h>
// needs windows.h before them
#include <gtest/gtest.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/language.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/support/test_paths.h"
#include "tests/ui_dialogs/dialog_driver.h"
#include "tests/ui_dialogs/dialog_fixture.h"
#include "ui/main_dialog.h"
#include "ui/main_dialog_help.h"

namespace {

using Names = std::vector<std::string>;

const char kTemplate[] = "C:\\Templates\\iso a3.dwt";

std::string TempFolder() {
  char temp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, temp);
  return temp;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Waits (bounded) until the stand-in has written its last line, and returns the record.
std::string WaitForRecord(const std::string& path) {
  for (int i = 0; i < 400; ++i) {
    std::string record = ReadFile(path);
    if (record.find("\nexit=") != std::string::npos) return record;
    ::Sleep(50);
  }
  return "(no complete record in " + path + ")";
}

std::string Line(const std::string& record, const std::string& head) {
  size_t at = record.find(head);
  if (at == std::string::npos) return "(no " + head + " line)";
  size_t end = record.find('\n', at);
  return record.substr(at + head.size(),
                       end == std::string::npos ? std::string::npos : end - at - head.size());
}

class MainDialogLaunchTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    SeedWorld();
    const std::string beta =
        world::ProductKey(world::kAcadId) + "\\Applications\\Tarnwick\\Applications\\Beta";
    SetString(HKEY_LOCAL_MACHINE, beta, "Template", kTemplate);
  }
  fwtest::MessageBoxScript boxes_;
};

TEST_F(MainDialogLaunchTest, RunAsksToApplyThenStartsTheProgramInRunMode) {
  const std::string unwanted = TempFolder() + "ui_dialogs_run_no_" + std::to_string(::GetCurrentProcessId());
  const std::string record = TempFolder() + "ui_dialogs_run_" + std::to_string(::GetCurrentProcessId());
  ::DeleteFileA(unwanted.c_str());
  ::DeleteFileA(record.c_str());
  const std::string standIn = TestProgramFolder() + "acad.exe";
  ASSERT_TRUE(Exists(standIn)) << standIn;

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
  const std::string question =
      "The changes made to the profile configuration are not applied.\r\nDo you want to apply changes now "
      "and run "
      "AutoCAD?|" +
      std::to_string(MB_YESNO | MB_ICONQUESTION);
  ASSERT_EQ(2u, boxes_.shown().size());
  for (const auto& box : boxes_.shown()) EXPECT_EQ(question, box.text + "|" + std::to_string(box.flags));

  const std::string started = WaitForRecord(record);
  EXPECT_EQ("\"" + standIn + "\" -r -a \"AutoCAD\\R16.1\\ACAD-301:409\" -p \"Default\" -AcCL -t \"" +
                kTemplate + "\"",
            Line(started, "commandline="));
  EXPECT_FALSE(Exists(unwanted)) << "the answer No started the program";
  ::DeleteFileA(record.c_str());
}

// What a drop target of the desktop's kind receives.
struct Dropped {
  int drops = 0;
  DWORD allowed = 0;
  std::string path;
  bool fileThereOnDrop = false;
};

class RecordingDropTarget : public IDropTarget {
 public:
  explicit RecordingDropTarget(Dropped& dropped) : dropped_(dropped) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the test's stack.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    dropped_.allowed = *effect;
    *effect &= DROPEFFECT_MOVE;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect &= DROPEFFECT_MOVE;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    ++dropped_.drops;
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (SUCCEEDED(data->GetData(&format, &medium))) {
      char path[MAX_PATH] = "";
      ::DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0, path, MAX_PATH);
      dropped_.path = path;
      ::ReleaseStgMedium(&medium);
    }
    dropped_.fileThereOnDrop = Exists(dropped_.path);
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }

 private:
  Dropped& dropped_;
};

// A window under the mouse pointer that accepts drops, away from the dialog.
class DropZone {
 public:
  explicit DropZone(Dropped& dropped) : target_(dropped) {
    window_ =
        ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "drop here", WS_POPUP | WS_VISIBLE | WS_BORDER | SS_NOTIFY,
                          1050, 800, 200, 150, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    registered_ = SUCCEEDED(::RegisterDragDrop(window_, &target_));
    ::SetCursorPos(1150, 875);
  }
  ~DropZone() {
    if (registered_) ::RevokeDragDrop(window_);
    ::DestroyWindow(window_);
  }
  bool Ready() const { return window_ && registered_; }

 private:
  RecordingDropTarget target_;
  HWND window_;
  bool registered_;
};

TEST_F(MainDialogLaunchTest, DraggingAProfileOffersItsShortcutAsAFileAndRemovesItAfterwards) {
  Dropped dropped;
  DropZone zone(dropped);
  ASSERT_TRUE(zone.Ready());
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     drive::Notify(hwnd, IDC_PROFILES, LVN_BEGINDRAG, 2);  // Work
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  EXPECT_TRUE(boxes_.shown().empty());
  ASSERT_EQ(1, dropped.drops);
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), dropped.allowed);

  const std::string folder = dropped.path.substr(0, dropped.path.find_last_of('\\'));
  EXPECT_EQ(0u, folder.find(TempFolder() + "_APM")) << folder;
  EXPECT_EQ("AutoCAD 2005 in Work.lnk", dropped.path.substr(folder.size() + 1));
  EXPECT_TRUE(dropped.fileThereOnDrop);
  // The shortcut and its folder are gone once the drag has ended.
  EXPECT_FALSE(Exists(dropped.path));
  EXPECT_FALSE(Exists(folder));
}

TEST_F(MainDialogLaunchTest, DraggingWithEditsOffersToApplyAndDragsNothing) {
  Dropped dropped;
  DropZone zone(dropped);
  ASSERT_TRUE(zone.Ready());
  CPManDlg dialog;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     drive::Select(hwnd, IDC_PROFILES, 2);
                     fwtest::Click(hwnd, IDC_SET_CURRENT);
                     boxes_.Answer(IDNO);
                     drive::Notify(hwnd, IDC_PROFILES, LVN_BEGINDRAG, 1);
                     EXPECT_TRUE(drive::IsEnabled(hwnd, IDC_APPLY));
                     boxes_.Answer(IDYES);
                     drive::Notify(hwnd, IDC_PROFILES, LVN_BEGINDRAG, 1);
                     EXPECT_FALSE(drive::IsEnabled(hwnd, IDC_APPLY));
                     // An item that stands for no profile is not dragged.
                     drive::Notify(hwnd, IDC_PROFILES, LVN_BEGINDRAG, 3);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  const std::string question =
      "The changes must be applied before performing Drag'n'Drop operations.\r\nDo you want to apply changes "
      "now?";
  ASSERT_EQ(2u, boxes_.shown().size());
  for (const auto& box : boxes_.shown()) {
    EXPECT_EQ(question, box.text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONSTOP), box.flags);
  }
  EXPECT_EQ(0, dropped.drops);
}

// The open pop-up menu of this thread, or null.
HMENU OpenPopupMenu() {
  HWND menuWindow = ::FindWindowA("#32768", nullptr);
  return menuWindow && ::IsWindowVisible(menuWindow)
             ? reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0))
             : nullptr;
}

TEST_F(MainDialogLaunchTest, RightClickShowsTheProfileMenuWhoseCommandsReachTheDialog) {
  struct Item {
    UINT id;
    std::wstring text;
  };
  std::vector<Item> items;
  CPManDlg dialog;
  fwtest::RunModal(dialog,
                   {[&](HWND hwnd) {
                      drive::Select(hwnd, IDC_PROFILES, 2);
                      drive::Notify(hwnd, IDC_PROFILES, NM_RCLICK, 2);  // returns when the menu closes
                    },
                    [&](HWND hwnd) {
                      HMENU menu = OpenPopupMenu();
                      ASSERT_NE(nullptr, menu) << "no menu open";
                      for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                        wchar_t text[64] = L"";
                        ::GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
                        items.push_back({::GetMenuItemID(menu, i), text});
                      }
                      // The mnemonic of "Set &Current".
                      fwtest::PostKey(::FindWindowA("#32768", nullptr), 'C');
                    },
                    [&](HWND hwnd) {
                      EXPECT_EQ(nullptr, OpenPopupMenu());
                      EXPECT_EQ("Work", dialog.Model()[0].CurrentProfile);
                      EXPECT_EQ("Current profile: Work", fwtest::ControlText(hwnd, IDC_CURRENT_PROFILE));
                      fwtest::Click(hwnd, IDCANCEL);
                    }});
  ASSERT_EQ(10u, items.size());
  const UINT ids[] = {IDC_SET_CURRENT,   IDC_ADD_PROFILE,   IDC_DELETE_PROFILE, IDC_RENAME_PROFILE, 0,
                      ID_PROFILE_RUN,    0,                 ID_PROFILE_EXPORT,  ID_PROFILE_IMPORT,  ID_PROFILE_RESTORE};
  const wchar_t* texts[] = {L"Set &Current", L"Add to &List...", L"&Delete",    L"Re&name...", L"",
                            L"&Run...",      L"",                L"E&xport...", L"&Import...", L"Res&tore..."};
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(ids[i], items[i].id) << "item " << i;
    EXPECT_EQ(texts[i], items[i].text) << "item " << i;
  }
}

TEST_F(MainDialogLaunchTest, HelpWithoutAHelpFileDoesNothing) {
  const std::string program = TempFolder() + "ui_dialogs_nohelp\\Tarnwick.exe";
  CPManDlg dialog;
  dialog.SetProgramPath(program);
  bool stillOpen = false;
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                              fwtest::Click(hwnd, IDC_HELP_BUTTON);
                              ::PostMessageA(hwnd, WM_NULL, 0, 0);
                            },
                            [&](HWND hwnd) {
                              stillOpen = fwtest::TopDialog() == hwnd;
                              fwtest::Click(hwnd, IDCANCEL);
                            }});
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_EQ(nullptr, ::FindWindowA("MS_WINHELP", nullptr));
}

TEST_F(MainDialogLaunchTest, HelpWithOnlyTheUserGuideOpensItWithTheWebPageHandler) {
  const std::string folder = TempFolder() + "ui_dialogs_guide_" + std::to_string(::GetCurrentProcessId());
  const std::string guide = folder + "\\Tarnwick.html";
  const std::string record = folder + "\\opened.log";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  std::ofstream(guide) << "<html></html>";
  // Web pages open with the AutoCAD stand-in, which records its command line: a private
  // classes tree, as the shell reads it in this process.
  SetString(HKEY_CURRENT_USER, "GuideClasses\\.html", "", "TarnwickTest.Page");
  SetString(HKEY_CURRENT_USER, "GuideClasses\\TarnwickTest.Page\\shell\\open\\command", "",
            "\"" + TestProgramFolder() + "acad.exe\" \"%1\"");
  fw::RegKey classes;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegOpenKeyExA(HKEY_CURRENT_USER, "GuideClasses", 0, KEY_ALL_ACCESS, classes.put()));
  ASSERT_EQ(ERROR_SUCCESS, ::RegOverridePredefKey(HKEY_CLASSES_ROOT, classes.get()));
  ::SetEnvironmentVariableA("TW_ACAD_RECORD", record.c_str());

  CPManDlg dialog;
  dialog.SetProgramPath(folder + "\\Tarnwick.exe");
  fwtest::RunModal(dialog, {[&](HWND hwnd) {
                     fwtest::Click(hwnd, IDC_HELP_BUTTON);
                     fwtest::Click(hwnd, IDCANCEL);
                   }});
  ::SetEnvironmentVariableA("TW_ACAD_RECORD", nullptr);
  ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_EQ("\"" + TestProgramFolder() + "acad.exe\" \"" + guide + "\"",
            Line(WaitForRecord(record), "commandline="));
  ::DeleteFileA(record.c_str());
  ::DeleteFileA(guide.c_str());
  ::RemoveDirectoryA(folder.c_str());
}

TEST(HelpFile, BesideTheProgramOrAboveAnAddOnFolder) {
  struct Row {
    const char* program;
    const char* help;
    const char* guide;
  };
  const Row rows[] = {
      {"C:\\Program Files\\Tarnwick\\Tarnwick.exe", "C:\\Program Files\\Tarnwick\\Tarnwick.hlp",
       "C:\\Program Files\\Tarnwick\\Tarnwick.html"},
      {"C:\\PROG\\TARNWICK.EXE", "C:\\PROG\\TARNWICK.hlp", "C:\\PROG\\TARNWICK.html"},
      {"C:\\tools.exe.d\\Tarnwick.exe", "C:\\tools.exe.d\\Tarnwick.hlp", "C:\\tools.exe.d\\Tarnwick.html"},
      {"C:\\Apps\\Tarnwick.alx\\Tarnwick.exe", "C:\\Apps\\Tarnwick.hlp",
       "C:\\Apps\\Tarnwick.alx\\Tarnwick.html"},
      {"C:\\Apps\\Extra.ALX\\bin\\Tarnwick.exe", "C:\\Apps\\Extra.ALX\\Tarnwick.hlp",
       "C:\\Apps\\Extra.ALX\\bin\\Tarnwick.html"},
      {"Tarnwick.exe", "Tarnwick.hlp", "Tarnwick.html"},
      {"", ".hlp", ".html"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    EXPECT_EQ(rows[row].help, HelpFilePath(rows[row].program)) << "row " << row;
    EXPECT_EQ(rows[row].guide, UserGuidePath(rows[row].program)) << "row " << row;
  }
}

TEST(HelpFile, TheJumpMacroDoublesBackslashesAndTurnsSlashesIntoThem) {
  EXPECT_EQ("JumpID(\"C:\\\\Program Files\\\\Tarnwick.hlp\",\"TarnwickMain\")",
            HelpJumpMacro("C:\\Program Files\\Tarnwick.hlp", kMainHelpTopic));
  EXPECT_EQ("JumpID(\"\\\\\\\\server\\\\share\\\\a\\\\b.hlp\",\"TarnwickMain\")",
            HelpJumpMacro("//server/share\\a/b.hlp", "TarnwickMain"));
}

}  // namespace

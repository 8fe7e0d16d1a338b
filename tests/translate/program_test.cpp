// Tarnwick.exe as a whole: started with the German sample dictionary beside it, its main
// dialog, its profile menu and a message box show the translations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../e2e/program_driver.h"
#include "../e2e/registry_seed.h"
#include "base/handles.h"
#include "resources/resource.h"
#include "translate_fixture.h"

namespace {

const char kGermanTitle[] = "Orvane f\xFCr AutoCAD";
const DWORD kWaitMs = 30000;

// Pumps this thread's messages for about ms milliseconds.
void Pump(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  } while (::GetTickCount() - start < ms);
}

// A visible top-level window of the process with that title, other than except.
HWND WaitForWindow(DWORD processId, const std::string& title, HWND except = nullptr) {
  for (DWORD waited = 0; waited < kWaitMs; waited += 50) {
    for (const auto& window : ProcessWindows(processId))
      if (window.second == title && window.first != except) return window.first;
    Pump(50);
  }
  return nullptr;
}

// Ends a started program that a failed test left running.
struct EndOnExit {
  HANDLE process;
  ~EndOnExit() {
    if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) ::TerminateProcess(process, 99);
  }
};

int WidthOf(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

// A hidden window that receives what menu_probe.dll sends from inside the program.
class MenuProbeSink {
 public:
  MenuProbeSink() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Receive;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TwMenuProbeSink";
    ::RegisterClassA(&windowClass);
    window_ = ::CreateWindowA("TwMenuProbeSink", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    received_.clear();
  }
  ~MenuProbeSink() { ::DestroyWindow(window_); }
  MenuProbeSink(const MenuProbeSink&) = delete;
  MenuProbeSink& operator=(const MenuProbeSink&) = delete;

  // The item texts of the first menu the program opened, one per line; "" when none came.
  static std::string Wait() {
    for (DWORD waited = 0; waited < kWaitMs && received_.empty(); waited += 50) Pump(50);
    return received_;
  }

 private:
  static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
      const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (received_.empty() && data->cbData)
        received_.assign(static_cast<const char*>(data->lpData), data->cbData - 1);
      return TRUE;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_;
  static std::string received_;
};
std::string MenuProbeSink::received_;

// An AutoCAD product with two profiles, current and stored as the product to show.
class ProgramTranslation : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string release = UniqueName("R91.");
    const std::string key = "Software\\Autodesk\\AutoCAD\\" + release + "\\ACAD-9001:409";
    product_ = "AAA Translation " + release;
    seed_.Own(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD\\" + release);
    seed_.Own(HKEY_CURRENT_USER, "Software\\Autodesk\\AutoCAD\\" + release);
    seed_.SetString(HKEY_LOCAL_MACHINE, key, "ProductName", product_);
    seed_.SetString(HKEY_LOCAL_MACHINE, key, "Location", folder_.Parent() + "AutoCAD");
    seed_.SetString(HKEY_CURRENT_USER, key + "\\Profiles", "", "Alpha");
    seed_.SetString(HKEY_CURRENT_USER, key + "\\Profiles\\Alpha", "", "First");
    seed_.SetString(HKEY_CURRENT_USER, key + "\\Profiles\\Beta", "", "Second");
    seed_.Own(HKEY_CURRENT_USER, "Software\\Brevent Software\\Tarnwick\\1.0");
    seed_.SetString(HKEY_CURRENT_USER, "Software\\Brevent Software\\Tarnwick\\1.0", "CurAcad", product_);
  }

  void PlaceGermanDictionary() {
    for (const char* extension : {".wld", ".dlg"})
      ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "Tarnwick.de" + extension).c_str(),
                              (folder_.Bin() + "Tarnwick" + extension).c_str(), FALSE))
          << extension;
  }

  // Starts the program and waits for its main dialog (title given); false when it shows none.
  bool Start(const char* title) {
    process_ = folder_.Start("");
    if (!process_) return false;
    dialog_ = WaitForWindow(::GetProcessId(process_.get()), title);
    return dialog_ != nullptr;
  }

  std::string Control(int id) { return WindowText(::GetDlgItem(dialog_, id)); }

  // Closes the dialog with Cancel; the program ends with exit code 0.
  void Close() {
    ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process_.get(), kWaitMs));
    DWORD exitCode = 99;
    ::GetExitCodeProcess(process_.get(), &exitCode);
    EXPECT_EQ(0u, exitCode);
  }

  ProgramFolder folder_;
  RegistrySeed seed_;
  std::string product_;
  fw::Handle process_;
  HWND dialog_ = nullptr;
};

TEST_F(ProgramTranslation, GermanDialogMenuAndMessageBox) {
  PlaceGermanDictionary();
  ASSERT_TRUE(Start(kGermanTitle)) << "no German main dialog";
  EndOnExit end{process_.get()};
  Pump(500);
  EXPECT_EQ(
      "&Reihenfolge zur\xFC"
      "cksetzen",
      Control(IDC_RESET_ORDER));
  EXPECT_EQ("Als a&ktuell festlegen", Control(IDC_SET_CURRENT));
  EXPECT_EQ("Abbrechen", Control(IDCANCEL));
  EXPECT_EQ("\xDC&bernehmen", Control(IDC_APPLY));
  EXPECT_EQ("AutoCAD-&Produkt:", WindowText(::GetWindow(::GetDlgItem(dialog_, IDC_PRODUCTS), GW_HWNDPREV)));
  EXPECT_EQ("Aktuelles Profil: Alpha", Control(IDC_CURRENT_PROFILE)) << "a string resource with its argument";
  // The layout: Set current is 24 units wider than in English (76), twice the width of Help (50).
  EXPECT_NEAR(2 * WidthOf(::GetDlgItem(dialog_, IDC_HELP_BUTTON)),
              WidthOf(::GetDlgItem(dialog_, IDC_SET_CURRENT)), 2);

  // The profile menu, read inside the program as it opens.
  {
    MenuProbeSink sink;
    fw::Module probe(::LoadLibraryA("menu_probe.dll"));
    ASSERT_TRUE(probe);
    auto hookProc = reinterpret_cast<HOOKPROC>(::GetProcAddress(probe.get(), "ProbeCallWndProc"));
    ASSERT_NE(nullptr, hookProc);
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, hookProc, probe.get(),
                                     ::GetWindowThreadProcessId(dialog_, nullptr));
    ASSERT_NE(nullptr, hook);
    HWND profiles = ::GetDlgItem(dialog_, IDC_PROFILES);
    ::PostMessageA(profiles, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 6));
    ::PostMessageA(profiles, WM_RBUTTONUP, 0, MAKELPARAM(20, 6));
    const std::string items = sink.Wait();
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(
        "Als a&ktuell festlegen\nZur &Liste "
        "hinzuf\xFCgen...\nL\xF6&schen\n&Umbenennen...\n\n&Ausf\xFChren...\n\nE&xportieren...\n&Importieren...\n"
        "Wie&derherstellen...\n",
        items);
  }

  // The About box, a dialog resource of the program.
  Pump(300);
  const DWORD processId = ::GetProcessId(process_.get());
  ::PostMessageA(dialog_, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  HWND about = WaitForWindow(processId,
                             "Info \xFC"
                             "ber Orvane f\xFC"
                             "r AutoCAD 1.0");
  ASSERT_NE(nullptr, about) << "no German About box";
  ::PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (DWORD waited = 0; waited < kWaitMs && ::IsWindow(about); waited += 50) Pump(50);

  // A message box: the current profile (selected by the right click) cannot be deleted.
  ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_DELETE_PROFILE, BN_CLICKED), 0);
  HWND box = WaitForWindow(processId, kGermanTitle, dialog_);
  ASSERT_NE(nullptr, box) << "no German message box";
  EXPECT_EQ("Das aktuelle Profil kann nicht gel\xF6scht werden", MessageBoxText(box));
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (DWORD waited = 0; waited < kWaitMs && ::IsWindow(box); waited += 50) Pump(50);
  Close();
}

}  // namespace

#include "app/app.h"

#include <commctrl.h>
#include <ole2.h>
#include <stdio.h>

#include <string>

#include "framework/language.h"
#include "app/profile_commands.h"
#include "app/run_mode.h"
#include "app/script_actions.h"
#include "app/site_mode.h"
#include "base/oem_info_impl.h"
#include "engine/backups.h"
#include "engine/configuration.h"
#include "engine/regdll_bridge.h"
#include "framework/msgbox.h"
#include "resources/resource.h"
#include "translate/supp.h"
#include "ui/main_dialog.h"

const char kInstanceEventName[] = "Tarnwick";
const char kActivateMessageName[] = "Tarnwick.Activate";

namespace {

BOOL CALLBACK PostActivation(HWND window, LPARAM message) {
  char line[16];
  wsprintfA(line, "\n%.08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
  ::OutputDebugStringA(line);
  ::PostMessageA(window, static_cast<UINT>(message), 0, 0);
  return TRUE;
}

// The program file with ".wld" in place of its extension.
std::string DictionaryPath() {
  char path[MAX_PATH] = "";
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string dictionary(path, n);
  const size_t dot = dictionary.find_last_of('.');
  const size_t slash = dictionary.find_last_of("\\/");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) dictionary.erase(dot);
  return dictionary + ".wld";
}

// Asked without the system's boxes for a drive that is not ready.
bool FileExistsQuietly(const std::string& path) {
  const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  ::SetErrorMode(previous);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Resource translation for the interactive instance: the hook table into MFC (when loaded)
// and into the program itself, then the dictionary beside the program when there is one.
void SetUpResourceTranslation() {
  if (HMODULE mfc = ::GetModuleHandleA("mfc42.dll")) Supp_InitResTranslation(mfc);
  Supp_InitResTranslation(::GetModuleHandleA(nullptr));
  const std::string dictionary = DictionaryPath();
  if (!dictionary.empty() && FileExistsQuietly(dictionary)) Supp_Init(dictionary.c_str());
}

}  // namespace

BOOL CPManDlgApp::InitInstance() {
  InitializeLibraries();
  SelectUiLanguage();
  SetAppName(LangString(IDS_APP_NAME));

  CPMCommandLineInfo info;
  fw::ParseCommandLine(info);

  CPManDlg dialog;
  if (!info.anyArgument)
    RunInteractive(dialog);
  else
    RunCommandLineAction(info, dialog);
  return FALSE;
}

// Site standards are always handled in scripting mode.
void CPManDlgApp::RunCommandLineAction(const CPMCommandLineInfo& info, CPManDlg& dialog) {
  const bool siteStandard = !info.applyFile.empty() || !info.checkFile.empty();
  ScriptOutput output(info.quiet || siteStandard, info.logFile);
  const RegistrationLibrary& library = RegistrationLibrary::Instance();
  if (info.run && !info.acadId.empty() && !info.profile.empty())
    exitCode_ = RunFromCommandLine(info, dialog.Model(), output);
  else if (info.report && !info.reportFile.empty())
    exitCode_ = WriteReportFile(info.reportFile, dialog.Model(), output);
  else if (!info.exportFile.empty() && !info.acadId.empty() && !info.profile.empty())
    exitCode_ = ExportFromCommandLine(info, dialog.Model(), output);
  else if (!info.importFile.empty() && !info.acadId.empty())
    exitCode_ = ImportFromCommandLine(info, dialog.Model(), DefaultBackupRoot(), output);
  else if (!info.applyFile.empty())
    exitCode_ = RunSiteStandard(info.applyFile, true, dialog.Model(), output);
  else if (!info.checkFile.empty())
    exitCode_ = RunSiteStandard(info.checkFile, false, dialog.Model(), output);
  else if (!info.deleteProfileName.empty())
    exitCode_ = DeleteProfileEverywhere(info.deleteProfileName, dialog.Model(), library, output);
  else if (!info.unregisterAppName.empty())
    exitCode_ = UnregisterApplicationEverywhere(info.unregisterAppName, dialog.Model(), library, output);
  else
    exitCode_ = ShowUsage(output);
}

int CPManDlgApp::ExitInstance() {
  fw::WinApp::ExitInstance();
  if (oleInitialized_) ::OleUninitialize();
  return exitCode_;
}

void CPManDlgApp::InitializeLibraries() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  oleInitialized_ = SUCCEEDED(::OleInitialize(nullptr));
  richEdit_.reset(::LoadLibraryA("riched20.dll"));
}

void CPManDlgApp::SelectUiLanguage() {
  SetUiLanguage(ChooseUiLanguage(ProgramIniPath()));
  // The exported product information names the product in the same language.
  SetOemStringLoader(&LoadLangString);
}

void CPManDlgApp::RunInteractive(CPManDlg& dialog) {
  const UINT activateMessage = ::RegisterWindowMessageA(kActivateMessageName);
  dialog.SetActivationMessage(activateMessage);
  fw::Handle running(::OpenEventA(EVENT_MODIFY_STATE, FALSE, kInstanceEventName));
  if (running) {
    running.reset();
    ::EnumWindows(PostActivation, static_cast<LPARAM>(activateMessage));
    exitCode_ = 0;
    return;
  }
  SetUpResourceTranslation();
  // The main dialog's template was loaded before the hooks were in: load it again through them,
  // so that it comes translated and with its layout.
  dialog.SetTemplate(LoadLangDialog(IDD_MAIN));
  instanceEvent_.reset(::CreateEventA(nullptr, FALSE, TRUE, kInstanceEventName));
  dialog.DoModal();
  exitCode_ = 0;
}


#include "app/app.h"

#include <commctrl.h>
#include <ole2.h>
#include <stdio.h>

#include "framework/language.h"
#include "app/report.h"
#include "app/run_mode.h"
#include "engine/configuration.h"
#include "engine/regdll_bridge.h"
#include "framework/msgbox.h"
#include "resources/resource.h"
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
  else if (info.run && !info.acadId.empty() && !info.profile.empty())
    RunMode(info, dialog);
  else if (info.report && !info.reportFile.empty())
    WriteReport(info, dialog);
  else if (!info.deleteProfileName.empty())
    RegistrationLibrary::Instance().DeleteProfileAllAcads(info.deleteProfileName.c_str());
  else if (!info.unregisterAppName.empty())
    RegistrationLibrary::Instance().UnregAppInPManAllAcads(info.unregisterAppName.c_str());
  else
    ShowUsage();
  return FALSE;
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

void CPManDlgApp::SelectUiLanguage() { SetUiLanguage(ChooseUiLanguage(ProgramIniPath())); }

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
  instanceEvent_.reset(::CreateEventA(nullptr, FALSE, TRUE, kInstanceEventName));
  dialog.DoModal();
  exitCode_ = 0;
}

void CPManDlgApp::RunMode(const CPMCommandLineInfo& info, CPManDlg& dialog) {
  exitCode_ = RunFromCommandLine(info, dialog.Model());
}

void CPManDlgApp::WriteReport(const CPMCommandLineInfo& info, CPManDlg& dialog) {
  FILE* file = fopen(info.reportFile.c_str(), "wb");
  if (!file) return;
  LoadConfiguration(dialog.Model());
  WriteConfigurationReport(dialog.Model(), file);
  fclose(file);
}

void CPManDlgApp::ShowUsage() { fw::MessageBoxApp(nullptr, LangString(IDS_USAGE), MB_OK); }

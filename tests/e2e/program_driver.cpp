#include "program_driver.h"

#include <algorithm>

#include "tests/support/test_paths.h"

namespace {

std::string WindowText(HWND window) {
  char text[4096] = "";
  return std::string(text, ::GetWindowTextA(window, text, sizeof text));
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
  char name[64] = "";
  ::GetClassNameA(child, name, sizeof name);
  if (std::string(name) == "Static") *reinterpret_cast<std::string*>(param) += WindowText(child);
  return TRUE;
}

void Drain(HANDLE pipe, std::string& text) {
  DWORD available = 0;
  while (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    char buffer[4096];
    DWORD got = 0;
    if (!::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) || got == 0) return;
    text.append(buffer, got);
  }
}

}  // namespace

ProgramFolder::ProgramFolder() : parent_(scratch_.Path() + "\\"), bin_(parent_ + "bin\\") {
  ::CreateDirectoryA(bin_.c_str(), nullptr);
  const std::string from = TestProgramFolder();
  for (const char* file : {"Tarnwick.exe", "QvApmReg.dll", "TarnwickBase.dll", "libgcc_s_dw2-1.dll",
                           "libstdc++-6.dll", "libwinpthread-1.dll"})
    ::CopyFileA((from + file).c_str(), (bin_ + file).c_str(), FALSE);
}

fw::Handle ProgramFolder::Start(const std::string& arguments, HANDLE standardError) const {
  std::string commandLine = "\"" + Exe() + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (standardError) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = standardError;
  }
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, standardError != nullptr, 0, nullptr,
                        bin_.c_str(), &startup, &process))
    return fw::Handle();
  ::CloseHandle(process.hThread);
  return fw::Handle(process.hProcess);
}

ProgramRun ProgramFolder::Run(const std::string& arguments, DWORD timeoutMs) const {
  ProgramRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  fw::Handle reader(readEnd), writer(writeEnd);
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  fw::Handle process = Start(arguments, writeEnd);
  writer.reset();
  if (!process) return run;
  const DWORD start = ::GetTickCount();
  std::vector<HWND> answered;
  for (bool ended = false; !ended;) {
    ended = ::WaitForSingleObject(process.get(), 50) == WAIT_OBJECT_0;
    Drain(reader.get(), run.Error);
    if (!ended && ::GetTickCount() - start > timeoutMs) {
      ::TerminateProcess(process.get(), 99);
      ::WaitForSingleObject(process.get(), 5000);
      ended = true;
    }
    for (HWND box = nullptr; (box = ::FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr;) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(box, &owner);
      if (owner != ::GetProcessId(process.get()) || !::IsWindowVisible(box) ||
          std::find(answered.begin(), answered.end(), box) != answered.end())
        continue;
      std::string text;
      ::EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
      run.Boxes.push_back(ShownBox{WindowText(box), text});
      answered.push_back(box);
      ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  }
  Drain(reader.get(), run.Error);
  ::GetExitCodeProcess(process.get(), &run.ExitCode);
  return run;
}

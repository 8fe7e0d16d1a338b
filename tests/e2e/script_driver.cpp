#include "script_driver.h"

#include <fstream>
#include <sstream>

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<std::string>* classes;
};

// Every visible top-level window of the process (hidden helper windows of system libraries
// neither block a script nor show anything).
BOOL CALLBACK NoteWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && ::IsWindowVisible(window)) {
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    search->classes->push_back(name);
  }
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

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

ScriptRun RunScripted(const ProgramFolder& folder, const std::string& arguments, DWORD timeoutMs) {
  ScriptRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  fw::Handle reader(readEnd), writer(writeEnd);
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  std::string commandLine = "\"" + folder.Exe() + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, folder.Bin().c_str(), &startup,
                        &process))
    return run;
  writer.reset();
  fw::Handle thread(process.hThread), child(process.hProcess);
  run.Started = true;
  const DWORD start = ::GetTickCount();
  for (;;) {
    const bool ended = ::WaitForSingleObject(child.get(), 20) == WAIT_OBJECT_0;
    WindowSearch search{process.dwProcessId, &run.Windows};
    ::EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&search));
    Drain(reader.get(), run.Error);
    if (ended) break;
    if (!run.Windows.empty() || ::GetTickCount() - start > timeoutMs) {
      run.TimedOut = run.Windows.empty();
      ::TerminateProcess(child.get(), 99);
      ::WaitForSingleObject(child.get(), 5000);
      break;
    }
  }
  Drain(reader.get(), run.Error);
  ::GetExitCodeProcess(child.get(), &run.ExitCode);
  return run;
}

#include "program_driver.h"

#include <fstream>

#include "tests/support/test_paths.h"

namespace {

std::string WindowText(HWND window) {
  int length = ::GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  text.resize(::GetWindowTextA(window, &text[0], length + 1));
  return text;
}

std::string ClassName(HWND window) {
  char name[64] = "";
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

struct WindowSearch {
  DWORD processId;
  std::vector<std::pair<HWND, std::string>> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && ::IsWindowVisible(window)) search->found.emplace_back(window, WindowText(window));
  return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
  auto* text = reinterpret_cast<std::string*>(param);
  if (ClassName(child) == "Static") {
    std::string part = WindowText(child);
    if (!part.empty()) *text += part;
  }
  return TRUE;
}

}  // namespace

std::vector<std::pair<HWND, std::string>> ProcessWindows(DWORD processId) {
  WindowSearch search{processId, {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string MessageBoxText(HWND box) {
  std::string text;
  ::EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  fw::FindHandle find(::FindFirstFileA((folder + "*").c_str(), &found));
  if (find) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteTree(path + "\\");
      else
        ::DeleteFileA(path.c_str());
    } while (::FindNextFileA(find.get(), &found));
  }
  find.reset();
  ::RemoveDirectoryA(folder.c_str());
}

ProgramFolder::ProgramFolder() {
  char temp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  parent_ = std::string(temp) + "tw_e2e_" + std::to_string(::GetCurrentProcessId()) + "_" +
            std::to_string(++counter) + "\\";
  bin_ = parent_ + "bin\\";
  ::CreateDirectoryA(parent_.c_str(), nullptr);
  ::CreateDirectoryA(bin_.c_str(), nullptr);
  const std::string from = TestProgramFolder();
  for (const char* file : {"Tarnwick.exe", "QvApmReg.dll", "TarnwickBase.dll", "libgcc_s_dw2-1.dll",
                           "libstdc++-6.dll", "libwinpthread-1.dll"})
    ::CopyFileA((from + file).c_str(), (bin_ + file).c_str(), FALSE);
}

ProgramFolder::~ProgramFolder() { DeleteTree(parent_); }

void ProgramFolder::WriteFile(const std::string& path, const std::string& contents) const {
  std::ofstream(path, std::ios::binary) << contents;
}

fw::Handle ProgramFolder::Start(const std::string& arguments) const {
  std::string commandLine = "\"" + Exe() + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, bin_.c_str(), &startup,
                        &process))
    return fw::Handle();
  ::CloseHandle(process.hThread);
  return fw::Handle(process.hProcess);
}

ProgramRun ProgramFolder::Run(const std::string& arguments, DWORD timeoutMs,
                              std::function<int(const ShownBox&)> answer) const {
  ProgramRun run;
  fw::Handle process = Start(arguments);
  if (!process) return run;
  run.Started = true;
  const DWORD processId = ::GetProcessId(process.get());
  const DWORD start = ::GetTickCount();
  std::vector<HWND> answered;
  for (;;) {
    if (::WaitForSingleObject(process.get(), 50) == WAIT_OBJECT_0) break;
    if (::GetTickCount() - start > timeoutMs) {
      ::TerminateProcess(process.get(), 99);
      ::WaitForSingleObject(process.get(), 5000);
      run.TimedOut = true;
      break;
    }
    for (const auto& window : ProcessWindows(processId)) {
      if (ClassName(window.first) != "#32770") continue;
      bool seen = false;
      for (HWND done : answered) seen |= done == window.first;
      if (seen) continue;
      ShownBox box{window.second, MessageBoxText(window.first)};
      run.Boxes.push_back(box);
      answered.push_back(window.first);
      int button = answer ? answer(box) : IDOK;
      if (button != 0) ::PostMessageA(window.first, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }
  }
  ::GetExitCodeProcess(process.get(), &run.ExitCode);
  return run;
}

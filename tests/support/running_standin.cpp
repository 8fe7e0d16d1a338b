#include "tests/support/running_standin.h"

#include "tests/support/test_paths.h"

std::string TestProgramFolder() {
  char path[MAX_PATH] = "";
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program(path, length);
  return program.substr(0, program.find_last_of("\\/") + 1);
}

RunningStandIn::RunningStandIn(const std::string& folder) : waitFile_(folder + "standin.end") {
  ::DeleteFileA(waitFile_.c_str());
  ::SetEnvironmentVariableA("TW_ACAD_RECORD", (folder + "standin.record").c_str());
  ::SetEnvironmentVariableA("TW_ACAD_WAIT_FILE", waitFile_.c_str());
  std::string commandLine = "\"" + ProgramFolder() + "acad.exe\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &started)) {
    process_.reset(started.hProcess);
    fw::Handle thread(started.hThread);
  }
  ::SetEnvironmentVariableA("TW_ACAD_RECORD", nullptr);
  ::SetEnvironmentVariableA("TW_ACAD_WAIT_FILE", nullptr);
}

bool RunningStandIn::End() {
  if (!process_) return true;
  fw::FileHandle(::CreateFileA(waitFile_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const bool ended = ::WaitForSingleObject(process_.get(), 30000) == WAIT_OBJECT_0;
  process_.reset();
  ::DeleteFileA(waitFile_.c_str());
  return ended;
}

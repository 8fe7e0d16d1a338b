#include "tests/tools/standin_harness.h"

#include <cstring>

namespace standin {

std::string BinFolder() {
  char path[MAX_PATH * 2] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string full(path, n);
  return full.substr(0, full.find_last_of("\\/") + 1);
}

RawValue Sz(const std::string& text) { return RawValue{REG_SZ, text + std::string(1, '\0')}; }

RawValue Dword(DWORD number) {
  std::string bytes(sizeof number, '\0');
  memcpy(&bytes[0], &number, sizeof number);
  return RawValue{REG_DWORD, bytes};
}

bool CreateKey(HKEY root, const std::string& path, REGSAM view) {
  fw::RegKey key;
  return RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, key.put(),
                         nullptr) == ERROR_SUCCESS;
}

bool WriteValue(HKEY root, const std::string& path, const char* name, const RawValue& value, REGSAM view) {
  fw::RegKey key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS)
    return false;
  return RegSetValueExA(key.get(), name, 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                        static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

void DeleteTree(HKEY root, const std::string& path, REGSAM view) {
  size_t slash = path.find_last_of('\\');
  std::string parentPath = slash == std::string::npos ? std::string() : path.substr(0, slash);
  std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
  fw::RegKey parent;
  if (RegOpenKeyExA(root, parentPath.c_str(), 0, KEY_ALL_ACCESS | view, parent.put()) != ERROR_SUCCESS)
    return;
  fw::RegKey key;
  if (RegOpenKeyExA(parent.get(), leaf.c_str(), 0, KEY_ALL_ACCESS | view, key.put()) != ERROR_SUCCESS) return;
  RegDeleteTreeA(key.get(), nullptr);
  key.reset();
  RegDeleteKeyExA(parent.get(), leaf.c_str(), view, 0);
}

namespace {

bool IsStandInVariable(const char* entry) { return _strnicmp(entry, "TW_ACAD_", 8) == 0; }

std::vector<char> EnvironmentBlock(const EnvVars& env) {
  std::vector<char> block;
  char* strings = GetEnvironmentStringsA();
  for (const char* p = strings; p && *p; p += strlen(p) + 1) {
    if (!IsStandInVariable(p)) block.insert(block.end(), p, p + strlen(p) + 1);
  }
  if (strings) FreeEnvironmentStringsA(strings);
  for (const auto& var : env) {
    std::string entry = var.first + "=" + var.second;
    block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
  }
  block.push_back('\0');
  return block;
}

}  // namespace

StandInProcess::StandInProcess(const std::string& exePath, const std::string& arguments, const EnvVars& env)
    : commandLine_("\"" + exePath + "\"" + arguments) {
  std::vector<char> block = EnvironmentBlock(env);
  std::vector<char> commandLine(commandLine_.begin(), commandLine_.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, block.data(), nullptr, &startup,
                     &info)) {
    process_.reset(info.hProcess);
    fw::Handle thread(info.hThread);
  }
}

bool StandInProcess::WaitExit(DWORD ms, DWORD& exitCode) {
  if (!process_ || WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(process_.get(), &exitCode) != FALSE;
}

bool StandInProcess::IsRunning() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

// A stand-in left running by a failed test must not outlive it.
StandInProcess::~StandInProcess() {
  if (IsRunning()) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool RunToEnd(const std::string& exePath, const std::string& arguments, const EnvVars& env, DWORD& exitCode) {
  StandInProcess process(exePath, arguments, env);
  return process.started() && process.WaitExit(30000, exitCode);
}

std::vector<std::string> ReadRecord(const std::string& path) {
  std::vector<std::string> lines;
  fw::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return lines;
  std::string text;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start) + "<no line end>");
  return lines;
}

std::vector<std::string> WaitForRecordLines(const std::string& path, size_t count, DWORD ms) {
  ULONGLONG end = GetTickCount64() + ms;
  std::vector<std::string> lines = ReadRecord(path);
  while (lines.size() < count && GetTickCount64() < end) {
    Sleep(20);
    lines = ReadRecord(path);
  }
  return lines;
}

ScratchFolder::ScratchFolder(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  WIN32_FIND_DATAA found;
  fw::FindHandle find(FindFirstFileA((path_ + "*").c_str(), &found));
  if (find) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileA((path_ + found.cFileName).c_str());
    } while (FindNextFileA(find.get(), &found));
  }
  find.reset();
  RemoveDirectoryA(path_.c_str());
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    if (line.size() > 300)
      out += "  [" + line.substr(0, 200) + "...(" + std::to_string(line.size()) + " chars)]\n";
    else
      out += "  [" + line + "]\n";
  }
  return out;
}

}  // namespace standin

// Runs the AutoCAD stand-ins as real child processes against a scratch registry subtree and
// reads back what they recorded.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/handles.h"

namespace standin {

using EnvVars = std::vector<std::pair<std::string, std::string>>;

// The folder of the running test program, with a trailing backslash; the stand-ins sit there.
std::string BinFolder();

// A value to write: type and raw bytes (strings are given with their terminating zero where wanted).
struct RawValue {
  DWORD type;
  std::string bytes;
};
RawValue Sz(const std::string& text);  // REG_SZ with its terminating zero
RawValue Dword(DWORD number);

// Creates the key path below root (in the given view) and writes one value; false on any failure.
bool WriteValue(HKEY root, const std::string& path, const char* name, const RawValue& value, REGSAM view = 0);
bool CreateKey(HKEY root, const std::string& path, REGSAM view = 0);
void DeleteTree(HKEY root, const std::string& path, REGSAM view = 0);

// A stand-in started with CreateProcess; the environment is the caller's without any TW_ACAD_*
// variable, plus the given ones.
class StandInProcess {
 public:
  StandInProcess(const std::string& exePath, const std::string& arguments, const EnvVars& env);
  bool started() const { return static_cast<bool>(process_); }
  const std::string& commandLine() const { return commandLine_; }
  // True when the process ended within the time; its exit code in exitCode.
  bool WaitExit(DWORD ms, DWORD& exitCode);
  bool IsRunning() const;
  ~StandInProcess();

 private:
  std::string commandLine_;
  fw::Handle process_;
};

// Runs to the end (at most 30 s); returns false when it could not start or did not end.
bool RunToEnd(const std::string& exePath, const std::string& arguments, const EnvVars& env, DWORD& exitCode);

// The record's lines without their LF; an unreadable file gives no lines.
std::vector<std::string> ReadRecord(const std::string& path);

// Polls until the record holds at least `count` lines (at most `ms`); returns what it last read.
std::vector<std::string> WaitForRecordLines(const std::string& path, size_t count, DWORD ms);

// A private folder below the temporary folder, removed with its files on destruction.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  const std::string& path() const { return path_; }  // with a trailing backslash

 private:
  std::string path_;
};

// Joins lines for failure messages.
std::string Joined(const std::vector<std::string>& lines);

}  // namespace standin

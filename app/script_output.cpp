#include "app/script_output.h"

#include <stdio.h>

#include "framework/msgbox.h"

namespace {

bool IsWritableHandle(HANDLE handle) {
  return handle && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool WriteAll(HANDLE handle, const std::string& text) {
  DWORD written = 0;
  return ::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

// Message texts end their lines with CR LF or a lone LF: each line the same way.
std::string WithLineEnds(const std::string& text, const std::string& head) {
  std::string lines = head;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n') {
      lines += "\r\n" + head;
      continue;
    }
    lines += text[i];
  }
  return lines + "\r\n";
}

}  // namespace

HANDLE CallerStandardError(fw::FileHandle& console) {
  HANDLE inherited = ::GetStdHandle(STD_ERROR_HANDLE);
  if (IsWritableHandle(inherited)) return inherited;
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return nullptr;
  console.reset(::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  return console ? console.get() : nullptr;
}

std::string LogTimestamp() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  char text[32];
  snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay, now.wHour,
           now.wMinute, now.wSecond);
  return text;
}

ScriptOutput::ScriptOutput(bool quiet, const std::string& logFile) : quiet_(quiet), logFile_(logFile) {}

void ScriptOutput::Message(const std::string& text, UINT boxFlags) {
  if (quiet_)
    WriteLine(text);
  else
    fw::MessageBoxApp(nullptr, text, boxFlags);
}

void ScriptOutput::Summary(const std::string& text) {
  if (quiet_) WriteLine(text);
}

void ScriptOutput::WriteLine(const std::string& text) {
  WriteStandardError(WithLineEnds(text, std::string()));
  if (!logFile_.empty()) AppendToLog(WithLineEnds(text, LogTimestamp()));
}

void ScriptOutput::WriteStandardError(const std::string& text) {
  if (!errorResolved_) {
    error_ = CallerStandardError(console_);
    errorResolved_ = true;
  }
  if (error_) WriteAll(error_, text);
}

// Appended in one write, so that lines of programs logging to the same file stay whole.
void ScriptOutput::AppendToLog(const std::string& text) {
  fw::FileHandle log(::CreateFileA(logFile_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (log) WriteAll(log.get(), text);
}

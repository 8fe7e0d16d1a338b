// Stand-in for AutoCAD, built as acad.exe, acadlt.exe and aclt.exe for tests and the demo.
// It records what AutoCAD would find when Tarnwick starts it, and serves the hand-off pipe
// as the AutoCAD-side add-on does.
//
// Record file: TW_ACAD_RECORD, else "acadstub.log" beside the stand-in. Lines end with LF,
// the file is rewritten at every start, and the first lines come in this fixed order:
//   commandline=<the process command line, as given>
//   key=<product key below HKCU, e.g. Software\Autodesk\AutoCAD\R17.1\ACAD-6001:409; empty: none>
//   profile=<default value of {key}\Profiles: the current profile>
//   Tarnwikc=<value "Tarnwikc" of {key}\Profiles>
//   RunPM=<value "RunPM" of {key}\Profiles\{profile}\Tarnwick>
//   PipeName=<value "PipeName" of the same key>
//   Menus\<name>=<data>   one line per value of {key}\Profiles\{profile}\Menus, in registry order
// followed, as things happen, by:
//   message=<text>        one line per hand-off message read from the pipe
//   error=<what>          anything that did not go as asked (bad switch, pipe time-out, ...)
//   exit=<code>           the last line, written just before the process ends
// Values: strings as their text up to the first zero byte, DWORDs as "dword:<decimal>", any other
// type as "?type=<type>,size=<bytes>"; a missing value is the bare name without "=". Control characters
// in any text are written as \xNN, so one record is always one line.
//
// Product key: TW_ACAD_KEY, else the product below HKLM\Software\Autodesk\AutoCAD\*\* or
// ...\AutoCAD LT\*\* (32-bit view first, then the 64-bit view) whose executable, built from
// "Location" (else "AcadLocation") by the product's executable rule, is this program.
//
// Switches (environment; an empty variable counts as unset, a malformed one as unset plus an
// error line):
//   TW_ACAD_EXIT_CODE        exit code, 0 to 2147483647 (default 0)
//   TW_ACAD_WAIT_FILE        before ending, wait until this file exists (at most 60 s)
//   TW_ACAD_SERVE_PIPE=1     serve the hand-off pipe even without a "PipeName" value
//   TW_ACAD_MESSAGES         messages to read before the pipe is closed, 0 to 1000 (default 1)
//   TW_ACAD_PIPE_TIMEOUT_MS  time allowed for all of them, 0 to 600000 (default 30000)
//
// Hand-off: the pipe is "PipeName" of the current profile; the semaphore is named by the part
// after "\\.\pipe\". The stand-in creates the pipe, releases the semaphore once to say it is
// ready, then for every delivery (one client connection, which may carry several zero-ended
// messages) records the messages and releases the semaphore again.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/handles.h"

namespace {

const char kPipePrefix[] = "\\\\.\\pipe\\";
const size_t kMaxMessageBytes = 65536;
const DWORD kWaitFileLimitMs = 60000;
const DWORD kPollMs = 50;

// ---------------------------------------------------------------- text helpers

std::string EscapeControls(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t n = lstrlenA(prefix);
  return text.size() >= n && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(),
                                            static_cast<int>(n), prefix, static_cast<int>(n)) == CSTR_EQUAL;
}

// Plain decimal digits only, at most max; anything else is refused.
bool ParseDecimal(const std::string& text, unsigned long max, unsigned long& value) {
  if (text.empty() || text.size() > 10) return false;
  unsigned long long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  if (v > max) return false;
  value = static_cast<unsigned long>(v);
  return true;
}

// ---------------------------------------------------------------- record file

class RecordFile {
 public:
  explicit RecordFile(const std::string& path)
      : file_(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

  // Written at once, so a test can read the record while the stand-in still runs.
  void Line(const std::string& text) {
    std::string line = text + "\n";
    if (!file_) {
      OutputDebugStringA(("acadstub: " + line).c_str());
      return;
    }
    DWORD written = 0;
    WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }
  void Error(const std::string& what) { Line("error=" + EscapeControls(what)); }

 private:
  fw::FileHandle file_;
};

// ---------------------------------------------------------------- environment

std::string GetEnv(const char* name) {
  std::vector<char> buffer(256);
  for (;;) {
    DWORD n = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(n + 1);
  }
}

unsigned long NumberSwitch(RecordFile& record, const char* name, unsigned long max, unsigned long fallback) {
  std::string text = GetEnv(name);
  if (text.empty()) return fallback;
  unsigned long value = 0;
  if (ParseDecimal(text, max, value)) return value;
  record.Error(std::string("bad ") + name + " '" + text + "'");
  return fallback;
}

std::string OwnModulePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FullPath(const std::string& path) {
  std::vector<char> buffer(MAX_PATH);
  DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  }
  return n == 0 || n >= buffer.size() ? path : std::string(buffer.data(), n);
}

// ---------------------------------------------------------------- registry

struct RegValue {
  bool present = false;
  DWORD type = REG_NONE;
  std::string data;
};

// Any type and size; a value that keeps changing size under us counts as missing.
RegValue QueryValue(HKEY key, const char* name) {
  RegValue value;
  if (!key) return value;
  DWORD size = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return value;
    std::vector<char> buffer(size + 1);
    DWORD got = size;
    LONG rc = RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) return value;
    value.present = true;
    value.data.assign(buffer.data(), got);
    return value;
  }
  return value;
}

std::string StringData(const RegValue& value) {
  size_t zero = value.data.find('\0');
  return zero == std::string::npos ? value.data : value.data.substr(0, zero);
}

bool IsString(const RegValue& value) {
  return value.present && (value.type == REG_SZ || value.type == REG_EXPAND_SZ);
}

std::string RecordLine(const std::string& name, const RegValue& value) {
  if (!value.present) return EscapeControls(name);
  std::string text;
  if (IsString(value)) {
    text = StringData(value);
  } else if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
    DWORD number = 0;
    memcpy(&number, value.data.data(), sizeof number);
    text = "dword:" + std::to_string(number);
  } else {
    text = "?type=" + std::to_string(value.type) + ",size=" + std::to_string(value.data.size());
  }
  return EscapeControls(name) + "=" + EscapeControls(text);
}

fw::RegKey OpenKey(HKEY root, const std::string& path, REGSAM access) {
  fw::RegKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.reset();
  return key;
}

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  char name[512];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    LONG rc = RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA) continue;  // a name no product key can have
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

struct NamedValue {
  std::string name;
  RegValue value;
};

std::vector<NamedValue> AllValues(HKEY key) {
  std::vector<NamedValue> values;
  for (DWORD i = 0;; ++i) {
    DWORD maxName = 0, maxData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    std::vector<char> name(maxName + 2);
    std::vector<char> data(maxData + 1);
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataLength = static_cast<DWORD>(data.size());
    NamedValue entry;
    LONG rc = RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &entry.value.type,
                            reinterpret_cast<BYTE*>(data.data()), &dataLength);
    if (rc == ERROR_MORE_DATA) {  // grew meanwhile: read it by name instead
      entry.name.assign(name.data(), nameLength);
      entry.value = QueryValue(key, entry.name.c_str());
    } else if (rc == ERROR_SUCCESS) {
      entry.name.assign(name.data(), nameLength);
      entry.value.present = true;
      entry.value.data.assign(data.data(), dataLength);
    } else {
      break;
    }
    values.push_back(std::move(entry));
  }
  return values;
}

// The executable that Tarnwick starts for a product, by the same rule.
std::string ProductExecutable(const std::string& folder, const std::string& key) {
  const char* exe = key.find("ACAD-") != std::string::npos     ? "\\acad.exe"
                    : key.find("ACADLT-") != std::string::npos ? "\\acadlt.exe"
                                                               : "\\aclt.exe";
  return folder + exe;
}

std::string FindOwnProductKey(const std::string& ownExe) {
  const std::string own = FullPath(ownExe);
  const char* const bases[] = {"Software\\Autodesk\\AutoCAD", "Software\\Autodesk\\AutoCAD LT"};
  const REGSAM views[] = {0, KEY_WOW64_64KEY};
  for (REGSAM view : views) {
    for (const char* base : bases) {
      fw::RegKey baseKey = OpenKey(HKEY_LOCAL_MACHINE, base, KEY_READ | view);
      if (!baseKey) continue;
      for (const std::string& release : SubkeyNames(baseKey.get())) {
        fw::RegKey releaseKey = OpenKey(baseKey.get(), release, KEY_READ | view);
        if (!releaseKey) continue;
        for (const std::string& product : SubkeyNames(releaseKey.get())) {
          fw::RegKey productKey = OpenKey(releaseKey.get(), product, KEY_READ | view);
          RegValue location = QueryValue(productKey.get(), "Location");
          if (!location.present) location = QueryValue(productKey.get(), "AcadLocation");
          if (!IsString(location) || StringData(location).empty()) continue;
          std::string key = std::string(base) + "\\" + release + "\\" + product;
          std::string exe = FullPath(ProductExecutable(StringData(location), key));
          if (lstrcmpiA(exe.c_str(), own.c_str()) == 0) return key;
        }
      }
    }
  }
  return std::string();
}

// ---------------------------------------------------------------- what AutoCAD finds

struct ProfileState {
  std::string key;
  RegValue currentProfile;
  RegValue parkedProfile;
  RegValue runPM;
  RegValue pipeName;
  std::vector<NamedValue> menus;
};

ProfileState ReadProfileState(const std::string& key) {
  ProfileState state;
  state.key = key;
  if (key.empty()) return state;
  fw::RegKey profiles = OpenKey(HKEY_CURRENT_USER, key + "\\Profiles", KEY_READ);
  state.currentProfile = QueryValue(profiles.get(), "");
  state.parkedProfile = QueryValue(profiles.get(), "Tarnwikc");
  if (!IsString(state.currentProfile) || StringData(state.currentProfile).empty()) return state;
  std::string profile = StringData(state.currentProfile);
  fw::RegKey profileKey = OpenKey(profiles.get(), profile, KEY_READ);
  if (!profileKey) return state;
  fw::RegKey marker = OpenKey(profileKey.get(), "Tarnwick", KEY_READ);
  state.runPM = QueryValue(marker.get(), "RunPM");
  state.pipeName = QueryValue(marker.get(), "PipeName");
  fw::RegKey menus = OpenKey(profileKey.get(), "Menus", KEY_READ);
  if (menus) state.menus = AllValues(menus.get());
  return state;
}

void WriteHeader(RecordFile& record, const ProfileState& state) {
  record.Line("commandline=" + EscapeControls(GetCommandLineA()));
  record.Line("key=" + EscapeControls(state.key));
  record.Line(RecordLine("profile", state.currentProfile));
  record.Line(RecordLine("Tarnwikc", state.parkedProfile));
  record.Line(RecordLine("RunPM", state.runPM));
  record.Line(RecordLine("PipeName", state.pipeName));
  for (const NamedValue& menu : state.menus) record.Line(RecordLine("Menus\\" + menu.name, menu.value));
}

// ---------------------------------------------------------------- hand-off pipe

class Deadline {
 public:
  explicit Deadline(DWORD ms) : end_(GetTickCount64() + ms) {}
  DWORD Remaining() const {
    ULONGLONG now = GetTickCount64();
    return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
  }

 private:
  ULONGLONG end_;
};

enum class IoResult { kDone, kTimedOut, kFailed };

// Waits for an overlapped operation; one that runs out of time is cancelled and waited for,
// so the OVERLAPPED record is never left in use.
IoResult FinishIo(HANDLE pipe, OVERLAPPED& overlapped, const Deadline& deadline, DWORD& bytes, DWORD& error) {
  bytes = 0;
  error = 0;
  if (WaitForSingleObject(overlapped.hEvent, deadline.Remaining()) != WAIT_OBJECT_0) {
    CancelIo(pipe);
    GetOverlappedResult(pipe, &overlapped, &bytes, TRUE);
    return IoResult::kTimedOut;
  }
  if (GetOverlappedResult(pipe, &overlapped, &bytes, FALSE)) return IoResult::kDone;
  error = GetLastError();
  return IoResult::kFailed;
}

class HandOffServer {
 public:
  HandOffServer(RecordFile& record, unsigned long wanted, DWORD timeoutMs)
      : record_(record), wanted_(wanted), deadline_(timeoutMs) {}

  void Serve(const std::string& pipeName) {
    std::string semaphoreName = SemaphoreNameFor(pipeName);
    if (semaphoreName.empty()) {
      record_.Error("pipe name '" + pipeName + "' is not " + kPipePrefix + "<name>");
      return;
    }
    pipe_.reset(CreateNamedPipeA(pipeName.c_str(),
                                 PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 0, 65536, 0, nullptr));
    event_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!pipe_ || !event_) {
      record_.Error("cannot create pipe, error " + std::to_string(GetLastError()));
      return;
    }
    semaphore_.reset(OpenSemaphoreA(SEMAPHORE_MODIFY_STATE | SYNCHRONIZE, FALSE, semaphoreName.c_str()));
    if (!semaphore_) record_.Error("no semaphore " + semaphoreName);
    if (wanted_ == 0) {
      Release();
      return;
    }
    bool listening = StartListening();
    Release();  // ready for the first delivery
    while (listening) {
      if (!AwaitClient()) break;
      bool inTime = ReadDelivery();
      DisconnectNamedPipe(pipe_.get());
      bool more = inTime && received_ < wanted_;
      listening = more && StartListening();
      Release();  // this delivery is handled
      if (!more) break;
    }
  }

  static std::string SemaphoreNameFor(const std::string& pipeName) {
    if (!StartsWithNoCase(pipeName, kPipePrefix)) return std::string();
    return pipeName.substr(sizeof kPipePrefix - 1);
  }

 private:
  void Release() {
    if (semaphore_) ReleaseSemaphore(semaphore_.get(), 1, nullptr);
  }

  bool StartListening() {
    ResetEvent(event_.get());
    overlapped_ = OVERLAPPED();
    overlapped_.hEvent = event_.get();
    connected_ = false;
    if (ConnectNamedPipe(pipe_.get(), &overlapped_)) return true;
    DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING) return true;
    if (error == ERROR_PIPE_CONNECTED || error == ERROR_NO_DATA) {  // came and maybe went already
      connected_ = true;
      return true;
    }
    record_.Error("cannot listen on pipe, error " + std::to_string(error));
    return false;
  }

  bool AwaitClient() {
    if (connected_) return true;
    DWORD bytes = 0, error = 0;
    switch (FinishIo(pipe_.get(), overlapped_, deadline_, bytes, error)) {
      case IoResult::kDone:
        return true;
      case IoResult::kTimedOut:
        record_.Error("pipe timed out after " + std::to_string(received_) + " message(s)");
        return false;
      default:
        // A client that connected and left at once still counts as a delivery.
        if (error == ERROR_PIPE_CONNECTED || error == ERROR_NO_DATA) return true;
        record_.Error("pipe connect failed, error " + std::to_string(error));
        return false;
    }
  }

  // Reads until the client closes its end; every zero byte ends one message. False when the
  // time ran out first.
  bool ReadDelivery() {
    std::string message;
    bool truncated = false;
    char buffer[4096];
    bool inTime = true;
    while (inTime) {
      ResetEvent(event_.get());
      OVERLAPPED overlapped = OVERLAPPED();
      overlapped.hEvent = event_.get();
      DWORD bytes = 0, error = 0;
      IoResult result = IoResult::kDone;
      if (!ReadFile(pipe_.get(), buffer, sizeof buffer, &bytes, &overlapped)) {
        error = GetLastError();
        result = error == ERROR_IO_PENDING ? FinishIo(pipe_.get(), overlapped, deadline_, bytes, error)
                                           : IoResult::kFailed;
      } else {
        GetOverlappedResult(pipe_.get(), &overlapped, &bytes, TRUE);
      }
      for (DWORD i = 0; i < bytes; ++i) {
        if (buffer[i] == '\0') {
          Deliver(message, truncated);
          message.clear();
          truncated = false;
        } else if (message.size() < kMaxMessageBytes) {
          message += buffer[i];
        } else {
          truncated = true;
        }
      }
      if (result == IoResult::kTimedOut) {
        record_.Error("pipe timed out while reading");
        inTime = false;
      }
      if (result == IoResult::kFailed) {
        if (error != ERROR_BROKEN_PIPE && error != ERROR_PIPE_NOT_CONNECTED)
          record_.Error("pipe read failed, error " + std::to_string(error));
        break;
      }
    }
    if (!message.empty() || truncated) {
      Deliver(message, truncated);
      record_.Error("message without terminating zero");
    }
    return inTime;
  }

  void Deliver(const std::string& message, bool truncated) {
    record_.Line("message=" + EscapeControls(message));
    if (truncated) record_.Error("message longer than " + std::to_string(kMaxMessageBytes) + " bytes, cut");
    ++received_;
  }

  RecordFile& record_;
  const unsigned long wanted_;
  const Deadline deadline_;
  unsigned long received_ = 0;
  fw::Handle pipe_;  // CreateNamedPipe fails with INVALID_HANDLE_VALUE, which Handle treats as empty
  fw::Handle event_;
  fw::Handle semaphore_;
  OVERLAPPED overlapped_ = OVERLAPPED();
  bool connected_ = false;
};

void WaitForFile(RecordFile& record, const std::string& path) {
  Deadline deadline(kWaitFileLimitMs);
  while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (deadline.Remaining() == 0) {
      record.Error("wait file " + path + " did not appear");
      return;
    }
    Sleep(kPollMs);
  }
}

int RunStandIn() {
  const std::string ownExe = OwnModulePath();
  std::string recordPath = GetEnv("TW_ACAD_RECORD");
  if (recordPath.empty()) recordPath = FolderOf(ownExe) + "acadstub.log";
  RecordFile record(recordPath);

  std::string key = GetEnv("TW_ACAD_KEY");
  if (key.empty()) key = FindOwnProductKey(ownExe);
  ProfileState state = ReadProfileState(key);
  WriteHeader(record, state);

  unsigned long exitCode = NumberSwitch(record, "TW_ACAD_EXIT_CODE", 0x7FFFFFFF, 0);
  unsigned long messages = NumberSwitch(record, "TW_ACAD_MESSAGES", 1000, 1);
  unsigned long timeoutMs = NumberSwitch(record, "TW_ACAD_PIPE_TIMEOUT_MS", 600000, 30000);
  std::string serveSwitch = GetEnv("TW_ACAD_SERVE_PIPE");
  if (!serveSwitch.empty() && serveSwitch != "1" && serveSwitch != "0")
    record.Error("bad TW_ACAD_SERVE_PIPE '" + serveSwitch + "'");

  std::string pipeName = IsString(state.pipeName) ? StringData(state.pipeName) : std::string();
  if (!pipeName.empty() || serveSwitch == "1") {
    if (pipeName.empty())
      record.Error("no pipe name to serve");
    else
      HandOffServer(record, messages, timeoutMs).Serve(pipeName);
  }

  std::string waitFile = GetEnv("TW_ACAD_WAIT_FILE");
  if (!waitFile.empty()) WaitForFile(record, waitFile);

  record.Line("exit=" + std::to_string(exitCode));
  return static_cast<int>(exitCode);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunStandIn(); }

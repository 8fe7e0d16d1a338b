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
//   error=<what>          anything that did not go as asked
//   exit=0                the last line, written just before the process ends
// Values: strings as their text up to the first zero byte, DWORDs as "dword:<decimal>", any other
// type as "?type=<type>"; a missing value is the bare name without "=".
//
// Product key: TW_ACAD_KEY, else (as in the demo) the product below HKLM\Software\Autodesk\AutoCAD\*\*
// or ...\AutoCAD LT\*\* (32-bit view first) whose "Location" is this program's folder.
//
// Switches (environment): TW_ACAD_MESSAGES, the hand-off messages to read (default 1);
// TW_ACAD_WAIT_FILE, a file to wait for before ending. Whatever happens, the stand-in ends after
// two minutes, so that a hand-off that never comes cannot leave it running.
//
// Hand-off: the pipe is "PipeName" of the current profile; the semaphore is named by the part
// after its last backslash. For every delivery (one client connection, which may carry several
// zero-ended messages) the stand-in creates the pipe, releases the semaphore to say it is ready
// and records the messages; once it has all it wanted it releases the semaphore a last time.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/handles.h"

namespace {

const DWORD kLifetimeMs = 120000;

fw::FileHandle g_record;

// Written at once, so a test can read the record while the stand-in still runs.
void Record(const std::string& text) {
  const std::string line = text + "\n";
  DWORD written = 0;
  WriteFile(g_record.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string GetEnv(const char* name) {
  std::vector<char> buffer(32768);
  const DWORD n = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
  return n < buffer.size() ? std::string(buffer.data(), n) : std::string();
}

fw::RegKey OpenKey(HKEY root, const std::string& path, REGSAM access = KEY_READ) {
  fw::RegKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.reset();
  return key;
}

// The record line of a value: "name=text", or the bare name when it is missing.
std::string RecordLine(HKEY key, const std::string& name, const std::string& shownName) {
  DWORD type = REG_NONE, size = 0;
  if (!key || RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return shownName;
  std::vector<char> data(size + 1, '\0');
  RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  if (type == REG_SZ || type == REG_EXPAND_SZ) return shownName + "=" + data.data();
  if (type == REG_DWORD && size == sizeof(DWORD))
    return shownName + "=dword:" + std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
  return shownName + "=?type=" + std::to_string(type);
}

std::string StringValue(HKEY key, const char* name) {
  const std::string line = RecordLine(key, name, "");
  return line.empty() ? std::string() : line.substr(1);
}

// The names of the values (else of the subkeys) of key, in registry order.
std::vector<std::string> Names(HKEY key, bool values) {
  std::vector<std::string> names;
  char name[16384];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if ((values ? RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr)
                : RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr)) != ERROR_SUCCESS)
      return names;
    names.emplace_back(name, length);
  }
}

std::string FindOwnProductKey(std::string ownFolder) {
  for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_64KEY)}) {
    for (const char* base : {"Software\\Autodesk\\AutoCAD", "Software\\Autodesk\\AutoCAD LT"}) {
      fw::RegKey releases = OpenKey(HKEY_LOCAL_MACHINE, base, KEY_READ | view);
      for (const std::string& release : Names(releases.get(), false)) {
        const std::string releasePath = std::string(base) + "\\" + release;
        fw::RegKey products = OpenKey(HKEY_LOCAL_MACHINE, releasePath, KEY_READ | view);
        for (const std::string& product : Names(products.get(), false)) {
          fw::RegKey productKey = OpenKey(products.get(), product, KEY_READ | view);
          std::string location = StringValue(productKey.get(), "Location");
          while (!location.empty() && location.back() == '\\') location.pop_back();
          if (!location.empty() && lstrcmpiA(location.c_str(), ownFolder.c_str()) == 0)
            return releasePath + "\\" + product;
        }
      }
    }
  }
  return std::string();
}

// Records what AutoCAD finds; returns the pipe it is to serve ("" for none).
std::string RecordProfileState(const std::string& key) {
  Record("commandline=" + std::string(GetCommandLineA()));
  Record("key=" + key);
  fw::RegKey profiles = key.empty() ? fw::RegKey() : OpenKey(HKEY_CURRENT_USER, key + "\\Profiles");
  Record(RecordLine(profiles.get(), "", "profile"));
  Record(RecordLine(profiles.get(), "Tarnwikc", "Tarnwikc"));
  const std::string profile = StringValue(profiles.get(), "");
  fw::RegKey marker = profile.empty() ? fw::RegKey() : OpenKey(profiles.get(), profile + "\\Tarnwick");
  Record(RecordLine(marker.get(), "RunPM", "RunPM"));
  Record(RecordLine(marker.get(), "PipeName", "PipeName"));
  fw::RegKey menus = profile.empty() ? fw::RegKey() : OpenKey(profiles.get(), profile + "\\Menus");
  for (const std::string& name : Names(menus.get(), true))
    Record(RecordLine(menus.get(), name, "Menus\\" + name));
  return StringValue(marker.get(), "PipeName");
}

void ServeHandOff(const std::string& pipeName, unsigned long wanted) {
  const std::string semaphoreName = pipeName.substr(pipeName.find_last_of('\\') + 1);
  fw::Handle semaphore(OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, semaphoreName.c_str()));
  if (!semaphore) Record("error=no semaphore " + semaphoreName);
  for (unsigned long received = 0; received < wanted;) {
    fw::Handle pipe(CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0,
                                     65536, 0, nullptr));
    if (!pipe) {
      Record("error=cannot create pipe, error " + std::to_string(GetLastError()));
      break;
    }
    ReleaseSemaphore(semaphore.get(), 1, nullptr);  // ready for a delivery
    // A client that came (and maybe went) before this call still counts.
    if (!ConnectNamedPipe(pipe.get(), nullptr) && GetLastError() != ERROR_PIPE_CONNECTED &&
        GetLastError() != ERROR_NO_DATA) {
      Record("error=pipe connect failed, error " + std::to_string(GetLastError()));
      break;
    }
    std::string message;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
      for (DWORD i = 0; i < got; ++i) {
        if (buffer[i] != '\0') {
          message += buffer[i];
          continue;
        }
        Record("message=" + message);
        message.clear();
        ++received;
      }
    }
    if (!message.empty()) Record("error=message without terminating zero: " + message);
  }
  ReleaseSemaphore(semaphore.get(), 1, nullptr);  // the last delivery is handled
}

DWORD WINAPI EndInTime(LPVOID) {
  Sleep(kLifetimeMs);
  Record("error=still running after " + std::to_string(kLifetimeMs) + " ms\nexit=0");
  ExitProcess(0);
}

int RunStandIn() {
  char own[MAX_PATH * 4] = "";
  GetModuleFileNameA(nullptr, own, sizeof own);
  const std::string ownFolder = std::string(own).substr(0, std::string(own).find_last_of('\\'));
  std::string recordPath = GetEnv("TW_ACAD_RECORD");
  if (recordPath.empty()) recordPath = ownFolder + "\\acadstub.log";
  g_record.reset(CreateFileA(recordPath.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  fw::Handle watchdog(CreateThread(nullptr, 0, EndInTime, nullptr, 0, nullptr));

  std::string key = GetEnv("TW_ACAD_KEY");
  if (key.empty()) key = FindOwnProductKey(ownFolder);
  const std::string pipeName = RecordProfileState(key);
  const std::string messages = GetEnv("TW_ACAD_MESSAGES");
  if (!pipeName.empty())
    ServeHandOff(pipeName, messages.empty() ? 1 : std::strtoul(messages.c_str(), nullptr, 10));

  const std::string waitFile = GetEnv("TW_ACAD_WAIT_FILE");
  while (!waitFile.empty() && GetFileAttributesA(waitFile.c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(50);
  Record("exit=0");
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunStandIn(); }

#include "url_servers.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "base/handles.h"
#include "fio/url_connection.h"

namespace url_test {

namespace {

std::string Environment(const char* name) {
  char value[1024];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value) : std::string();
}

// A Unix path as Wine's Z: drive shows it.
std::string WinePath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string WithBackslashes(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::vector<std::string> FindNames(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  fw::FindHandle search(FindFirstFileA(pattern.c_str(), &found));
  if (!search) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search.get(), &found));
  return names;
}

}  // namespace

std::string FtpUrl(const std::string& path, const std::string& port) {
  return "ftp://" + Environment("TW_URL_FTP_USER") + ":" + Environment("TW_URL_FTP_PASSWORD") + "@127.0.0.1" +
         (port.empty() ? "" : ":" + port) + "/" + path;
}

std::string HttpUrl(const std::string& path) {
  return "http://127.0.0.1:" + Environment("TW_URL_HTTP_PORT") + "/" + path;
}

std::string ServerPath(const std::string& path) {
  return WinePath(Environment("TW_URL_FTP_ROOT")) + "\\" + WithBackslashes(path);
}

std::string ReadServerFile(const std::string& path, bool* exists) {
  return ReadLocalFile(ServerPath(path), exists);
}

void WriteServerFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(ServerPath(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool ServerFileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(ServerPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ServerFolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(ServerPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ServerNames(const std::string& folder, const std::string& pattern) {
  return FindNames(ServerPath(folder) + "\\" + pattern);
}

size_t CommandLogMark() { return CommandsSince(0).size(); }

std::vector<std::string> CommandsSince(size_t mark) {
  std::ifstream log(WinePath(Environment("TW_URL_FTP_LOG")));
  std::vector<std::string> commands;
  std::string line;
  for (size_t index = 0; std::getline(log, line); ++index)
    if (index >= mark) commands.push_back(line);
  return commands;
}

bool AnyCommandStartsWith(const std::vector<std::string>& commands, const std::string& prefix) {
  for (const std::string& command : commands)
    if (command.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

bool WaitForFtpServer() {
  const std::string url = FtpUrl("");
  for (int attempt = 0; attempt < 75; ++attempt) {
    FtpConnection connection;
    if (connection.Open(url.c_str())) return true;
    Sleep(200);
  }
  return false;
}

std::vector<std::string> TemporaryFiles() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return FindNames(std::string(folder) + "QVPR*.tmp");
}

LocalFolder::LocalFolder() {
  static int counter = 0;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::ostringstream name;
  name << temp << "url-test-" << GetCurrentProcessId() << "-" << ++counter;
  path_ = name.str();
  CreateDirectoryA(path_.c_str(), nullptr);
}

LocalFolder::~LocalFolder() {
  for (const std::string& name : FindNames(path_ + "\\*")) {
    const std::string file = path_ + "\\" + name;
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
  }
  RemoveDirectoryA(path_.c_str());
}

std::string LocalFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = *this / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return path;
}

std::string ReadLocalFile(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  if (exists) *exists = static_cast<bool>(in);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  return bytes.str();
}

void ServerTest::SetUp() {
  ASSERT_FALSE(Environment("TW_URL_FTP_ROOT").empty())
      << "the URL tests need their servers: run the program through tests/url/run.sh";
  ASSERT_TRUE(WaitForFtpServer()) << "no FTP server answers on 127.0.0.1:21";
}

}  // namespace url_test

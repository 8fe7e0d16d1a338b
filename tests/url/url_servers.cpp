#include "url_servers.h"

#include <windows.h>

#include <fstream>

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

}  // namespace

std::string FtpUrl(const std::string& path) {
  return "ftp://" + Environment("TW_URL_FTP_USER") + ":" + Environment("TW_URL_FTP_PASSWORD") +
         "@127.0.0.1/" + path;
}

std::string HttpUrl(const std::string& path) {
  return "http://127.0.0.1:" + Environment("TW_URL_HTTP_PORT") + "/" + path;
}

std::string ServerPath(const std::string& path) {
  return WinePath(Environment("TW_URL_FTP_ROOT") + "/" + path);
}

std::string ReadServerFile(const std::string& path) { return ReadWholeFile(ServerPath(path)); }

void WriteServerFile(const std::string& path, const std::string& bytes) {
  WriteWholeFile(ServerPath(path), bytes);
}

bool NoProbesLeft() {
  for (const char* folder : {"", "pub/", "ro/"})
    if (!FindNames(ServerPath(std::string(folder) + "*.tmp")).empty()) return false;
  return true;
}

std::vector<std::string> CommandLog::Since(size_t mark) {
  std::ifstream log(WinePath(Environment("TW_URL_FTP_LOG")));
  std::vector<std::string> commands;
  std::string line;
  for (size_t index = 0; std::getline(log, line); ++index)
    if (index >= mark) commands.push_back(line);
  return commands;
}

bool CommandLog::Has(const std::string& prefix) const {
  for (const std::string& command : Since())
    if (command.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

bool WaitForFtpServer() {
  for (int attempt = 0; attempt < 75; ++attempt) {
    FtpConnection connection;
    if (connection.Open(FtpUrl("").c_str())) return true;
    Sleep(200);
  }
  return false;
}

std::vector<std::string> TemporaryFiles() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return FindNames(std::string(folder) + "QVPR*.tmp");
}

void ServerTest::SetUp() {
  ASSERT_FALSE(Environment("TW_URL_FTP_ROOT").empty())
      << "the URL tests need their servers: run the program through tests/url/run.sh";
  ASSERT_TRUE(WaitForFtpServer()) << "no FTP server answers on 127.0.0.1:21";
}

}  // namespace url_test

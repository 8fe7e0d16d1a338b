// The FTP connection behind every URL operation, and the pieces of a URL the operations use.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "base/handles.h"
#include "base/xstring.h"

struct InternetHandleTraits {
  static HINTERNET Invalid() { return nullptr; }
  static bool IsValid(HINTERNET h) { return h != nullptr; }
  static void Close(HINTERNET h) { ::InternetCloseHandle(h); }
};
using InternetHandle = fw::UniqueHandle<HINTERNET, InternetHandleTraits>;

// Binary transfer, reload, no cache write; for get and put also resynchronise.
enum : DWORD {
  FIO_FTP_TRANSFER_FLAGS = 0x84000802,
  FIO_FTP_LIST_FLAGS = 0x84000000,
  FIO_FTP_OPEN_FLAGS = 0x84000002
};

// A logged-in session with the FTP server of one URL, closed when the object goes.
class FtpConnection {
 public:
  // Port 21 always, whatever port the URL names. False with the system's last error set
  // (ERROR_INVALID_NAME for a URL that does not split or names no host).
  bool Open(const char* url);
  HINTERNET get() const { return m_connection.get(); }
  // The URL's path on the server.
  const CXString& Path() const { return m_path; }

 private:
  InternetHandle m_internet;
  InternetHandle m_connection;  // declared last: closed first
  CXString m_path;
};

// Runs op(connection) on a new connection to url and closes it; the system's last error
// is the one that the failing step left, not one from closing.
template <class Op>
BOOL FioWithFtp(const char* url, Op op) {
  BOOL result;
  DWORD error;
  {
    FtpConnection connection;
    result = connection.Open(url) && op(connection) ? TRUE : FALSE;
    error = result ? ERROR_SUCCESS : GetLastError();
  }
  SetLastError(error);
  return result;
}

// A server path split at its last "/" or "\": the folder ("" for the root) and the name.
void FioSplitServerPath(const char* path, CXString& folder, CXString& name);

// The URL up to its last "/" or "\" after the host; "." when its path names nothing.
CXString FioUrlFolderOf(const char* url);

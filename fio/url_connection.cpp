// Splitting URLs and connecting to their FTP servers.
#include "fio/url_connection.h"

#include <shlwapi.h>
#include <string.h>

#include "fio/path_parts.h"
#include "fio/url.h"

namespace {

CXString Piece(const char* start, DWORD length) {
  CXString piece;
  if (!start || length == 0) return piece;
  char* text = piece.GetBuffer(static_cast<int>(length));
  memcpy(text, start, length);
  text[length] = 0;
  piece.ReleaseBuffer();
  return piece;
}

const char* NullWhenEmpty(const CXString& text) {
  return text.IsEmpty() ? nullptr : static_cast<const char*>(text);
}

}  // namespace

BOOL Fio_PathIsURL(const char* path) { return path && *path && PathIsURLA(path) ? TRUE : FALSE; }

BOOL Fio_UrlCrack(const char* url, CXString& host, CXString& user, CXString& password, CXString& path) {
  if (!Fio_PathIsURL(url)) return FALSE;
  // Lengths without buffers: the system answers with pointers into url, whatever its size.
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = 1;
  parts.dwUserNameLength = 1;
  parts.dwPasswordLength = 1;
  parts.dwUrlPathLength = 1;
  if (!InternetCrackUrlA(url, 0, 0, &parts)) return FALSE;
  // Every piece is copied before any output changes.
  CXString newHost = Piece(parts.lpszHostName, parts.dwHostNameLength);
  CXString newUser = Piece(parts.lpszUserName, parts.dwUserNameLength);
  CXString newPassword = Piece(parts.lpszPassword, parts.dwPasswordLength);
  CXString newPath = Piece(parts.lpszUrlPath, parts.dwUrlPathLength);
  host = newHost;
  user = newUser;
  password = newPassword;
  path = newPath;
  return TRUE;
}

bool FtpConnection::Open(const char* url) {
  CXString host, user, password;
  if (!Fio_UrlCrack(url, host, user, password, m_path) || host.IsEmpty()) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  m_internet.reset(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!m_internet) return false;
  m_connection.reset(InternetConnectA(m_internet.get(), host, INTERNET_DEFAULT_FTP_PORT, NullWhenEmpty(user),
                                      NullWhenEmpty(password), INTERNET_SERVICE_FTP, 0, 0));
  return static_cast<bool>(m_connection);
}

void FioSplitServerPath(const char* path, CXString& folder, CXString& name) {
  const int last = FioLastDelimiter(path);
  if (last < 0) {
    folder.Empty();
    name = path;
    return;
  }
  folder = Piece(path, static_cast<DWORD>(last));
  name = path + last + 1;
}

CXString FioUrlFolderOf(const char* url) {
  const char* scheme = strstr(url, "://");
  const char* rest = scheme ? scheme + 3 : url;
  // A delimiter inside the host part would be one of the scheme's slashes.
  const char* afterHost = rest + strcspn(rest, "/\\");
  if (!*afterHost) return CXString(".");
  const int last = FioLastDelimiter(afterHost);
  return Piece(url, static_cast<DWORD>(afterHost - url + last));
}

// Transfers and file-system actions on URL files.
#include "base/exceptions.h"
#include "fio/url.h"
#include "fio/url_connection.h"

namespace {

// True when the URL's path names the server's root, which always exists.
bool NamesRoot(const char* url) {
  CXString host, user, password, path;
  if (!Fio_UrlCrack(url, host, user, password, path)) return false;
  CXString folder, name;
  FioSplitServerPath(path, folder, name);
  return name.IsEmpty() && folder.IsEmpty();
}

}  // namespace

BOOL Fio_DownloadToFile(const char* url, const char* localFile) {
  if (!Fio_PathIsURL(url) || !localFile) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  return FioWithFtp(url, [localFile](const FtpConnection& connection) {
    return FtpGetFileA(connection.get(), connection.Path(), localFile, FALSE, FILE_ATTRIBUTE_NORMAL,
                       FIO_FTP_TRANSFER_FLAGS, 0) != FALSE;
  });
}

BOOL Fio_UrlPutFile(const char* url, const char* localFile) {
  if (!Fio_PathIsURL(url) || !localFile) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  try {
    if (!Fio_IsFileExist(localFile)) {
      SetLastError(ERROR_FILE_NOT_FOUND);
      return FALSE;
    }
    if (Fio_IsFileExist(url) && !Fio_UrlIsWritableFile(url)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    Fio_UrlCreateDirectory(FioUrlFolderOf(url));
  } catch (const CXException&) {
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
  }
  return FioWithFtp(url, [localFile](const FtpConnection& connection) {
    return FtpPutFileA(connection.get(), localFile, connection.Path(), FIO_FTP_TRANSFER_FLAGS, 0) != FALSE;
  });
}

BOOL Fio_UrlDeleteFile(const char* url) {
  if (!Fio_PathIsURL(url)) {
    SetLastError(ERROR_INVALID_NAME);
    return FALSE;
  }
  if (!Fio_IsFileExist(url)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  return FioWithFtp(url, [](const FtpConnection& connection) {
    return FtpDeleteFileA(connection.get(), connection.Path()) != FALSE;
  });
}

void Fio_UrlCreateDirectory(const char* url) {
  if (!Fio_PathIsURL(url) || NamesRoot(url) || Fio_IsFileExist(url)) return;
  FioWithFtp(url, [](const FtpConnection& connection) {
    return FtpCreateDirectoryA(connection.get(), connection.Path()) != FALSE;
  });
}

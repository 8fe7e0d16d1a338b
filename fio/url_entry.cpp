// Directory entries of URL files: file information and the writability probes.
#include "fio/url_entry.h"

#include <string.h>

#include "base/exceptions.h"
#include "fio/file_errors.h"
#include "fio/file_info.h"
#include "fio/url.h"
#include "fio/url_connection.h"

namespace {

// The listing pattern for name: the names with its extension. A name without one lists
// the whole folder, as "*." matches nothing on some systems.
CXString ListingPattern(const CXString& folder, const CXString& name) {
  const char* dot = strrchr(name, '.');
  if (dot && dot[1]) return folder + "/*" + dot;
  return folder + "/*";
}

bool FindInListing(const FtpConnection& connection, WIN32_FIND_DATAA* entry) {
  CXString folder, name;
  FioSplitServerPath(connection.Path(), folder, name);
  if (name.IsEmpty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  const CXString pattern = ListingPattern(folder, name);
  const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  bool found = false;
  DWORD error = ERROR_FILE_NOT_FOUND;
  {
    InternetHandle listing(FtpFindFirstFileA(connection.get(), pattern, entry, FIO_FTP_LIST_FLAGS, 0));
    if (!listing) {
      // An empty listing is a missing file like any other.
      if (GetLastError() != ERROR_NO_MORE_FILES) error = GetLastError();
    } else {
      do {
        found = name.CompareI(entry->cFileName) == 0;
      } while (!found && InternetFindNextFileA(listing.get(), entry));
    }
  }
  SetErrorMode(previousMode);
  SetLastError(found ? ERROR_SUCCESS : error);
  return found;
}

}  // namespace

bool FioUrlFindEntry(const char* url, WIN32_FIND_DATAA* entry) {
  return FioWithFtp(url,
                    [entry](const FtpConnection& connection) { return FindInListing(connection, entry); });
}

BOOL FioUrlIsWritableWithEntry(const char* url, const WIN32_FIND_DATAA* entry) {
  if (entry && (entry->dwFileAttributes & FILE_ATTRIBUTE_READONLY)) return FALSE;
  return Fio_UrlIsWritableDir(FioUrlFolderOf(url));
}

void Fio_UrlGetFileInfo(const char* url, FioFileInfo* info) {
  if (!url) throw CXFileException(FIOERR_BAD_PATH, FIOOP_FILE_INFO, "");
  if (!info) throw CXFileException(FIOERR_GENERIC, FIOOP_FILE_INFO, url);
  WIN32_FIND_DATAA entry;
  if (!FioUrlFindEntry(url, &entry)) FioThrowLastError(FIOOP_FILE_INFO, url);
  FioFileInfoFromEntry(entry, url, info);
}

BOOL Fio_UrlIsWritableFile(const char* url) {
  if (!url) return FALSE;
  WIN32_FIND_DATAA entry;
  return FioUrlIsWritableWithEntry(url, FioUrlFindEntry(url, &entry) ? &entry : nullptr);
}

BOOL Fio_UrlIsWritableDir(const char* url) {
  if (!Fio_PathIsURL(url)) return FALSE;
  // "/", not "\": on the server a backslash belongs to the name and would probe the parent.
  CXString probe;
  for (DWORD attempt = 0;; ++attempt) {
    if (attempt == 100) return FALSE;
    probe.Format("%s/%d.tmp", url, static_cast<int>(GetTickCount() + attempt));
    if (!Fio_IsFileExist(probe)) break;
  }
  return FioWithFtp(probe, [](const FtpConnection& connection) {
    InternetHandle file(
        FtpOpenFileA(connection.get(), connection.Path(), GENERIC_WRITE, FIO_FTP_OPEN_FLAGS, 0));
    if (!file) return false;
    file.reset();  // the transfer ends before the next command
    FtpDeleteFileA(connection.get(), connection.Path());
    return true;
  });
}

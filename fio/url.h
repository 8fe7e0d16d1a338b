// URL files: names that the shell calls URLs are files on an FTP server. Reading downloads
// to a temporary local file; writing uploads a temporary local file on Commit. Every server
// operation opens its own connection to port 21 of the URL's host, with the URL's user name
// and password, and closes it again.
#pragma once

#include <windows.h>

#include "base/xstring.h"
#include "fio/api.h"
#include "fio/fileutil.h"
#include "fio/xfile.h"

extern "C" {
// The shell's URL test; FALSE for null.
TW_FIO_API BOOL Fio_PathIsURL(const char* path);
// Splits a URL into its parts (each empty when absent). FALSE, with the outputs untouched,
// for null or non-URL input or when the system cannot split it.
TW_FIO_API BOOL Fio_UrlCrack(const char* url, CXString& host, CXString& user, CXString& password,
                             CXString& path);
// Downloads through the system's internet cache; the cache file's name (a static buffer,
// overwritten by the next call) or null when the download failed or the server answered
// with an HTTP error.
TW_FIO_API const char* Fio_DownloadToCacheFile(const char* url);
// The Boolean functions below answer FALSE with the system's last error set.
TW_FIO_API BOOL Fio_DownloadToFile(const char* url, const char* localFile);
// Creates the URL's folder first when it is missing.
TW_FIO_API BOOL Fio_UrlPutFile(const char* url, const char* localFile);
TW_FIO_API BOOL Fio_UrlDeleteFile(const char* url);
// Creates the last folder of the URL when the server does not list it; failures are silent.
TW_FIO_API void Fio_UrlCreateDirectory(const char* url);
// Size and last-write time from the server's directory listing. Throws CXFileException
// (operation 12, the URL) when the file is not listed or the server cannot be reached.
TW_FIO_API void Fio_UrlGetFileInfo(const char* url, FioFileInfo* info);
// FALSE when the listing marks the file read-only, else whether its folder takes a new file.
TW_FIO_API BOOL Fio_UrlIsWritableFile(const char* url);
// Whether a probe file can be stored in the folder (it is deleted again).
TW_FIO_API BOOL Fio_UrlIsWritableDir(const char* url);
// Downloads the file; throws CXFileException (operation 0, the URL) when that fails.
TW_FIO_API IXFile* Fio_UrlOpen(const char* url, int mode);
// Throws CXException code 9 when the URL is not writable. Commit uploads what was written
// and throws CXFileException (operation 2, the URL) when the upload fails.
TW_FIO_API IXOutFile* Fio_UrlOpenOut(const char* url, int mode);
}

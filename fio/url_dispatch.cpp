#include "fio/url_dispatch.h"

#include "fio/file_errors.h"
#include "fio/url.h"

BOOL FioIsUrl(const char* name) { return Fio_PathIsURL(name); }

IXFile* FioUrlOpen(const char* url, int mode) { return Fio_UrlOpen(url, mode); }

IXOutFile* FioUrlOpenOut(const char* url, int mode) { return Fio_UrlOpenOut(url, mode); }

void FioUrlGetFileInfo(const char* url, FioFileInfo* info) { Fio_UrlGetFileInfo(url, info); }

void FioUrlDeleteFile(const char* url) {
  if (!Fio_UrlDeleteFile(url)) FioThrowLastError(FIOOP_DELETE, url);
}

void FioUrlCreateDirectory(const char* url) { Fio_UrlCreateDirectory(url); }

BOOL FioUrlIsWritableFile(const char* url) { return Fio_UrlIsWritableFile(url); }

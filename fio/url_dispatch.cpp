#include "fio/url_dispatch.h"

#include <shlwapi.h>

#include "base/exceptions.h"

BOOL FioIsUrl(const char* name) { return name && PathIsURLA(name); }

IXFile* FioUrlOpen(const char* url, int) { throw CXFileException(FIOERR_FILE_NOT_FOUND, FIOOP_READ, url); }

IXOutFile* FioUrlOpenOut(const char* url, int) {
  throw CXFileException(FIOERR_FILE_NOT_FOUND, FIOOP_WRITE, url);
}

void FioUrlGetFileInfo(const char* url, FioFileInfo*) {
  throw CXFileException(FIOERR_FILE_NOT_FOUND, FIOOP_FILE_INFO, url);
}

void FioUrlDeleteFile(const char* url) { throw CXFileException(FIOERR_FILE_NOT_FOUND, FIOOP_DELETE, url); }

void FioUrlCreateDirectory(const char* url) {
  throw CXFileException(FIOERR_FILE_NOT_FOUND, FIOOP_CREATE_DIR, url);
}

BOOL FioUrlIsWritableFile(const char*) { return FALSE; }

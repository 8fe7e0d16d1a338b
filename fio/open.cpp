// Fio_Open and Fio_OpenOut: the implementation is chosen by the name.
#include <string.h>

#include "base/exceptions.h"
#include "fio/fileutil.h"
#include "fio/local_file.h"
#include "fio/mem_file.h"
#include "fio/out_file.h"
#include "fio/path_parts.h"
#include "fio/temp_name.h"
#include "fio/url_dispatch.h"

namespace {

// The code for a temporary name that the system would not make in the target's folder.
int TempNameFailureCode(DWORD error) {
  switch (error) {
    case 3:
    case 53:
    case 123:
    case 161:
    case 267:
      return FIOERR_BAD_PATH;
    case 64:
    case 65:
    case 66:
    case 67:
      return FIOERR_NETWORK;
    case 5:
      return FIOERR_ACCESS_DENIED;
    default:
      return FIOERR_GENERIC;
  }
}

IXOutFile* OpenLocalOut(const char* name, int mode) {
  if (!*name || strlen(name) >= CXOutFile::NAME_SIZE) throw CXException(FIOERR_BAD_PATH);
  if (Fio_IsFileExist(name) && !Fio_IsWritableFile(name)) throw CXException(FIOERR_ACCESS_DENIED);
  const CXString dir = FioDirectoryOf(name);
  if (!Fio_IsWritableDir(dir)) throw CXException(FIOERR_ACCESS_DENIED);

  char temporary[MAX_PATH];
  if (!FioMakeTempName(dir, temporary)) throw CXException(TempNameFailureCode(GetLastError()));
  // A temporary file deleted on close would take the output with it before Commit.
  mode = (mode | FIO_READWRITE) & ~FIO_TEMPORARY;
  try {
    return new CXOutFile(name, temporary, mode);
  } catch (...) {
    DeleteFileA(temporary);
    throw;
  }
}

}  // namespace

IXFile* Fio_Open(const char* name, int mode) {
  if (Fio_IsMemFile(name)) return new CXMemFile(name);
  if (FioIsUrl(name)) return FioUrlOpen(name, mode);
  return new CXFile(name, mode);
}

IXOutFile* Fio_OpenOut(const char* name, int mode) {
  if (!name) throw CXException(FIOERR_BAD_PATH);
  if (Fio_IsMemFile(name)) return new CXMemFile(name);
  if (FioIsUrl(name)) return FioUrlOpenOut(name, mode);
  return OpenLocalOut(name, mode);
}

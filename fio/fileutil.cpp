// File-system functions: each takes local paths, memory-file names and URLs alike.
#include "fio/fileutil.h"

#include <string.h>

#include "base/exceptions.h"
#include "base/handles.h"
#include "base/mbcs.h"
#include "base/xstring.h"
#include "fio/file_errors.h"
#include "fio/file_info.h"
#include "fio/mem_file.h"
#include "fio/path_parts.h"
#include "fio/url_dispatch.h"

namespace {

// Keeps the system's critical-error and open-file message boxes away while it lives.
class QuietErrorMode {
 public:
  QuietErrorMode() : m_previous(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~QuietErrorMode() { SetErrorMode(m_previous); }
  QuietErrorMode(const QuietErrorMode&) = delete;
  QuietErrorMode& operator=(const QuietErrorMode&) = delete;

 private:
  UINT m_previous;
};

// A name with "*" or "?" answers for the first file it matches: callers ask that way whether
// any matching file exists.
void GetLocalFileInfo(const char* name, FioFileInfo* info) {
  if (!*name) throw CXFileException(FIOERR_FILE_NOT_FOUND, FIOOP_FILE_INFO, name);
  WIN32_FIND_DATAA found;
  fw::FindHandle search;
  {
    QuietErrorMode quiet;
    search.reset(FindFirstFileA(name, &found));
  }
  if (!search) FioThrowLastError(FIOOP_FILE_INFO, name);
  FioFileInfoFromEntry(found, name, info);
}

bool PathExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

// Where the folders that can be created begin: after "\\server\share\" of a UNC path.
size_t FirstCreatableOffset(const char* path) {
  if (!IsDelimiter(path[0]) || !IsDelimiter(path[1])) return 0;
  const char* p = path + 2;
  for (int parts = 0; parts < 2 && *p; ++p)
    if (IsDelimiter(*p)) ++parts;
  return static_cast<size_t>(p - path);
}

void CreateLocalDirectory(const char* name) {
  if (!name || !*name || PathExists(name)) return;
  CXString path(name);
  path += "\\";
  const char* text = path;
  const size_t skip = FirstCreatableOffset(text);
  // Each prefix that ends just before a delimiter, from the left.
  for (const char* p = text + skip; *p; p += mbcs::CharBytes(p)) {
    if (!IsDelimiter(*p) || p == text) continue;
    const size_t length = static_cast<size_t>(p - text);
    if (text[length - 1] == ':' || IsDelimiter(text[length - 1])) continue;  // a drive, or "\\"
    CXString prefix;
    char* out = prefix.GetBuffer(static_cast<int>(length));
    memcpy(out, text, length);
    out[length] = 0;
    prefix.ReleaseBuffer();
    if (!PathExists(prefix) && !CreateDirectoryA(prefix, nullptr))
      FioThrowLastError(FIOOP_CREATE_DIR, prefix);
  }
}

}  // namespace

void Fio_GetFileInfo(const char* name, FioFileInfo* info) {
  if (!name) throw CXFileException(FIOERR_FILE_NOT_FOUND, FIOOP_FILE_INFO, "");
  if (!info) throw CXFileException(FIOERR_GENERIC, FIOOP_FILE_INFO, name);
  if (Fio_IsMemFile(name)) {
    unsigned long address, size;
    FioParseMemFileName(name, &address, &size);
    info->size = static_cast<int>(size);
  } else if (FioIsUrl(name)) {
    FioUrlGetFileInfo(name, info);
  } else {
    GetLocalFileInfo(name, info);
  }
}

BOOL Fio_IsFileExist(const char* name) {
  FioFileInfo info;
  try {
    Fio_GetFileInfo(name, &info);
    return TRUE;
  } catch (const CXFileException&) {
    return FALSE;
  }
}

void Fio_CopyFile(const char* from, const char* to, BOOL failIfExists) {
  if (!from || !to) throw CXFileException(FIOERR_BAD_PATH, FIOOP_COPY, from ? from : "");
  if (!CopyFileA(from, to, failIfExists)) FioThrowLastError(FIOOP_COPY, from);
}

void Fio_DeleteFile(const char* name) {
  if (!name) throw CXFileException(FIOERR_BAD_PATH, FIOOP_DELETE, "");
  if (FioIsUrl(name)) {
    FioUrlDeleteFile(name);
    return;
  }
  if (!DeleteFileA(name)) FioThrowLastError(FIOOP_DELETE, name);
}

void Fio_RenameFile(const char* from, const char* to) {
  if (!from || !to) throw CXFileException(FIOERR_BAD_PATH, FIOOP_RENAME, from ? from : "");
  if (!MoveFileA(from, to)) FioThrowLastError(FIOOP_RENAME, from);
}

void Fio_CreateDirectory(const char* name) {
  if (Fio_IsMemFile(name)) return;
  if (FioIsUrl(name)) {
    FioUrlCreateDirectory(name);
    return;
  }
  CreateLocalDirectory(name);
}

void Fio_DeleteDirectory(const char* name) {
  if (!name) throw CXFileException(FIOERR_BAD_PATH, FIOOP_REMOVE_DIR, "");
  if (!RemoveDirectoryA(name)) FioThrowLastError(FIOOP_REMOVE_DIR, name);
}

void Fio_GetCurrentDirectory(char* buffer, int size) {
  if (!buffer || size <= 0) return;
  const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(size), buffer);
  // Too small a buffer is left untouched by the system: never hand back what was in it.
  if (length == 0 || length >= static_cast<DWORD>(size)) buffer[0] = 0;
}

void Fio_SetCurrentDirectory(const char* name) {
  if (!name) throw CXFileException(FIOERR_BAD_PATH, FIOOP_SET_CURDIR, "");
  if (!SetCurrentDirectoryA(name)) FioThrowLastError(FIOOP_SET_CURDIR, name);
}

BOOL Fio_IsWritableFile(const char* name) {
  if (!name) return FALSE;
  if (Fio_IsMemFile(name)) return TRUE;
  if (FioIsUrl(name)) return FioUrlIsWritableFile(name);
  const DWORD attributes = GetFileAttributesA(name);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return FALSE;
  return Fio_IsWritableDir(FioDirectoryOf(name));
}

BOOL Fio_IsWritableDir(const char* dir) {
  if (!dir) return FALSE;
  CXString probe;
  // A name that no file has yet; each attempt takes the next number after the tick count.
  for (DWORD attempt = 0;; ++attempt) {
    if (attempt == 1000) return FALSE;
    probe.Format("%s\\%d.tmp", dir, static_cast<int>(GetTickCount() + attempt));
    WIN32_FIND_DATAA found;
    fw::FindHandle existing(FindFirstFileA(probe, &found));
    if (!existing) break;
  }
  fw::FileHandle file(CreateFileA(probe, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return file ? TRUE : FALSE;
}

void FioFileInfoFromEntry(const WIN32_FIND_DATAA& entry, const char* name, FioFileInfo* info) {
  SYSTEMTIME time;
  if (!FileTimeToSystemTime(&entry.ftLastWriteTime, &time)) FioThrowLastError(FIOOP_FILE_INFO, name);
  info->size = static_cast<int>(entry.nFileSizeLow);
  info->second = time.wSecond;
  info->minute = time.wMinute;
  info->hour = time.wHour;
  info->day = time.wDay;
  info->dayOfWeek = time.wDayOfWeek;
  info->month = time.wMonth;
  info->year = time.wYear;
}

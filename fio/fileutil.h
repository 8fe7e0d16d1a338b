// File-system functions over local paths, memory-file names and URLs, and the process-wide
// file locks that output files hold on their targets.
#pragma once

#include <windows.h>

#include "fio/api.h"

// Size and last-write time of a file, each a 32-bit integer.
struct FioFileInfo {
  int size;  // low 32 bits
  int second;
  int minute;
  int hour;
  int day;
  int dayOfWeek;
  int month;
  int year;
};

extern "C" {
// Throws CXFileException (operation 12) when the file cannot be found.
TW_FIO_API void Fio_GetFileInfo(const char* name, FioFileInfo* info);
TW_FIO_API BOOL Fio_IsFileExist(const char* name);
// The actions below throw CXFileException with the operation and the name.
TW_FIO_API void Fio_CopyFile(const char* from, const char* to, BOOL failIfExists);
TW_FIO_API void Fio_DeleteFile(const char* name);
TW_FIO_API void Fio_RenameFile(const char* from, const char* to);
// Creates every missing folder of the path.
TW_FIO_API void Fio_CreateDirectory(const char* name);
TW_FIO_API void Fio_DeleteDirectory(const char* name);
// The current folder; an empty text when it does not fit in size bytes.
TW_FIO_API void Fio_GetCurrentDirectory(char* buffer, int size);
TW_FIO_API void Fio_SetCurrentDirectory(const char* name);
TW_FIO_API BOOL Fio_IsWritableFile(const char* name);
TW_FIO_API BOOL Fio_IsWritableDir(const char* dir);

// Locking is enabled from the start; returns the previous setting.
TW_FIO_API BOOL Fio_EnableLocking(BOOL enable);
// Holds the file open without sharing; nested calls count. Throws CXFileException
// (operation 5) when the file cannot be opened.
TW_FIO_API void Fio_LockFile(const char* name);
TW_FIO_API void Fio_UnlockFile(const char* name);
TW_FIO_API int Fio_LockCount(const char* name);
}

#include "fio/temp_name.h"

#include <windows.h>

#include "fio/xfile.h"

bool FioMakeTempName(const char* dir, char* out) {
  if (GetTempFileNameA(dir, "QVPR", 0, out) != 0) return true;
  out[0] = 0;
  return false;
}

bool FioMakeSystemTempName(char* out) {
  char dir[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, dir);
  if (length >= MAX_PATH) SetLastError(ERROR_BUFFER_OVERFLOW);
  if (length == 0 || length >= MAX_PATH) {
    out[0] = 0;
    return false;
  }
  return FioMakeTempName(dir, out);
}

const char* Fio_GetTempFileName() {
  static char name[512];
  FioMakeSystemTempName(name);
  return name;
}

// System errors of file operations turned into the library's exception codes.
#pragma once

#include <windows.h>

// The FIOERR_ code for a Win32 error number; numbers outside the table give FIOERR_OTHER.
int FioCodeFromSystemError(DWORD error);

// Throws CXFileException with the code mapped from error (GetLastError when not given).
[[noreturn]] void FioThrowSystemError(int operation, const char* name, DWORD error);
[[noreturn]] void FioThrowLastError(int operation, const char* name);

// What the server's directory listing says about the file of a URL.
#pragma once

#include <windows.h>

// The listing entry of the URL's file, found by name without regard to case. False, with
// the system's last error set (ERROR_FILE_NOT_FOUND when the listing has no such entry),
// when it cannot be had.
bool FioUrlFindEntry(const char* url, WIN32_FIND_DATAA* entry);

// The writability rule of a URL file once its listing entry is known (null: not listed):
// an entry marked read-only is refused without asking the server; otherwise the answer is
// whether the URL's folder takes a probe file.
BOOL FioUrlIsWritableWithEntry(const char* url, const WIN32_FIND_DATAA* entry);

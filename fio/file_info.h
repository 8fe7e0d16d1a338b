// A directory entry, local or from a server's listing, as the file layer reports it.
#pragma once

#include <windows.h>

#include "fio/fileutil.h"

// Fills info from entry; throws the file exception (operation "file info", name) when the
// entry's time cannot be read.
void FioFileInfoFromEntry(const WIN32_FIND_DATAA& entry, const char* name, FioFileInfo* info);

// Where the file layer hands URL names to the URL layer (fio/url.h).
#pragma once

#include <windows.h>

#include "fio/fileutil.h"
#include "fio/xfile.h"

BOOL FioIsUrl(const char* name);
IXFile* FioUrlOpen(const char* url, int mode);
IXOutFile* FioUrlOpenOut(const char* url, int mode);
void FioUrlGetFileInfo(const char* url, FioFileInfo* info);
// Throws (operation 7) when the file cannot be deleted.
void FioUrlDeleteFile(const char* url);
void FioUrlCreateDirectory(const char* url);
BOOL FioUrlIsWritableFile(const char* url);

// Translation of string-table blocks (16 counted UTF-16 strings).
#pragma once

#include <stddef.h>
#include <windows.h>

class CWld;

// A translated copy of the block (LocalAlloc, zero-filled) with its size, or null when the
// dictionary is empty or the block does not fit in limit bytes (limit 0: not known).
void* TranslateStringBlock(const CWld& dictionary, const void* block, size_t limit, const char* context,
                           DWORD* size);

// The handles list: one record per dialog, menu or string-table resource that a hooked module
// found, handed out in place of the system's resource handle.
#pragma once

#include <windows.h>

enum { RESOURCE_KEY_BYTES = 128, RECORD_MARKER = -1 };

// Type codes of resource context keys.
enum { CONTEXT_DIALOG = 1, CONTEXT_MENU = 2, CONTEXT_STRINGS = 3 };

struct tagResRecord {
  tagResRecord* next;
  tagResRecord* previous;
  int marker;  // RECORD_MARKER
  int type;    // 4 menu, 5 dialog, 6 string table
  HMODULE module;
  HRSRC found;
  HGLOBAL loaded;
  void* copy;  // the translated copy, or null
  DWORD copySize;
  unsigned long keyHash;
  char key[RESOURCE_KEY_BYTES];
};

// The record for found (recorded once per module and handle), or found itself when the type is
// not recorded or no record can be allocated.
HRSRC RecordResource(HMODULE module, HRSRC found, int type, const char* keyName, int keyId);
// The record that handle is, or null.
tagResRecord* FindRecord(const void* handle);
// The record whose translated copy is handle, or null.
tagResRecord* FindRecordByCopy(const void* handle);
// Frees every record with its copy (process exit).
void FreeResourceRecords();

// "%s#%d#%i" (name null: the id) or "%s#%d#%s" into key (RESOURCE_KEY_BYTES).
void BuildContextKey(char* key, HMODULE module, int typeCode, const char* name, int id);
// The context key of string id (its block), or false for ids that get none.
bool StringContextKey(char* key, HMODULE module, UINT id);

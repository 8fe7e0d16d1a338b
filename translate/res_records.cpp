#include "translate/res_records.h"

#include <stdlib.h>

#include "base/keys.h"
#include "translate/hook.h"
#include "translate/module_watch.h"

namespace {

struct HandlesList {
  tagResRecord* head;
  tagResRecord* tail;
  int count;
};

HandlesList g_list;  // zero until the first record

bool IsRecordedType(int type) { return type == 4 || type == 5 || type == 6; }

int ContextTypeCode(int type) {
  switch (type) {
    case 5:
      return CONTEXT_DIALOG;
    case 4:
      return CONTEXT_MENU;
    default:
      return CONTEXT_STRINGS;
  }
}

void FreeCopy(tagResRecord* record) {
  if (!record->copy) return;
  if (record->type == 6)
    ::LocalFree(record->copy);  // string blocks are made with LocalAlloc
  else
    free(record->copy);  // dialog copies come from the template walk's malloc
  record->copy = nullptr;
}

void Append(tagResRecord* record) {
  if (!g_list.head) {
    record->next = record->previous = record;
    g_list.head = g_list.tail = record;
  } else {
    record->previous = g_list.tail;
    record->next = g_list.head;
    g_list.tail->next = record;
    g_list.head->previous = record;
    g_list.tail = record;
  }
  ++g_list.count;
}

}  // namespace

namespace {

// Appends text to the key, as much as fits (one byte stays for the terminator).
char* AppendToKey(char* out, char* end, const char* text) {
  while (*text && out < end - 1) *out++ = *text++;
  *out = 0;
  return out;
}

char* AppendNumberToKey(char* out, char* end, int value) {
  char digits[12];
  char* p = digits + sizeof digits;
  *--p = 0;
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (value < 0) *--p = '-';
  return AppendToKey(out, end, p);
}

}  // namespace

void BuildContextKey(char* key, HMODULE module, int typeCode, const char* name, int id) {
  char* const end = key + RESOURCE_KEY_BYTES;
  char* out = AppendToKey(key, end, ModuleBaseName(module));
  out = AppendToKey(out, end, "#");
  out = AppendNumberToKey(out, end, typeCode);
  out = AppendToKey(out, end, "#");
  if (name)
    AppendToKey(out, end, name);
  else
    AppendNumberToKey(out, end, id);
}

bool StringContextKey(char* key, HMODULE module, UINT id) {
  if (id >= 65536) return false;
  BuildContextKey(key, module, CONTEXT_STRINGS, nullptr, static_cast<int>(id / 16 + 1));
  return true;
}

HRSRC RecordResource(HMODULE module, HRSRC found, int type, const char* keyName, int keyId) {
  if (!found || !IsRecordedType(type)) return found;
  if (!module) module = ::GetModuleHandleA(nullptr);
  if (tagResRecord* record = g_list.head) {
    do {
      if (record->found == found && record->module == module) return reinterpret_cast<HRSRC>(record);
      record = record->next;
    } while (record != g_list.head);
  }
  tagResRecord* record = static_cast<tagResRecord*>(::LocalAlloc(LPTR, sizeof(tagResRecord)));
  if (!record) return found;
  record->marker = RECORD_MARKER;
  record->type = type;
  record->module = module;
  record->found = found;
  BuildContextKey(record->key, module, ContextTypeCode(type), keyName, keyId);
  record->keyHash = QVHashStringNoCase(record->key);
  Append(record);
  return reinterpret_cast<HRSRC>(record);
}

tagResRecord* FindRecord(const void* handle) {
  if (!handle || !g_list.head) return nullptr;
  tagResRecord* record = g_list.head;
  do {
    if (record == handle) return record;
    record = record->next;
  } while (record != g_list.head);
  return nullptr;
}

tagResRecord* FindRecordByCopy(const void* handle) {
  if (!handle || !g_list.head) return nullptr;
  tagResRecord* record = g_list.head;
  do {
    if (record->copy == handle) return record;
    record = record->next;
  } while (record != g_list.head);
  return nullptr;
}

void FreeResourceRecords() {
  tagResRecord* record = g_list.head;
  for (int i = 0; i < g_list.count && record; ++i) {
    tagResRecord* next = record->next;
    FreeCopy(record);
    ::LocalFree(record);
    record = next;
  }
  g_list = HandlesList();
}

extern "C" {

void* __GetHandlesList() { return g_list.head; }

void __SetHandlesList(void*) {}

}  // extern "C"

// Replacements for the resource functions: dialog, menu and string-table resources of hooked
// modules are recorded when found and come back translated when loaded.
#include <stdlib.h>

#include "translate/dlg_walk.h"
#include "translate/hook_replacements.h"
#include "translate/hook_rows.h"
#include "translate/res_records.h"
#include "translate/string_block.h"
#include "translate/supp_state.h"

namespace {

// The integer resource type, or 0 for a named type.
int TypeCode(const void* type) {
  return IS_INTRESOURCE(type) ? static_cast<int>(reinterpret_cast<UINT_PTR>(type)) : 0;
}

int IdOf(const void* name) { return static_cast<int>(reinterpret_cast<UINT_PTR>(name)); }

HRSRC RecordNarrow(HMODULE module, HRSRC found, LPCSTR type, LPCSTR name) {
  if (!found || !IsTranslationActiveFor(module)) return found;
  return RecordResource(module, found, TypeCode(type), IS_INTRESOURCE(name) ? nullptr : name, IdOf(name));
}

HRSRC RecordWide(HMODULE module, HRSRC found, LPCWSTR type, LPCWSTR name) {
  if (!found || !IsTranslationActiveFor(module)) return found;
  if (IS_INTRESOURCE(name)) return RecordResource(module, found, TypeCode(type), nullptr, IdOf(name));
  char narrowName[RESOURCE_KEY_BYTES] = "";
  ::WideCharToMultiByte(CP_ACP, 0, name, -1, narrowName, sizeof narrowName - 1, nullptr, nullptr);
  return RecordResource(module, found, TypeCode(type), narrowName, 0);
}

// Loads the resource of a record once and keeps its translated copy; the copy, or the loaded
// resource when there is none.
HGLOBAL LoadRecorded(tagResRecord* record) {
  if (record->loaded) return record->copy ? static_cast<HGLOBAL>(record->copy) : record->loaded;
  record->loaded = Real<decltype(&::LoadResource)>(HOOK_LOAD_RESOURCE)(record->module, record->found);
  if (!record->loaded) return nullptr;
  const void* data = Real<decltype(&::LockResource)>(HOOK_LOCK_RESOURCE)(record->loaded);
  const size_t size = Real<decltype(&::SizeofResource)>(HOOK_SIZEOF_RESOURCE)(record->module, record->found);
  if (!data || !size) return record->loaded;
  const CWld& dictionary = TranslationDictionary();
  try {
    if (record->type == 5) {
      DialogWalk walk;
      walk.source = data;
      walk.limit = size;
      walk.context = record->key;
      walk.layout = dictionary.GetLayout(record->key);
      int copySize = 0;
      record->copy = WalkDialogTemplate(dictionary, walk, &copySize);
      record->copySize = static_cast<DWORD>(copySize);
    } else if (record->type == 6) {
      record->copy = TranslateStringBlock(dictionary, data, size, record->key, &record->copySize);
    }
  } catch (...) {  // no memory: the resource as it is
    record->copy = nullptr;
    record->copySize = 0;
  }
  return record->copy ? static_cast<HGLOBAL>(record->copy) : record->loaded;
}

}  // namespace

namespace hooks {

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = Real<decltype(&::FindResourceA)>(HOOK_FIND_RESOURCE_A)(module, name, type);
  return RecordNarrow(module, found, type, name);
}

HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language) {
  HRSRC found = Real<decltype(&::FindResourceExA)>(HOOK_FIND_RESOURCE_EX_A)(module, type, name, language);
  return RecordNarrow(module, found, type, name);
}

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  HRSRC found = Real<decltype(&::FindResourceW)>(HOOK_FIND_RESOURCE_W)(module, name, type);
  return RecordWide(module, found, type, name);
}

HRSRC WINAPI FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
  HRSRC found = Real<decltype(&::FindResourceExW)>(HOOK_FIND_RESOURCE_EX_W)(module, type, name, language);
  return RecordWide(module, found, type, name);
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
  auto real = Real<decltype(&::LoadResource)>(HOOK_LOAD_RESOURCE);
  tagResRecord* record = FindRecord(resource);
  if (!record) return real(module, resource);
  // With translation off a record still stands for the system's handle it holds.
  if (!IsTranslationActiveFor(module)) return real(module, record->found);
  return LoadRecorded(record);
}

LPVOID WINAPI LockResource(HGLOBAL loaded) {
  if (loaded && FindRecordByCopy(loaded)) return loaded;  // a copy is its own address
  return Real<decltype(&::LockResource)>(HOOK_LOCK_RESOURCE)(loaded);
}

BOOL WINAPI FreeResource(HGLOBAL loaded) {
  if (!loaded || FindRecordByCopy(loaded)) return FALSE;  // copies stay with their records
  return Real<decltype(&::FreeResource)>(HOOK_FREE_RESOURCE)(loaded);
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
  auto real = Real<decltype(&::SizeofResource)>(HOOK_SIZEOF_RESOURCE);
  tagResRecord* record = FindRecord(resource);
  if (!record) return real(module, resource);
  if (record->copy && IsTranslationActiveFor(module)) return record->copySize;
  return real(record->module, record->found);
}

}  // namespace hooks

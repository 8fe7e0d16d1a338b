// The 23 rows of the hook table and the way replacements reach the real functions.
#pragma once

#include <windows.h>

enum HookId {
  HOOK_LOAD_STRING_A,
  HOOK_LOAD_STRING_W,
  HOOK_LOAD_MENU_INDIRECT_A,
  HOOK_LOAD_MENU_A,
  HOOK_LOAD_RESOURCE,
  HOOK_FIND_RESOURCE_A,
  HOOK_FIND_RESOURCE_EX_A,
  HOOK_FIND_RESOURCE_W,
  HOOK_FIND_RESOURCE_EX_W,
  HOOK_LOCK_RESOURCE,
  HOOK_FREE_RESOURCE,
  HOOK_SIZEOF_RESOURCE,
  HOOK_CREATE_DIALOG_PARAM_A,
  HOOK_CREATE_DIALOG_PARAM_W,
  HOOK_DIALOG_BOX_PARAM_A,
  HOOK_DIALOG_BOX_PARAM_W,
  HOOK_MESSAGE_BOX_INDIRECT_A,
  HOOK_MESSAGE_BOX_A,
  HOOK_MESSAGE_BOX_EX_A,
  HOOK_DIALOG_BOX_INDIRECT_PARAM_A,
  HOOK_DIALOG_BOX_INDIRECT_PARAM_W,
  HOOK_CREATE_DIALOG_INDIRECT_PARAM_A,
  HOOK_CREATE_DIALOG_INDIRECT_PARAM_W,
  HOOK_COUNT
};

struct HookRow {
  const char* module;  // as written in the table
  const char* function;
  void* replacement;
  void* real;  // filled by installation
};

// The table, in installation order.
HookRow* HookRows();

// The real function of a row: its slot, or the system's export while the slot is empty.
// Never the module's own import entry, which may hold the replacement.
void* RealAddress(HookId id);

template <class F>
F Real(HookId id) {
  return reinterpret_cast<F>(RealAddress(id));
}

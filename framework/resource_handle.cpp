#include "framework/resource_handle.h"

namespace fw {
namespace {

// One user-interface thread reads and switches it.
HINSTANCE currentResourceHandle = nullptr;

}  // namespace

HINSTANCE ResourceHandle() {
  return currentResourceHandle ? currentResourceHandle : GetModuleHandleA(nullptr);
}

HINSTANCE SetResourceHandle(HINSTANCE module) {
  HINSTANCE previous = ResourceHandle();
  currentResourceHandle = module;
  return previous;
}

HMODULE ModuleOfAddress(const void* address) {
  HMODULE module = nullptr;
  // Unchanged refcount: the module holds the code that asks, so it cannot go away meanwhile.
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(address), &module))
    return nullptr;
  return module;
}

}  // namespace fw

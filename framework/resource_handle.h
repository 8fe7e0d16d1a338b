// The module that the language-aware loaders take resources from. It is the program file unless a
// window procedure switches it to the module holding its own resources for the time of one message.
#pragma once

#include <windows.h>

namespace fw {

HINSTANCE ResourceHandle();
// Returns the previous handle; null restores the program file.
HINSTANCE SetResourceHandle(HINSTANCE module);

// Sets the resource handle for the life of the scope and puts the previous one back, also when an
// exception passes.
class ResourceHandleScope {
 public:
  explicit ResourceHandleScope(HINSTANCE module) : previous_(SetResourceHandle(module)) {}
  ~ResourceHandleScope() { SetResourceHandle(previous_); }
  ResourceHandleScope(const ResourceHandleScope&) = delete;
  ResourceHandleScope& operator=(const ResourceHandleScope&) = delete;

 private:
  HINSTANCE previous_;
};

// The module whose code contains address (a function or object of that module), or null.
HMODULE ModuleOfAddress(const void* address);

}  // namespace fw

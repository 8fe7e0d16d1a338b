// Owner of a view mapped with MapViewOfFile.
#pragma once

#include <windows.h>

#include "base/handles.h"

struct MappedViewTraits {
  static void* Invalid() { return nullptr; }
  static bool IsValid(void* view) { return view != nullptr; }
  static void Close(void* view) { ::UnmapViewOfFile(view); }
};
using MappedView = fw::UniqueHandle<void*, MappedViewTraits>;

// Unmaps now and tells whether the system agreed (TRUE when nothing was mapped).
inline bool UnmapChecked(MappedView& view) {
  void* address = view.release();
  return !address || ::UnmapViewOfFile(address);
}

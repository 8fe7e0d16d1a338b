// Heaps of the base library: size-class pools, general heaps and private heaps.
#pragma once

#include <stddef.h>

#include "base/alloc.h"
#include "base/api.h"
#include "base/unknown.h"

// A source of zero-filled memory blocks.
struct IHeap : IQVUnknown {
  virtual void* Alloc(size_t size) = 0;
  virtual void Free(void* block) = 0;
  virtual void* ReAlloc(void* block, size_t size) = 0;
  virtual size_t GetBlockSize(void* block) = 0;
  // Bytes of bookkeeping in front of each block.
  virtual size_t GetBlockOverhead() = 0;
};

// Asked before the library gives up on memory, with the attempt number 0, 1, 2 ...
// A non-zero answer asks for another attempt, 0 gives up.
struct ILowMemoryNotifySink {
  virtual int OnLowMemory(int attempt) = 0;
};

// Allocation activity of the library's Win32 heaps.
struct tagQVCoreActivity {
  unsigned bytes;       // total bytes requested from them
  unsigned operations;  // creations, allocations, frees and reallocations
};

extern "C" {
// The heap for a block of size bytes: the pool of that size class while it is within its
// use limit, else the next general heap. Not reference-counted for the caller.
TW_BASE_API IHeap* Mem_DefaultHeap(int size);
// A new private heap with one reference for the caller.
TW_BASE_API IHeap* new_MemoryHeap(int initialSize);
// Throws CXException code 10 when a sink is already set.
TW_BASE_API void Mem_SetLowMemoryNotifySink(ILowMemoryNotifySink* sink);
TW_BASE_API void Get_CoreActivity(unsigned* bytes, unsigned* operations);
TW_BASE_API extern tagQVCoreActivity __core_activity;
}

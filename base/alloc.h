// The owner word: every block the library allocates carries, in the word in front of it,
// the heap that owns it, and is freed through that heap.
#pragma once

#include <stddef.h>

#include "base/api.h"

struct IHeap;

// Owner words that stand for no heap object.
#define QV_OWNER_DEFAULT_HEAP (reinterpret_cast<IHeap*>(0))
#define QV_OWNER_CRT (reinterpret_cast<IHeap*>(~static_cast<size_t>(0)))

extern "C" {
// size bytes (zero-filled) from heap, or from the default heap for the size when heap is null.
TW_BASE_API void* QVAllocBlock(size_t size, IHeap* heap);
// size bytes (zero-filled) from the C runtime heap.
TW_BASE_API void* QVCrtAllocBlock(size_t size);
// Frees a block through its owner word; null is ignored.
TW_BASE_API void QVFreeBlock(void* block);
// A copy of text from the default heap; null gives null.
TW_BASE_API char* QVStrDup(const char* text);
}

// Objects created with new live in the library's heaps.
struct QVHeapObject {
  static void* operator new(size_t size) { return QVAllocBlock(size, nullptr); }
  static void operator delete(void* block) { QVFreeBlock(block); }
};

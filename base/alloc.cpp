#include "base/alloc.h"

#include <stdlib.h>
#include <string.h>

#include "base/exceptions.h"
#include "base/heap.h"

namespace {
const size_t kOwnerWord = sizeof(IHeap*);
// Larger requests would wrap around once the owner word is added.
const size_t kLargestBlock = 0x7FFF0000;
}  // namespace

extern "C" {

void* QVAllocBlock(size_t size, IHeap* heap) {
  if (size > kLargestBlock) throw CXMemException();
  const size_t total = size + kOwnerWord;
  if (!heap) heap = Mem_DefaultHeap(static_cast<int>(total));
  void* raw = heap->Alloc(total);
  *static_cast<IHeap**>(raw) = heap;
  return static_cast<char*>(raw) + kOwnerWord;
}

void* QVCrtAllocBlock(size_t size) {
  if (size > kLargestBlock) throw CXMemException();
  void* raw = calloc(1, size + kOwnerWord);
  if (!raw) throw CXMemException();
  *static_cast<IHeap**>(raw) = QV_OWNER_CRT;
  return static_cast<char*>(raw) + kOwnerWord;
}

void QVFreeBlock(void* block) {
  if (!block) return;
  void* raw = static_cast<char*>(block) - kOwnerWord;
  IHeap* owner = *static_cast<IHeap**>(raw);
  if (owner == QV_OWNER_DEFAULT_HEAP)
    Mem_DefaultHeap(0)->Free(raw);
  else if (owner == QV_OWNER_CRT)
    free(raw);
  else
    owner->Free(raw);
}

char* QVStrDup(const char* text) {
  if (!text) return nullptr;
  const size_t size = strlen(text) + 1;
  char* copy = static_cast<char*>(QVAllocBlock(size, nullptr));
  memcpy(copy, text, size);
  return copy;
}

}  // extern "C"

#include "base/cheap.h"

#include <string.h>

#include "base/exceptions.h"
#include "base/heap_manager.h"

namespace {
const DWORD kCreateFlags = HEAP_NO_SERIALIZE | HEAP_GROWABLE | HEAP_ZERO_MEMORY;
const DWORD kAllocFlags = HEAP_NO_SERIALIZE | HEAP_ZERO_MEMORY;
// Requests beyond this fail like exhausted memory instead of wrapping around.
const size_t kLargestBlock = 0x7FFF0000;
}  // namespace

CHeap::CHeap(size_t initialSize, bool exempt) : m_exempt(exempt) {
  QVHeapManager& manager = QVHeapManager::Get();
  QVLock lock(manager.GetLock());
  const size_t rounded = initialSize > kLargestBlock ? kLargestBlock : (initialSize + 4095) & ~size_t{4095};
  for (int attempt = 0;; ++attempt) {
    m_heap.reset(HeapCreate(kCreateFlags, rounded, 0));
    if (m_heap.get()) break;
    if (!manager.AskForRetry(attempt)) throw CXMemException();
  }
  manager.AddHeap(this);
}

CHeap::~CHeap() {
  QVHeapManager& manager = QVHeapManager::Get();
  QVLock lock(manager.GetLock());
  manager.RemoveHeap(this);
  m_heap.reset();
}

CHeap* CHeap::OwnerOf(void* block) {
  return *reinterpret_cast<CHeap**>(static_cast<char*>(block) - BLOCK_OVERHEAD);
}

void* CHeap::AllocHidden(size_t size) {
  QVHeapManager& manager = QVHeapManager::Get();
  for (int attempt = 0;; ++attempt) {
    void* hidden =
        size <= kLargestBlock ? HeapAlloc(m_heap.get(), kAllocFlags, size + BLOCK_OVERHEAD) : nullptr;
    if (hidden) {
      *static_cast<CHeap**>(hidden) = this;
      return static_cast<char*>(hidden) + BLOCK_OVERHEAD;
    }
    if (!manager.AskForRetry(attempt)) return nullptr;
  }
}

void* CHeap::Alloc(size_t size) {
  QVHeapManager& manager = QVHeapManager::Get();
  QVLock lock(manager.GetLock());
  void* block = AllocHidden(size);
  if (!block) throw CXMemException();
  manager.CountOperation(size);
  return block;
}

void CHeap::Free(void* block) {
  if (!block) return;
  QVHeapManager& manager = QVHeapManager::Get();
  QVLock lock(manager.GetLock());
  CHeap* owner = OwnerOf(block);
  HeapFree(owner->m_heap.get(), HEAP_NO_SERIALIZE, static_cast<char*>(block) - BLOCK_OVERHEAD);
  manager.CountOperation(0);
}

// Keeps every byte of the old block that fits in the new one.
void* CHeap::ReAlloc(void* block, size_t size) {
  if (!block) return Alloc(size);
  QVHeapManager& manager = QVHeapManager::Get();
  QVLock lock(manager.GetLock());
  void* fresh = AllocHidden(size);
  if (!fresh) throw CXMemException();
  const size_t oldSize = GetBlockSize(block);
  memcpy(fresh, block, oldSize < size ? oldSize : size);
  CHeap* owner = OwnerOf(block);
  HeapFree(owner->m_heap.get(), HEAP_NO_SERIALIZE, static_cast<char*>(block) - BLOCK_OVERHEAD);
  manager.CountOperation(size);
  return fresh;
}

size_t CHeap::GetBlockSize(void* block) {
  if (!block) return 0;
  QVLock lock(QVHeapManager::Get().GetLock());
  CHeap* owner = OwnerOf(block);
  const SIZE_T size =
      HeapSize(owner->m_heap.get(), HEAP_NO_SERIALIZE, static_cast<char*>(block) - BLOCK_OVERHEAD);
  return size == static_cast<SIZE_T>(-1) ? 0 : size - BLOCK_OVERHEAD;
}

#include "base/pool_heap.h"

#include <string.h>

#include "base/exceptions.h"

size_t QVPoolHeap::ChunkSizeFor(int size) {
  const size_t raw = static_cast<size_t>(242 - size) * BlockSizeFor(size) * 2;
  return (raw & ~size_t{0xFFF}) | 0xFFC;
}

QVPoolHeap::QVPoolHeap(int size, size_t budget, IHeap* backing, bool privateBacking)
    : m_backing(backing),
      m_blocksPerChunk(ChunkSizeFor(size) / BlockSizeFor(size)),
      m_chunkSize(ChunkSizeFor(size)),
      m_blockSize(BlockSizeFor(size)),
      m_useLimit(budget / BlockSizeFor(size) + 1),
      m_privateBacking(privateBacking) {
  m_freeList.Reset();
}

QVPoolHeap::~QVPoolHeap() {
  if (m_privateBacking && m_backing) m_backing->Release();
}

BOOL QVPoolHeap::QueryInterface(const std::type_info&, void** out) {
  if (out) *out = nullptr;
  return FALSE;
}

size_t QVPoolHeap::GetFreeCount() {
  QVLock lock(m_lock);
  return m_freeList.GetCount();
}

IHeap* QVPoolHeap::GetBackingHeap() {
  QVLock lock(m_lock);
  return m_backing;
}

// Room for every block is reserved before the chunk is carved, so Free never has to grow
// the list (and so never throws).
void QVPoolHeap::AddChunk() {
  const size_t carved = m_blocksCarved + m_blocksPerChunk;
  m_freeList.Reserve(carved);
  char* chunk = static_cast<char*>(m_backing->Alloc(m_chunkSize));
  for (size_t i = 0; i < m_blocksPerChunk; ++i) m_freeList.Push(chunk + i * m_blockSize);
  m_blocksCarved = carved;
}

void* QVPoolHeap::Alloc(size_t size) {
  if (size > m_blockSize) throw CXMemException();
  QVLock lock(m_lock);
  if (m_freeList.GetCount() == 0) AddChunk();
  void* block = m_freeList.Pop();
  memset(block, 0, m_blockSize);
  const size_t inUse = m_blocksInUse.load(std::memory_order_relaxed) + 1;
  m_blocksInUse.store(inUse, std::memory_order_relaxed);
  if (inUse >= m_blocksPerChunk) m_filledChunk = true;
  return block;
}

void QVPoolHeap::Free(void* block) {
  if (!block) return;
  QVLock lock(m_lock);
  m_freeList.Push(block);
  const size_t inUse = m_blocksInUse.load(std::memory_order_relaxed) - 1;
  m_blocksInUse.store(inUse, std::memory_order_relaxed);
  if (m_privateBacking && m_filledChunk && inUse == 0) RenewPrivateBacking();
}

// Gives all the private heap's memory back at once by trading it for a fresh one. When no
// fresh heap can be had the pool keeps the old one.
void QVPoolHeap::RenewPrivateBacking() {
  IHeap* fresh = nullptr;
  try {
    fresh = new_MemoryHeap(4096);
  } catch (const CXMemException&) {
    return;
  }
  m_backing->Release();
  m_backing = fresh;
  m_freeList.Reset();
  m_blocksCarved = 0;
  m_filledChunk = false;
}

void* QVPoolHeap::ReAlloc(void* block, size_t size) {
  if (size > m_blockSize) throw CXMemException();
  if (!block) return Alloc(size);
  memset(static_cast<char*>(block) + size, 0, m_blockSize - size);
  return block;
}

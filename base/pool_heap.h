// QVPoolHeap: fixed-size blocks for one requested size, carved from chunks of a backing heap.
// Not reference-counted: the heap manager owns every pool for the life of the process.
#pragma once

#include <atomic>

#include "base/heap.h"
#include "base/lock.h"
#include "base/ptr_array.h"

class QVPoolHeap : public IHeap {
 public:
  // Blocks of size + 5 bytes. With privateBacking the pool owns one reference on backing
  // and trades it for a fresh private heap once every block of it has come back.
  QVPoolHeap(int size, size_t budget, IHeap* backing, bool privateBacking);
  virtual ~QVPoolHeap();
  QVPoolHeap(const QVPoolHeap&) = delete;
  QVPoolHeap& operator=(const QVPoolHeap&) = delete;

  long AddRef() override { return 1; }
  long Release() override { return 1; }
  BOOL QueryInterface(const std::type_info& type, void** out) override;
  // Throws CXMemException for a size beyond the block size.
  void* Alloc(size_t size) override;
  void Free(void* block) override;
  // Keeps the first size bytes and clears the rest of the block.
  void* ReAlloc(void* block, size_t size) override;
  size_t GetBlockSize(void* block) override { return m_blockSize; }
  size_t GetBlockOverhead() override { return 0; }

  size_t GetBlocksInUse() const { return m_blocksInUse.load(std::memory_order_relaxed); }
  size_t GetUseLimit() const { return m_useLimit; }
  size_t GetBlocksPerChunk() const { return m_blocksPerChunk; }
  size_t GetChunkSize() const { return m_chunkSize; }
  size_t GetFreeCount();
  IHeap* GetBackingHeap();
  bool HasPrivateBacking() const { return m_privateBacking; }

  // The layout rules, shared with the tests.
  static size_t BlockSizeFor(int size) { return static_cast<size_t>(size) + 5; }
  static size_t ChunkSizeFor(int size);

  static void* operator new(size_t size) { return QVCrtAllocBlock(size); }
  static void operator delete(void* object) { QVFreeBlock(object); }

 private:
  void AddChunk();
  void RenewPrivateBacking();

  QVCriticalSection m_lock;
  IHeap* m_backing;
  CSimplePtrArray m_freeList;
  size_t m_blocksPerChunk;
  size_t m_chunkSize;
  size_t m_blockSize;
  size_t m_useLimit;
  std::atomic<size_t> m_blocksInUse{0};  // read without the lock by Mem_DefaultHeap
  bool m_filledChunk = false;
  bool m_privateBacking;
  size_t m_blocksCarved = 0;  // the free list is kept large enough to take all of them back
};

// CHeap: a private Win32 heap behind the IHeap interface. Its blocks carry one hidden
// word, the owning CHeap, in front of the address handed out.
#pragma once

#include <windows.h>

#include "base/heap.h"
#include "base/unknown_impl.h"

// The list links of every live CHeap, kept by the heap manager.
struct QV_LISTITEM {
  QV_LISTITEM* prev = nullptr;
  QV_LISTITEM* next = nullptr;
};

// Owner of a Win32 heap handle.
class QVWin32Heap {
 public:
  explicit QVWin32Heap(HANDLE heap = nullptr) : m_heap(heap) {}
  ~QVWin32Heap() { reset(); }
  QVWin32Heap(const QVWin32Heap&) = delete;
  QVWin32Heap& operator=(const QVWin32Heap&) = delete;

  HANDLE get() const { return m_heap; }
  void reset(HANDLE heap = nullptr) {
    if (m_heap) HeapDestroy(m_heap);
    m_heap = heap;
  }

 private:
  HANDLE m_heap;
};

class CHeap : public CQVUnknownImpl<IHeap>, public QV_LISTITEM {
 public:
  enum { BLOCK_OVERHEAD = 4 };

  // Throws CXMemException when the low-memory sink gives up (or there is none).
  CHeap(size_t initialSize, bool exempt);
  ~CHeap() override;

  void* Alloc(size_t size) override;
  void Free(void* block) override;
  void* ReAlloc(void* block, size_t size) override;
  size_t GetBlockSize(void* block) override;
  size_t GetBlockOverhead() override { return BLOCK_OVERHEAD; }

  bool IsExempt() const { return m_exempt; }
  HANDLE GetWin32Heap() const { return m_heap.get(); }

  // CHeap objects themselves come from the C runtime heap.
  static void* operator new(size_t size) { return QVCrtAllocBlock(size); }
  static void operator delete(void* object) { QVFreeBlock(object); }

 private:
  // Under the manager's lock; null when the sink gave up.
  void* AllocHidden(size_t size);
  static CHeap* OwnerOf(void* block);

  QVWin32Heap m_heap;
  bool m_exempt;
};

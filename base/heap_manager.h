// The process-wide heap manager: general heaps taken round-robin, backing heaps for the
// pools, the pools by requested size, the low-memory sink and the activity counters.
#pragma once

#include <windows.h>

#include <atomic>

#include "base/heap.h"
#include "base/lock.h"

class CHeap;
class QVPoolHeap;
struct QV_LISTITEM;

class QVHeapManager {
 public:
  enum {
    GENERAL_HEAPS = 48,
    BACKING_HEAPS = 48,
    POOL_SLOTS = 192,
    SMALLEST_POOLED = 9,  // sizes 9 to 191 have pools
    SIZES_PER_BACKING_HEAP = 4,
    WIN9X_PRIVATE_HEAPS = 128
  };

  QVHeapManager();
  ~QVHeapManager();
  QVHeapManager(const QVHeapManager&) = delete;
  QVHeapManager& operator=(const QVHeapManager&) = delete;

  static QVHeapManager& Get();

  IHeap* DefaultHeap(int size);
  IHeap* NewMemoryHeap(int initialSize);
  void SetLowMemoryNotifySink(ILowMemoryNotifySink* sink);

  // Guards the manager, every CHeap operation and the activity counters.
  QVCriticalSection& GetLock() { return m_lock; }
  // Under the lock: asks the sink whether to try once more.
  bool AskForRetry(int attempt);
  // Under the lock.
  void AddHeap(CHeap* heap);
  void RemoveHeap(CHeap* heap);
  void CountOperation(size_t bytes);

  size_t GetHeapCount();
  size_t GetPoolBudget() const { return m_poolBudget; }
  // The pool for size, when it exists.
  QVPoolHeap* FindPool(int size) const;
  IHeap* GetGeneralHeap(int index) const;

  // (0.8 × free physical memory + 0.8 × free page file ÷ 2) ÷ 48 × 4, kept within limits.
  static size_t PoolBudgetFor(const MEMORYSTATUS& status);

 private:
  QVPoolHeap* CreatePool(int size);
  CHeap* TryCreateHeap(bool exempt);

  QVCriticalSection m_lock;
  CHeap* m_general[GENERAL_HEAPS] = {};
  int m_nextGeneral = 0;
  CHeap* m_backing[BACKING_HEAPS] = {};
  std::atomic<QVPoolHeap*> m_pools[POOL_SLOTS] = {};
  size_t m_poolBudget;
  ILowMemoryNotifySink* m_sink = nullptr;
  QV_LISTITEM* m_heapsHead = nullptr;
  QV_LISTITEM* m_heapsTail = nullptr;
  size_t m_heapCount = 0;
  size_t m_win9xPrivateHeaps = 0;  // live heaps without the exempt flag; limited on Windows 95
};

#include "base/heap_manager.h"

#include "base/cheap.h"
#include "base/exceptions.h"
#include "base/pool_heap.h"

namespace {

// Made before any other static object of the program and destroyed after all of them, as
// every other object may own blocks of its heaps.
QVHeapManager g_manager __attribute__((init_priority(101)));

bool IsWin9x() { return (GetVersion() & 0x80000000u) != 0; }

}  // namespace

tagQVCoreActivity __core_activity = {0, 0};

QVHeapManager& QVHeapManager::Get() { return g_manager; }

size_t QVHeapManager::PoolBudgetFor(const MEMORYSTATUS& status) {
  // In whole numbers: 0.8 x = 4x / 5, 0.8 x / 2 = 2x / 5, ÷ 48 × 4 = ÷ 12.
  const unsigned long long budget =
      (4ull * status.dwAvailPhys / 5 + 2ull * status.dwAvailPageFile / 5) / (GENERAL_HEAPS / 4);
  if (budget < 4096000) return 4096000;
  if (budget > 16384000) return 16384000;
  return static_cast<size_t>(budget);
}

QVHeapManager::QVHeapManager() {
  MEMORYSTATUS status = {};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  m_poolBudget = PoolBudgetFor(status);
  // A heap that cannot be made now is made when it is first needed.
  for (auto& heap : m_general) heap = TryCreateHeap(true);
  for (auto& heap : m_backing) heap = TryCreateHeap(false);
}

QVHeapManager::~QVHeapManager() {
  for (auto& slot : m_pools) delete slot.exchange(nullptr);
  for (auto& heap : m_general)
    if (heap) heap->Release();
  for (auto& heap : m_backing)
    if (heap) heap->Release();
  while (m_heapsHead) delete static_cast<CHeap*>(m_heapsHead);
}

CHeap* QVHeapManager::TryCreateHeap(bool exempt) {
  try {
    return new CHeap(4096, exempt);
  } catch (const CXMemException&) {
    return nullptr;
  }
}

IHeap* QVHeapManager::DefaultHeap(int size) {
  if (size >= SMALLEST_POOLED && size < POOL_SLOTS) {
    QVPoolHeap* pool = m_pools[size].load(std::memory_order_acquire);
    if (!pool) pool = CreatePool(size);
    if (pool->GetBlocksInUse() <= pool->GetUseLimit()) return pool;
  }
  QVLock lock(m_lock);
  const int index = m_nextGeneral;
  m_nextGeneral = (m_nextGeneral + 1) % GENERAL_HEAPS;
  if (!m_general[index]) m_general[index] = new CHeap(4096, true);
  return m_general[index];
}

QVPoolHeap* QVHeapManager::CreatePool(int size) {
  QVLock lock(m_lock);
  if (QVPoolHeap* pool = m_pools[size].load(std::memory_order_relaxed)) return pool;
  CHeap*& shared = m_backing[size / SIZES_PER_BACKING_HEAP];
  if (!shared) shared = TryCreateHeap(false);
  IHeap* backing = shared;
  const bool privateBacking = !backing;
  if (privateBacking) backing = NewMemoryHeap(4096);
  QVPoolHeap* pool = nullptr;
  try {
    pool = new QVPoolHeap(size, m_poolBudget, backing, privateBacking);
  } catch (...) {
    if (privateBacking) backing->Release();
    throw;
  }
  m_pools[size].store(pool, std::memory_order_release);
  return pool;
}

IHeap* QVHeapManager::NewMemoryHeap(int initialSize) {
  const size_t size = initialSize > 0 ? static_cast<size_t>(initialSize) : 0;
  if (IsWin9x()) {
    QVLock lock(m_lock);
    if (m_win9xPrivateHeaps >= WIN9X_PRIVATE_HEAPS) {
      // The caller releases what it gets: a pool ignores that, a general heap must not die of it.
      IHeap* heap = DefaultHeap(initialSize);
      heap->AddRef();
      return heap;
    }
  }
  return new CHeap(size, false);
}

void QVHeapManager::SetLowMemoryNotifySink(ILowMemoryNotifySink* sink) {
  QVLock lock(m_lock);
  if (m_sink) throw CXException(QVERR_INTERFACE);
  m_sink = sink;
}

bool QVHeapManager::AskForRetry(int attempt) { return m_sink && m_sink->OnLowMemory(attempt) != 0; }

void QVHeapManager::AddHeap(CHeap* heap) {
  heap->prev = m_heapsTail;
  heap->next = nullptr;
  (m_heapsTail ? m_heapsTail->next : m_heapsHead) = heap;
  m_heapsTail = heap;
  ++m_heapCount;
  if (!heap->IsExempt()) ++m_win9xPrivateHeaps;
  CountOperation(0);
}

void QVHeapManager::RemoveHeap(CHeap* heap) {
  (heap->prev ? heap->prev->next : m_heapsHead) = heap->next;
  (heap->next ? heap->next->prev : m_heapsTail) = heap->prev;
  heap->prev = heap->next = nullptr;
  --m_heapCount;
  if (!heap->IsExempt()) --m_win9xPrivateHeaps;
}

void QVHeapManager::CountOperation(size_t bytes) {
  __core_activity.bytes += static_cast<unsigned>(bytes);
  ++__core_activity.operations;
}

size_t QVHeapManager::GetHeapCount() {
  QVLock lock(m_lock);
  return m_heapCount;
}

QVPoolHeap* QVHeapManager::FindPool(int size) const {
  if (size < SMALLEST_POOLED || size >= POOL_SLOTS) return nullptr;
  return m_pools[size].load(std::memory_order_acquire);
}

IHeap* QVHeapManager::GetGeneralHeap(int index) const {
  return index >= 0 && index < GENERAL_HEAPS ? m_general[index] : nullptr;
}

extern "C" {

IHeap* Mem_DefaultHeap(int size) { return QVHeapManager::Get().DefaultHeap(size); }

IHeap* new_MemoryHeap(int initialSize) { return QVHeapManager::Get().NewMemoryHeap(initialSize); }

void Mem_SetLowMemoryNotifySink(ILowMemoryNotifySink* sink) {
  QVHeapManager::Get().SetLowMemoryNotifySink(sink);
}

void Get_CoreActivity(unsigned* bytes, unsigned* operations) {
  QVLock lock(QVHeapManager::Get().GetLock());
  if (bytes) *bytes = __core_activity.bytes;
  if (operations) *operations = __core_activity.operations;
}

}  // extern "C"

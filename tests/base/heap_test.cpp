// Heap manager: size classes, round robin, zero-filled blocks, use limits, private pools,
// the low-memory sink and the activity counters.
#include "base/heap.h"

#include <gtest/gtest.h>
#include <string.h>

#include <vector>

#include "base/cheap.h"
#include "base/exceptions.h"
#include "base/heap_manager.h"
#include "base/pool_heap.h"

namespace {

bool IsGeneralHeap(IHeap* heap) {
  for (int i = 0; i < QVHeapManager::GENERAL_HEAPS; ++i)
    if (QVHeapManager::Get().GetGeneralHeap(i) == heap) return true;
  return false;
}

bool AllBytesAre(const void* block, size_t size, unsigned char value) {
  const unsigned char* p = static_cast<const unsigned char*>(block);
  for (size_t i = 0; i < size; ++i)
    if (p[i] != value) return false;
  return true;
}

TEST(HeapSizeClasses, SizesOutsideNineTo191GetGeneralHeaps) {
  const int sizes[] = {0, 1, 8, 192, 193, 500, 4096, -5};
  for (size_t row = 0; row < sizeof sizes / sizeof sizes[0]; ++row)
    EXPECT_TRUE(IsGeneralHeap(Mem_DefaultHeap(sizes[row]))) << "row " << row << " size " << sizes[row];
}

TEST(HeapSizeClasses, PoolLayoutPerRequestedSize) {
  struct Row {
    int size;
    size_t blockSize, chunkSize, blocksPerChunk;
  };
  // Chunk: (242 - s) * (s + 5) * 2 rounded down to 4096, low 12 bits set to 0xFFC.
  const Row rows[] = {
      {9, 14, 8188, 584},      // 6524 -> 4096
      {10, 15, 8188, 545},     // 6960 -> 4096
      {100, 105, 32764, 312},  // 29820 -> 28672
      {132, 137, 32764, 239},  // 30140 -> 28672
      {191, 196, 20476, 104},  // 19992 -> 16384
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    IHeap* heap = Mem_DefaultHeap(rows[row].size);
    QVPoolHeap* pool = QVHeapManager::Get().FindPool(rows[row].size);
    ASSERT_NE(nullptr, pool) << "row " << row;
    EXPECT_EQ(static_cast<IHeap*>(pool), heap) << "row " << row;
    EXPECT_EQ(rows[row].blockSize, heap->GetBlockSize(nullptr)) << "row " << row;
    EXPECT_EQ(rows[row].chunkSize, pool->GetChunkSize()) << "row " << row;
    EXPECT_EQ(rows[row].blocksPerChunk, pool->GetBlocksPerChunk()) << "row " << row;
    EXPECT_EQ(QVHeapManager::Get().GetPoolBudget() / rows[row].blockSize + 1, pool->GetUseLimit())
        << "row " << row;
    EXPECT_EQ(heap, Mem_DefaultHeap(rows[row].size)) << "row " << row << ": one pool per size";
  }
  EXPECT_NE(Mem_DefaultHeap(9), Mem_DefaultHeap(10));
}

TEST(HeapSizeClasses, PoolsAreNotReferenceCountedAndAnswerNoInterface) {
  IHeap* pool = Mem_DefaultHeap(20);
  EXPECT_EQ(1, pool->AddRef());
  EXPECT_EQ(1, pool->Release());
  void* out = &out;
  EXPECT_FALSE(pool->QueryInterface(typeid(IHeap), &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(0u, pool->GetBlockOverhead());
}

TEST(HeapPoolBudget, ComputedFromFreeMemoryWithinLimits) {
  struct Row {
    DWORD availPhys, availPageFile;
    size_t budget;
  };
  const Row rows[] = {
      {0, 0, 4096000},                     // floor
      {60000000, 0, 4096000},              // 4,000,000 is below the floor
      {120000000, 0, 8000000},             // 0.8 * 120e6 / 48 * 4
      {120000000, 60000000, 10000000},     // + 0.8 * 60e6 / 2 / 48 * 4
      {0xFFFFFFFF, 0xFFFFFFFF, 16384000},  // ceiling
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    MEMORYSTATUS status = {};
    status.dwAvailPhys = rows[row].availPhys;
    status.dwAvailPageFile = rows[row].availPageFile;
    EXPECT_EQ(rows[row].budget, QVHeapManager::PoolBudgetFor(status)) << "row " << row;
  }
  const size_t budget = QVHeapManager::Get().GetPoolBudget();
  EXPECT_GE(budget, 4096000u);
  EXPECT_LE(budget, 16384000u);
}

TEST(HeapRoundRobin, LargeRequestsWalkAllGeneralHeapsInTurn) {
  IHeap* first = Mem_DefaultHeap(500);
  IHeap* second = Mem_DefaultHeap(500);
  EXPECT_NE(first, second);
  EXPECT_TRUE(IsGeneralHeap(first));
  EXPECT_TRUE(IsGeneralHeap(second));
  std::vector<IHeap*> seen = {first, second};
  for (int i = 2; i < QVHeapManager::GENERAL_HEAPS; ++i) seen.push_back(Mem_DefaultHeap(500));
  for (size_t i = 0; i < seen.size(); ++i)
    for (size_t j = i + 1; j < seen.size(); ++j) EXPECT_NE(seen[i], seen[j]) << i << " and " << j;
  EXPECT_EQ(first, Mem_DefaultHeap(500)) << "after 48 calls the first heap comes again";
}

TEST(HeapBlocks, EveryBlockIsZeroFilled) {
  const int sizes[] = {9, 24, 64, 131, 191, 192, 1000, 70000};
  for (size_t row = 0; row < sizeof sizes / sizeof sizes[0]; ++row) {
    IHeap* heap = Mem_DefaultHeap(sizes[row]);
    // Dirty a block and give it back: a pool hands the same block out again next.
    void* dirty = heap->Alloc(sizes[row]);
    memset(dirty, 0xAA, sizes[row]);
    heap->Free(dirty);
    void* block = heap->Alloc(sizes[row]);
    EXPECT_TRUE(AllBytesAre(block, sizes[row], 0)) << "row " << row << " size " << sizes[row];
    heap->Free(block);
  }
}

TEST(HeapBlocks, PoolBlocksAreFullyClearedNotJustTheRequestedBytes) {
  IHeap* pool = Mem_DefaultHeap(40);
  void* dirty = pool->Alloc(40);
  memset(dirty, 0xCD, 45);
  pool->Free(dirty);
  void* block = pool->Alloc(1);
  EXPECT_EQ(dirty, block);
  EXPECT_TRUE(AllBytesAre(block, 45, 0));
  pool->Free(block);
}

TEST(HeapBlocks, PoolRefusesRequestsBeyondItsBlockSize) {
  IHeap* pool = Mem_DefaultHeap(30);
  EXPECT_THROW(pool->Alloc(36), CXMemException);
  void* block = pool->Alloc(35);
  EXPECT_THROW(pool->ReAlloc(block, 36), CXMemException);
  pool->Free(block);
}

TEST(HeapBlocks, PoolReAllocKeepsTheBytesThatFitAndClearsTheRest) {
  IHeap* pool = Mem_DefaultHeap(30);
  unsigned char* block = static_cast<unsigned char*>(pool->Alloc(35));
  memset(block, 0x5A, 35);
  unsigned char* same = static_cast<unsigned char*>(pool->ReAlloc(block, 10));
  EXPECT_EQ(block, same);
  EXPECT_TRUE(AllBytesAre(same, 10, 0x5A));
  EXPECT_TRUE(AllBytesAre(same + 10, 25, 0));
  void* fresh = pool->ReAlloc(nullptr, 20);
  EXPECT_NE(nullptr, fresh);
  pool->Free(fresh);
  pool->Free(same);
}

TEST(HeapBlocks, CHeapReAllocKeepsOldContents) {
  IHeap* heap = new_MemoryHeap(4096);
  unsigned char* block = static_cast<unsigned char*>(heap->Alloc(100));
  EXPECT_GE(heap->GetBlockSize(block), 100u);
  EXPECT_EQ(4u, heap->GetBlockOverhead());
  for (int i = 0; i < 100; ++i) block[i] = static_cast<unsigned char>(i + 1);
  unsigned char* grown = static_cast<unsigned char*>(heap->ReAlloc(block, 5000));
  for (int i = 0; i < 100; ++i) ASSERT_EQ(i + 1, grown[i]) << "byte " << i;
  EXPECT_TRUE(AllBytesAre(grown + 100, 4900, 0));
  unsigned char* shrunk = static_cast<unsigned char*>(heap->ReAlloc(grown, 40));
  for (int i = 0; i < 40; ++i) ASSERT_EQ(i + 1, shrunk[i]) << "byte " << i;
  heap->Free(shrunk);
  EXPECT_EQ(0, heap->Release());
}

TEST(HeapBlocks, CHeapFreeUsesTheHiddenOwnerWhicheverHeapIsAsked) {
  IHeap* a = new_MemoryHeap(4096);
  IHeap* b = new_MemoryHeap(4096);
  void* block = a->Alloc(64);
  EXPECT_EQ(static_cast<CHeap*>(a), *reinterpret_cast<CHeap**>(static_cast<char*>(block) - 4));
  unsigned bytes0, ops0, bytes1, ops1;
  Get_CoreActivity(&bytes0, &ops0);
  b->Free(block);  // must reach heap a, or a's HeapDestroy below would fail on b's lock-free heap
  Get_CoreActivity(&bytes1, &ops1);
  EXPECT_EQ(ops0 + 1, ops1);
  a->Release();
  b->Release();
}

TEST(HeapUseLimit, FullPoolIsPassedOverUntilBlocksComeBack) {
  const int size = 187;
  IHeap* pool = Mem_DefaultHeap(size);
  QVPoolHeap* state = QVHeapManager::Get().FindPool(size);
  ASSERT_EQ(static_cast<IHeap*>(state), pool);
  std::vector<void*> blocks;
  while (state->GetBlocksInUse() <= state->GetUseLimit()) blocks.push_back(pool->Alloc(size));
  EXPECT_EQ(state->GetUseLimit() + 1, state->GetBlocksInUse());
  IHeap* overflow = Mem_DefaultHeap(size);
  EXPECT_NE(pool, overflow);
  EXPECT_TRUE(IsGeneralHeap(overflow));
  pool->Free(blocks.back());
  blocks.pop_back();
  EXPECT_EQ(pool, Mem_DefaultHeap(size)) << "at the limit itself the pool serves again";
  for (void* block : blocks) pool->Free(block);
  EXPECT_EQ(0u, state->GetBlocksInUse());
}

TEST(HeapPrivatePool, GivesItsHeapBackOnceAFilledChunkIsAllReturned) {
  const size_t heapsBefore = QVHeapManager::Get().GetHeapCount();
  QVPoolHeap pool(40, 4096000, new_MemoryHeap(4096), true);
  EXPECT_EQ(heapsBefore + 1, QVHeapManager::Get().GetHeapCount());
  IHeap* firstBacking = pool.GetBackingHeap();
  const size_t perChunk = pool.GetBlocksPerChunk();

  // One block out and back without a filled chunk: nothing is given back.
  pool.Free(pool.Alloc(40));
  EXPECT_EQ(firstBacking, pool.GetBackingHeap());
  EXPECT_EQ(perChunk, pool.GetFreeCount());

  std::vector<void*> blocks;
  for (size_t i = 0; i < perChunk + 3; ++i) blocks.push_back(pool.Alloc(40));
  for (size_t i = 0; i + 1 < blocks.size(); ++i) pool.Free(blocks[i]);
  EXPECT_EQ(firstBacking, pool.GetBackingHeap()) << "one block still in use";
  EXPECT_EQ(2 * perChunk - 1, pool.GetFreeCount());

  pool.Free(blocks.back());
  EXPECT_NE(firstBacking, pool.GetBackingHeap());
  EXPECT_EQ(0u, pool.GetFreeCount()) << "the free list starts again empty";
  EXPECT_EQ(heapsBefore + 1, QVHeapManager::Get().GetHeapCount()) << "old heap destroyed, new one made";

  void* again = pool.Alloc(40);
  EXPECT_TRUE(AllBytesAre(again, 45, 0));
  pool.Free(again);
}

TEST(HeapPrivatePool, SharedBackingKeepsItsChunks) {
  QVPoolHeap pool(50, 4096000, Mem_DefaultHeap(5000), false);
  IHeap* backing = pool.GetBackingHeap();
  std::vector<void*> blocks;
  for (size_t i = 0; i < pool.GetBlocksPerChunk(); ++i) blocks.push_back(pool.Alloc(50));
  for (void* block : blocks) pool.Free(block);
  EXPECT_EQ(backing, pool.GetBackingHeap());
  EXPECT_EQ(pool.GetBlocksPerChunk(), pool.GetFreeCount());
}

TEST(HeapPrivateHeaps, NewMemoryHeapIsCountedAndDestroyedOnRelease) {
  const size_t heapsBefore = QVHeapManager::Get().GetHeapCount();
  IHeap* heap = new_MemoryHeap(10000);
  EXPECT_EQ(heapsBefore + 1, QVHeapManager::Get().GetHeapCount());
  EXPECT_FALSE(IsGeneralHeap(heap));
  EXPECT_EQ(QV_OWNER_CRT, *reinterpret_cast<IHeap**>(reinterpret_cast<char*>(static_cast<CHeap*>(heap)) - 4))
      << "the heap object itself lives in the C runtime heap";
  EXPECT_EQ(2, heap->AddRef());
  EXPECT_EQ(1, heap->Release());
  EXPECT_EQ(0, heap->Release());
  EXPECT_EQ(heapsBefore, QVHeapManager::Get().GetHeapCount());
}

TEST(HeapActivity, CountsBytesAndOperationsOfWin32Heaps) {
  IHeap* heap = new_MemoryHeap(4096);
  unsigned bytes0, ops0, bytes1, ops1, bytes2, ops2;
  Get_CoreActivity(&bytes0, &ops0);
  void* block = heap->Alloc(1000);
  Get_CoreActivity(&bytes1, &ops1);
  EXPECT_EQ(bytes0 + 1000, bytes1);
  EXPECT_EQ(ops0 + 1, ops1);
  block = heap->ReAlloc(block, 3000);
  heap->Free(block);
  Get_CoreActivity(&bytes2, &ops2);
  EXPECT_EQ(bytes1 + 3000, bytes2);
  EXPECT_EQ(ops1 + 2, ops2);
  EXPECT_EQ(__core_activity.operations, ops2);
  heap->Release();

  // A pool block from an existing chunk never reaches a Win32 heap.
  IHeap* pool = Mem_DefaultHeap(77);
  pool->Free(pool->Alloc(77));
  Get_CoreActivity(&bytes1, &ops1);
  pool->Free(pool->Alloc(77));
  Get_CoreActivity(&bytes2, &ops2);
  EXPECT_EQ(ops1, ops2);
  Get_CoreActivity(nullptr, nullptr);
}

TEST(HeapOwnerWord, BlocksCarryTheirHeapAndAreFreedThroughIt) {
  void* small = QVAllocBlock(20, nullptr);
  EXPECT_EQ(Mem_DefaultHeap(24), *reinterpret_cast<IHeap**>(static_cast<char*>(small) - 4));
  QVFreeBlock(small);

  IHeap* heap = new_MemoryHeap(4096);
  void* mine = QVAllocBlock(300, heap);
  EXPECT_EQ(heap, *reinterpret_cast<IHeap**>(static_cast<char*>(mine) - 4));
  unsigned bytes0, ops0, bytes1, ops1;
  Get_CoreActivity(&bytes0, &ops0);
  QVFreeBlock(mine);
  Get_CoreActivity(&bytes1, &ops1);
  EXPECT_EQ(ops0 + 1, ops1);
  heap->Release();

  void* crt = QVCrtAllocBlock(16);
  EXPECT_EQ(QV_OWNER_CRT, *reinterpret_cast<IHeap**>(static_cast<char*>(crt) - 4));
  EXPECT_TRUE(AllBytesAre(crt, 16, 0));
  QVFreeBlock(crt);

  // Owner word 0: freed through the default heap, which finds the real Win32 heap itself.
  void* raw = Mem_DefaultHeap(1000)->Alloc(1000);
  *static_cast<IHeap**>(raw) = QV_OWNER_DEFAULT_HEAP;
  QVFreeBlock(static_cast<char*>(raw) + 4);

  QVFreeBlock(nullptr);
  char* copy = QVStrDup("text");
  EXPECT_STREQ("text", copy);
  QVFreeBlock(copy);
  EXPECT_EQ(nullptr, QVStrDup(nullptr));
}

TEST(HeapOwnerWord, OversizedRequestsFailCleanly) {
  EXPECT_THROW(QVAllocBlock(0xFFFFFFF0u, nullptr), CXMemException);
  EXPECT_THROW(QVCrtAllocBlock(0xFFFFFFF0u), CXMemException);
}

// The one sink of the process: answers from a script, then gives up.
class ScriptedSink : public ILowMemoryNotifySink {
 public:
  int OnLowMemory(int attempt) override {
    attempts.push_back(attempt);
    if (answers.empty()) return 0;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<int> answers;
  std::vector<int> attempts;
};

ScriptedSink& InstalledSink() {
  static ScriptedSink sink;
  static bool installed = false;
  if (!installed) {
    Mem_SetLowMemoryNotifySink(&sink);
    installed = true;
  }
  return sink;
}

TEST(HeapLowMemory, SecondSinkRaisesCode10) {
  InstalledSink();
  ScriptedSink other;
  try {
    Mem_SetLowMemoryNotifySink(&other);
    FAIL() << "no exception";
  } catch (const CXMemException&) {
    FAIL() << "wrong class";
  } catch (const CXException& e) {
    EXPECT_EQ(10, e.GetCode());
  }
}

TEST(HeapLowMemory, FailingAllocationIsTriedUntilTheSinkGivesUp) {
  ScriptedSink& sink = InstalledSink();
  IHeap* heap = new_MemoryHeap(4096);
  sink.answers = {1, 1, 0};
  sink.attempts.clear();
  try {
    heap->Alloc(0x7FFE0000);  // more than a 32-bit process can have in one piece
    FAIL() << "no exception";
  } catch (const CXMemException& e) {
    EXPECT_EQ(2, e.GetCode());
  }
  EXPECT_EQ((std::vector<int>{0, 1, 2}), sink.attempts);

  sink.answers = {};
  sink.attempts.clear();
  EXPECT_THROW(heap->ReAlloc(heap->Alloc(8), 0x7FFE0000), CXMemException);
  EXPECT_EQ((std::vector<int>{0}), sink.attempts);
  heap->Release();
}

TEST(HeapLowMemory, FailingHeapCreationAsksTheSinkToo) {
  ScriptedSink& sink = InstalledSink();
  const size_t heapsBefore = QVHeapManager::Get().GetHeapCount();
  sink.answers = {1, 0};
  sink.attempts.clear();
  EXPECT_THROW(new_MemoryHeap(0x7FFE0000), CXMemException);
  EXPECT_EQ((std::vector<int>{0, 1}), sink.attempts);
  EXPECT_EQ(heapsBefore, QVHeapManager::Get().GetHeapCount());
}

}  // namespace

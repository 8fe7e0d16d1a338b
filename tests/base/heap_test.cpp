// Heap manager: size classes, zero-filled pool blocks that never overlap, use limits, private pools,
// oversized requests.
#include "base/heap.h"

#include <gtest/gtest.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "base/exceptions.h"
#include "base/heap_manager.h"
#include "base/pool_heap.h"

namespace {

bool AllBytesAre(const void* block, size_t size, unsigned char value) {
  const unsigned char* p = static_cast<const unsigned char*>(block);
  for (size_t i = 0; i < size; ++i)
    if (p[i] != value) return false;
  return true;
}

TEST(HeapBlocks, EveryBlockIsZeroFilled) {
  const int sizes[] = {9, 24, 64, 131, 191, 192, 1000, 70000};
  for (size_t row = 0; row < sizeof sizes / sizeof sizes[0]; ++row) {
    IHeap* heap = Mem_DefaultHeap(sizes[row]);
    // Dirty a block and give it back: a pool hands the same block out again next, and
    // clears all of it, not just the bytes asked for.
    void* dirty = heap->Alloc(sizes[row]);
    memset(dirty, 0xAA, sizes[row]);
    heap->Free(dirty);
    const int asked = sizes[row] < 192 ? 1 : sizes[row];
    void* block = heap->Alloc(asked);
    EXPECT_TRUE(asked > 1 || block == dirty) << "row " << row << ": the pool hands the same block out";
    EXPECT_TRUE(AllBytesAre(block, sizes[row], 0)) << "row " << row << " size " << sizes[row];
    heap->Free(block);
  }
}

TEST(HeapBlocks, PoolReAllocKeepsTheBytesThatFitAndClearsTheRest) {
  IHeap* pool = Mem_DefaultHeap(30);
  unsigned char* block = static_cast<unsigned char*>(pool->Alloc(35));
  memset(block, 0x5A, 35);
  unsigned char* same = static_cast<unsigned char*>(pool->ReAlloc(block, 10));
  EXPECT_EQ(block, same);
  EXPECT_TRUE(AllBytesAre(same, 10, 0x5A));
  EXPECT_TRUE(AllBytesAre(same + 10, 25, 0));
  pool->Free(same);
}

TEST(HeapBlocks, PrivatePoolBlocksNeverOverlapAndItsHeapGoesBackWithTheLastBlock) {
  const int sizes[] = {9, 40, 191};
  for (size_t row = 0; row < sizeof sizes / sizeof sizes[0]; ++row) {
    const size_t heapsBefore = QVHeapManager::Get().GetHeapCount();
    QVPoolHeap pool(sizes[row], 4096000, new_MemoryHeap(4096), true);
    IHeap* firstBacking = pool.GetBackingHeap();
    const size_t blockSize = pool.GetBlockSize(nullptr);
    // Two chunks and some: blocks of different chunks and of one chunk.
    std::vector<unsigned char*> blocks;
    for (size_t i = 0; i < 2 * pool.GetBlocksPerChunk() + 3; ++i) {
      blocks.push_back(static_cast<unsigned char*>(pool.Alloc(blockSize)));
      memset(blocks.back(), static_cast<int>(i % 251) + 1, blockSize);
    }
    for (size_t i = 0; i < blocks.size(); ++i)
      ASSERT_TRUE(AllBytesAre(blocks[i], blockSize, static_cast<unsigned char>(i % 251 + 1)))
          << "row " << row << ": block " << i << " of " << blocks.size() << " was written through another";
    std::vector<unsigned char*> sorted(blocks);
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 1; i < sorted.size(); ++i)
      ASSERT_GE(static_cast<size_t>(sorted[i] - sorted[i - 1]), blockSize) << "row " << row << " block " << i;

    for (size_t i = 1; i < blocks.size(); ++i) pool.Free(blocks[i]);
    EXPECT_EQ(firstBacking, pool.GetBackingHeap()) << "row " << row << ": one block still in use";
    pool.Free(blocks[0]);
    EXPECT_NE(firstBacking, pool.GetBackingHeap()) << "row " << row;
    EXPECT_EQ(0u, pool.GetFreeCount()) << "row " << row << ": the free list starts again empty";
    EXPECT_EQ(heapsBefore + 1, QVHeapManager::Get().GetHeapCount()) << "row " << row << ": old heap gone";
  }
}

TEST(HeapOwnerWord, OversizedRequestsFailCleanly) {
  EXPECT_THROW(QVAllocBlock(0xFFFFFFF0u, nullptr), CXMemException);
  EXPECT_THROW(QVCrtAllocBlock(0xFFFFFFF0u), CXMemException);
}

}  // namespace

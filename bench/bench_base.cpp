// Base library benchmark: pool heaps against malloc/free and the process heap, CXString
// copies against std::string, Format against snprintf. Prints figures and ratios measured
// in one run; asserts nothing.
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/heap.h"
#include "base/xstring.h"
#include "bench/stopwatch.h"

namespace {

volatile unsigned g_sink;  // keeps results alive so no loop is optimised away

// Sizes spread over 9 to 191 bytes, the same sequence for every contender.
std::vector<int> SpreadSizes(size_t count) {
  std::vector<int> sizes(count);
  unsigned state = 12345;
  for (int& size : sizes) {
    state = state * 1103515245u + 12345u;
    size = 9 + static_cast<int>((state >> 16) % 183);
  }
  return sizes;
}

struct PoolAllocator {
  static void* Alloc(int size, IHeap*& heap) {
    heap = Mem_DefaultHeap(size);
    return heap->Alloc(size);
  }
  static void Free(void* block, IHeap* heap) { heap->Free(block); }
};
struct CrtAllocator {
  static void* Alloc(int size, IHeap*&) { return malloc(size); }
  static void Free(void* block, IHeap*) { free(block); }
};
struct ProcessHeapAllocator {
  static void* Alloc(int size, IHeap*&) { return HeapAlloc(GetProcessHeap(), 0, size); }
  static void Free(void* block, IHeap*) { HeapFree(GetProcessHeap(), 0, block); }
};

template <class Allocator>
double PairsNs(const std::vector<int>& sizes, int rounds) {
  Stopwatch watch;
  unsigned sum = 0;
  for (int round = 0; round < rounds; ++round) {
    for (int size : sizes) {
      IHeap* heap = nullptr;
      auto* block = static_cast<unsigned char*>(Allocator::Alloc(size, heap));
      block[size - 1] = 1;
      sum += block[0];
      Allocator::Free(block, heap);
    }
  }
  g_sink = sum;
  return watch.Seconds() * 1e9 / (static_cast<double>(rounds) * sizes.size());
}

template <class Allocator>
double BurstNs(const std::vector<int>& sizes, int rounds) {
  std::vector<void*> blocks(sizes.size());
  std::vector<IHeap*> heaps(sizes.size());
  Stopwatch watch;
  unsigned sum = 0;
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < sizes.size(); ++i) {
      auto* block = static_cast<unsigned char*>(Allocator::Alloc(sizes[i], heaps[i]));
      block[0] = static_cast<unsigned char>(i);
      blocks[i] = block;
    }
    for (size_t i = 0; i < sizes.size(); ++i) {
      sum += *static_cast<unsigned char*>(blocks[i]);
      Allocator::Free(blocks[i], heaps[i]);
    }
  }
  g_sink = sum;
  return watch.Seconds() * 1e9 / (static_cast<double>(rounds) * sizes.size());
}

void ReportHeaps() {
  const std::vector<int> sizes = SpreadSizes(10000);
  // Warm up: the pools make their first chunks, the heaps grow to their working size.
  BurstNs<PoolAllocator>(sizes, 2);
  BurstNs<CrtAllocator>(sizes, 2);
  BurstNs<ProcessHeapAllocator>(sizes, 2);

  const double pairsPool = PairsNs<PoolAllocator>(sizes, 200);
  const double pairsCrt = PairsNs<CrtAllocator>(sizes, 200);
  const double pairsProcess = PairsNs<ProcessHeapAllocator>(sizes, 200);
  printf("Allocate-and-free pairs, sizes 9-191 (ns per pair):\n");
  printf("  Mem_DefaultHeap pools  %8.1f\n", pairsPool);
  printf("  malloc/free            %8.1f   pools %.2fx faster\n", pairsCrt, pairsCrt / pairsPool);
  printf("  HeapAlloc/HeapFree     %8.1f   pools %.2fx faster\n", pairsProcess, pairsProcess / pairsPool);

  const double burstPool = BurstNs<PoolAllocator>(sizes, 100);
  const double burstCrt = BurstNs<CrtAllocator>(sizes, 100);
  const double burstProcess = BurstNs<ProcessHeapAllocator>(sizes, 100);
  printf("Bursts of 10,000 live blocks, sizes 9-191 (ns per block, allocation and free):\n");
  printf("  Mem_DefaultHeap pools  %8.1f\n", burstPool);
  printf("  malloc/free            %8.1f   pools %.2fx faster\n", burstCrt, burstCrt / burstPool);
  printf("  HeapAlloc/HeapFree     %8.1f   pools %.2fx faster\n", burstProcess, burstProcess / burstPool);
}

void ReportStrings() {
  const std::string text(100, 'x');
  const int rounds = 1000000;

  const CXString source(text.c_str());
  Stopwatch cxWatch;
  unsigned sum = 0;
  for (int i = 0; i < rounds; ++i) {
    CXString copy(source);
    CXString assigned;
    assigned = copy;
    sum += static_cast<const char*>(assigned)[i % 100];
  }
  const double cxNs = cxWatch.Seconds() * 1e9 / rounds;

  const std::string stdSource(text);
  Stopwatch stdWatch;
  for (int i = 0; i < rounds; ++i) {
    std::string copy(stdSource);
    std::string assigned;
    assigned = copy;
    sum += assigned[i % 100];
  }
  const double stdNs = stdWatch.Seconds() * 1e9 / rounds;
  g_sink = sum;
  printf("Copy and assignment of a 100-character string (ns per copy + assignment):\n");
  printf("  CXString               %8.1f\n", cxNs);
  printf("  std::string            %8.1f   CXString %.2fx faster\n", stdNs, stdNs / cxNs);

  const int formats = 200000;
  Stopwatch formatWatch;
  for (int i = 0; i < formats; ++i) {
    CXString s;
    s.Format("%s #%d: %.2f%%", "item", i, i * 0.5);
    sum += s.GetSize();
  }
  const double formatNs = formatWatch.Seconds() * 1e9 / formats;
  Stopwatch snprintfWatch;
  for (int i = 0; i < formats; ++i) {
    const int length = snprintf(nullptr, 0, "%s #%d: %.2f%%", "item", i, i * 0.5);
    std::string s(static_cast<size_t>(length), '\0');
    snprintf(&s[0], s.size() + 1, "%s #%d: %.2f%%", "item", i, i * 0.5);
    sum += static_cast<unsigned>(s.size());
  }
  const double snprintfNs = snprintfWatch.Seconds() * 1e9 / formats;
  g_sink = sum;
  printf("Formatting \"%%s #%%d: %%.2f%%%%\" (ns per string):\n");
  printf("  CXString::Format       %8.1f\n", formatNs);
  printf("  snprintf + std::string %8.1f   Format %.2fx the time of snprintf\n", snprintfNs,
         formatNs / snprintfNs);
}

}  // namespace

int main() {
  printf("bench_base: base library heaps and strings, single thread\n");
  ReportHeaps();
  ReportStrings();
  return 0;
}

// The block behind a CXString: a 16-byte header directly in front of the characters.
#pragma once

#include <stddef.h>

#include "base/mbcs.h"

struct IHeap;

namespace xstr {

struct Header {
  IHeap* heap;    // the owner word
  long refs;      // 1 fresh, -1 while locked by GetBuffer
  long size;      // bytes last requested or stored; the length is always measured
  long capacity;  // usable bytes after the header
  char* data() { return reinterpret_cast<char*>(this + 1); }
};
static_assert(sizeof(Header) == 16, "the header is four words");

// Larger buffers would overflow the block arithmetic.
const size_t kLargestBuffer = 0x7FFF0000;

extern long g_emptyRep[5];
inline char* EmptyData() { return reinterpret_cast<char*>(&g_emptyRep[4]); }
inline Header* HeaderOf(char* data) { return reinterpret_cast<Header*>(data) - 1; }

// A zero-filled block for n bytes (terminator included), count 1.
Header* NewBlock(size_t n);
void FreeBlock(Header* header);

}  // namespace xstr

// A growable array of pointers kept in pages of its own (VirtualAlloc), so the pools'
// free lists never compete with the blocks they manage.
#pragma once

#include <stddef.h>

class CSimplePtrArray {
 public:
  enum { GROW_BY = 1024 };

  CSimplePtrArray() = default;
  ~CSimplePtrArray();
  CSimplePtrArray(const CSimplePtrArray&) = delete;
  CSimplePtrArray& operator=(const CSimplePtrArray&) = delete;

  // Throws CXMemException when the array cannot grow.
  void Push(void* item) {
    if (m_count == m_capacity) Grow(m_capacity + GROW_BY);
    m_items[m_count++] = item;
  }
  // The last item; the array must not be empty.
  void* Pop() { return m_items[--m_count]; }
  size_t GetCount() const { return m_count; }
  size_t GetCapacity() const { return m_capacity; }
  // Grows, by whole steps, until n entries fit.
  void Reserve(size_t n) {
    if (n > m_capacity) Grow((n + GROW_BY - 1) / GROW_BY * GROW_BY);
  }
  // Drops every entry and the storage, then prepares room for GROW_BY entries (when it can).
  void Reset();

 private:
  void Grow(size_t capacity);
  void FreeStorage();

  size_t m_count = 0;
  size_t m_capacity = 0;
  void** m_items = nullptr;
};

#include "base/ptr_array.h"

#include <string.h>
#include <windows.h>

#include "base/exceptions.h"

CSimplePtrArray::~CSimplePtrArray() { FreeStorage(); }

void CSimplePtrArray::Reset() {
  FreeStorage();
  m_count = 0;
  try {
    Grow(GROW_BY);
  } catch (const CXMemException&) {
    // Left without storage; the next Push tries again.
  }
}

void CSimplePtrArray::Grow(size_t capacity) {
  if (capacity > 0x3FFFFFFF / sizeof(void*)) throw CXMemException();
  void* fresh = VirtualAlloc(nullptr, capacity * sizeof(void*), MEM_COMMIT, PAGE_READWRITE);
  if (!fresh) throw CXMemException();
  if (m_items) memcpy(fresh, m_items, m_count * sizeof(void*));
  FreeStorage();
  m_items = static_cast<void**>(fresh);
  m_capacity = capacity;
}

void CSimplePtrArray::FreeStorage() {
  if (m_items) VirtualFree(m_items, 0, MEM_RELEASE);
  m_items = nullptr;
  m_capacity = 0;
}

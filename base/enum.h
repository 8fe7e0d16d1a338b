// CTEnum: the enumerator interface, and an implementation over an array of items.
#pragma once

#include <windows.h>

#include "base/alloc.h"
#include "base/unknown_impl.h"

template <class T>
struct CTEnum : IQVUnknown {
  // Copies up to count items from the current position and moves past them; fetched (when
  // given) receives the number copied. TRUE when at least one was copied.
  virtual BOOL Next(unsigned long count, T* items, unsigned long* fetched) = 0;
  virtual BOOL Skip(unsigned long count) = 0;
  // Back to the first item.
  virtual void Reset() = 0;
};

// An enumerator over an array of items that it owns, optionally keeping an owner object
// alive while it exists.
template <class T>
class CTArrayEnum : public CQVUnknownImpl<CTEnum<T>> {
 public:
  explicit CTArrayEnum(IQVUnknown* owner = nullptr) : m_owner(owner) {
    if (m_owner) m_owner->AddRef();
  }
  ~CTArrayEnum() override {
    QVFreeBlock(m_items);
    if (m_owner) m_owner->Release();
  }

  BOOL Next(unsigned long count, T* items, unsigned long* fetched) override {
    unsigned long copied = 0;
    for (; copied < count && m_position < m_count; ++copied) items[copied] = m_items[m_position++];
    if (fetched) *fetched = copied;
    return copied > 0;
  }
  // Always TRUE; skipping past the end leaves nothing to fetch.
  BOOL Skip(unsigned long count) override {
    m_position = count >= m_count - m_position ? m_count : m_position + count;
    return TRUE;
  }
  void Reset() override { m_position = 0; }

  unsigned long GetCount() const { return m_count; }

 protected:
  // Room for count items, owned by the enumerator.
  T* AllocItems(unsigned long count) {
    QVFreeBlock(m_items);
    m_items = nullptr;
    m_count = m_position = 0;
    m_items = static_cast<T*>(QVAllocBlock((count ? count : 1) * sizeof(T), nullptr));
    return m_items;
  }
  void SetCount(unsigned long count) { m_count = count; }

 private:
  IQVUnknown* m_owner;
  T* m_items = nullptr;
  unsigned long m_count = 0;
  unsigned long m_position = 0;
};

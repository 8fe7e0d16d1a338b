// The reference-counting implementation templates every library object is built on.
#pragma once

#include "base/alloc.h"
#include "base/unknown.h"

// Reference counting and QueryInterface for IQVUnknown and T, once for every T.
template <class T>
class CQVUnknownImpl : public T {
 public:
  CQVUnknownImpl() = default;
  CQVUnknownImpl(const CQVUnknownImpl&) = delete;
  CQVUnknownImpl& operator=(const CQVUnknownImpl&) = delete;
  virtual ~CQVUnknownImpl() {}

  long AddRef() override { return ++m_refCount; }
  long Release() override {
    const long count = --m_refCount;
    if (count == 0) delete this;
    return count;
  }
  BOOL QueryInterface(const std::type_info& type, void** out) override {
    T* self = this;
    void* found = nullptr;
    if (QVIsInterface<T>(type))
      found = self;
    else if (QVIsInterface<IQVUnknown>(type))
      found = static_cast<IQVUnknown*>(self);
    return QVAnswerQuery(found, self, out);
  }

  // Library objects live in the library's heaps with the owner word in front.
  static void* operator new(size_t size) { return QVAllocBlock(size, nullptr); }
  static void operator delete(void* block) { QVFreeBlock(block); }

 protected:
  long m_refCount = 1;
};

// An implementation that holds one reference on a parent object.
template <class T, class U>
class CQVUnknownImplParent : public CQVUnknownImpl<T> {
 public:
  ~CQVUnknownImplParent() override { DropParent(); }

  long Release() override {
    const long count = --this->m_refCount;
    if (count == 0) {
      DropParent();
      delete this;
    }
    return count;
  }
  // References the new parent before dropping the old one, so p may be the current parent.
  virtual void SetParent(U* parent) {
    if (parent) parent->AddRef();
    DropParent();
    m_parent = parent;
  }
  // The parent with one reference for the caller, or null.
  virtual U* GetParent() {
    if (m_parent) m_parent->AddRef();
    return m_parent;
  }

 private:
  void DropParent() {
    if (U* old = m_parent) {
      m_parent = nullptr;
      old->Release();
    }
  }
  U* m_parent = nullptr;
};

// An owned reference on a library interface, released when the holder goes out of scope.
#pragma once

#include <utility>

template <class T>
class QVRef {
 public:
  QVRef() = default;
  // Takes over a reference the caller already owns.
  explicit QVRef(T* owned) : m_ptr(owned) {}
  ~QVRef() { Reset(); }
  QVRef(const QVRef&) = delete;
  QVRef& operator=(const QVRef&) = delete;
  QVRef(QVRef&& other) noexcept : m_ptr(other.Detach()) {}
  QVRef& operator=(QVRef&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }

  T* Get() const { return m_ptr; }
  T* operator->() const { return m_ptr; }
  explicit operator bool() const { return m_ptr != nullptr; }

  // Drops the held reference and takes over owned.
  void Reset(T* owned = nullptr) {
    T* old = m_ptr;
    m_ptr = owned;
    if (old) old->Release();
  }
  // Hands the reference to the caller.
  T* Detach() { return std::exchange(m_ptr, nullptr); }

 private:
  T* m_ptr = nullptr;
};

// A critical section owned by its object, and a scope that holds it.
#pragma once

#include <windows.h>

class QVCriticalSection {
 public:
  QVCriticalSection() { InitializeCriticalSection(&m_section); }
  ~QVCriticalSection() { DeleteCriticalSection(&m_section); }
  QVCriticalSection(const QVCriticalSection&) = delete;
  QVCriticalSection& operator=(const QVCriticalSection&) = delete;

  void Enter() { EnterCriticalSection(&m_section); }
  void Leave() { LeaveCriticalSection(&m_section); }

 private:
  CRITICAL_SECTION m_section;
};

class QVLock {
 public:
  explicit QVLock(QVCriticalSection& section) : m_section(section) { m_section.Enter(); }
  ~QVLock() { m_section.Leave(); }
  QVLock(const QVLock&) = delete;
  QVLock& operator=(const QVLock&) = delete;

 private:
  QVCriticalSection& m_section;
};

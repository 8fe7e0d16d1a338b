// The exceptions the library throws, by value.
#pragma once

#include <windows.h>

#include <typeinfo>

#include "base/api.h"

// Codes shared by the exception classes.
enum {
  QVERR_MEMORY = 2,     // memory exhausted
  QVERR_INTERFACE = 10  // a required interface is missing; also: a second low-memory sink
};

class TW_BASE_API CXException {
 public:
  explicit CXException(int code);
  CXException(const CXException&) = default;
  CXException& operator=(const CXException&) = default;
  virtual ~CXException();

  virtual int GetCode() const;
  // Does nothing in every class.
  virtual void Reserved() const;

  // The module whose code raised the exception.
  HMODULE GetModule() const { return m_hModule; }

 protected:
  CXException(int code, const void* raisedAt);

 private:
  int m_code;
  HMODULE m_hModule;
};

class TW_BASE_API CXMemException : public CXException {
 public:
  CXMemException();
};

class TW_BASE_API CXIFaceException : public CXException {
 public:
  explicit CXIFaceException(const std::type_info& missing);
  // The interface that was required and missing.
  const std::type_info& GetInterface() const { return *m_missing; }

 private:
  const std::type_info* m_missing;
};

// The file name lives in one of four static 512-byte slots, so throwing never allocates.
// A fifth exception alive at once shares slot 0 with the first.
class TW_BASE_API CXFileException : public CXException {
 public:
  enum { NAME_SLOTS = 4, NAME_SLOT_SIZE = 512 };

  CXFileException(int code, int operation, const char* fileName);
  CXFileException(const CXFileException& other);
  CXFileException& operator=(const CXFileException& other);
  ~CXFileException() override;

  const char* GetFileName() const { return m_fileName; }
  // 0 none, 1 reading, 2 writing, 3 seeking a memory file, or a file-system operation.
  int GetOperation() const { return m_operation; }

 private:
  void Attach(char* slot);
  void Detach();

  char* m_fileName;
  int m_operation;
};

// Memory files: CXMemFile, a read-only file over a caller's block named "fmem::address,size",
// and QVMemFile, a growable file in a private heap.
#pragma once

#include "base/heap.h"
#include "fio/typed_file.h"

// Reads the address and size of a memory-file name (the two first non-empty fields after
// "fmem::", split at "," and "."). A missing, negative or overlong number gives 0.
void FioParseMemFileName(const char* name, unsigned long* address, unsigned long* size);

// Serves as IXFile and as IXOutFile; writing does nothing. The block stays the caller's.
class CXMemFile : public CXTypedFile<IXOutFile> {
 public:
  enum { NAME_SIZE = 512 };

  // Throws CXFileException code 6 for a block that cannot be there (null, or past the end
  // of the address space), code 7 for an overlong name.
  explicit CXMemFile(const char* name);

  int Read(void* buffer, int count) override;
  void Write(const void*, int) override {}
  long Seek(long offset, int origin) override;
  BOOL Flush() override { return TRUE; }
  const char* GetFileName() override { return m_name; }
  void Commit() override {}

 private:
  long m_position = 0;
  long m_size = 0;
  const char* m_block = nullptr;
  char m_name[NAME_SIZE];
};

// A file in memory whose length is its capacity, grown in whole steps of zero bytes.
class QVMemFile : public CXTypedFile<IXFile> {
 public:
  // growBy 0 (or negative) throws CXException code 10; no private heap, CXMemException.
  explicit QVMemFile(long growBy);
  ~QVMemFile() override;

  int Read(void* buffer, int count) override;
  void Write(const void* buffer, int count) override;
  // The result stays between 0 and the capacity; an unknown origin throws code 10.
  long Seek(long offset, int origin) override;
  long GetPosition() override { return m_position; }
  long GetLength() override { return m_capacity; }
  BOOL Flush() override { return TRUE; }
  const char* GetFileName() override { return "MemFile"; }

 private:
  IHeap* m_heap = nullptr;
  char* m_buffer = nullptr;
  long m_capacity = 0;
  long m_position = 0;
  long m_growBy;
};

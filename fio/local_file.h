// CXFile: a local file read and written through a sliding memory-mapped window.
#pragma once

#include "fio/mapped_view.h"
#include "fio/typed_file.h"

class CXFile : public CXTypedFile<IXFile> {
 public:
  enum { NAME_SIZE = 512 };
  enum Access { ACCESS_READ = 1, ACCESS_WRITE = 2 };

  // name null: a new temporary file. Throws CXFileException with the mapped system code.
  CXFile(const char* name, int mode);

  // The last release closes the file, which may throw (the object is freed all the same).
  long Release() override;

  int Read(void* buffer, int count) override;
  void Write(const void* buffer, int count) override;
  long Seek(long offset, int origin) override;
  BOOL Flush() override;
  const char* GetFileName() override { return m_name; }

 private:
  void Open();
  // Makes the view cover position (which must lie before the logical size for reading).
  void MoveWindowTo(long position);
  bool ViewCovers(long position) const {
    return m_view && position >= m_viewOffset && position - m_viewOffset < m_viewSize;
  }
  // Unmaps, closes the mapping, cuts a written file to its logical size and closes it.
  void Close();

  fw::FileHandle m_file;
  fw::Handle m_mapping;
  long m_position = 0;
  long m_size = 0;
  MappedView m_view;
  long m_viewOffset = 0;
  long m_viewSize = 0;
  long m_windowSize;
  int m_mode;
  int m_access;
  char m_name[NAME_SIZE];
};

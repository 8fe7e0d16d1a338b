// CInputBuffer: the logical lines of an INI text. A physical line holds several logical
// lines separated by "|"; ";" ends the last of them and starts a comment.
#pragma once

#include "fio/xfile.h"

class CInputBuffer {
 public:
  enum { LINE_BUFFER_SIZE = 8192 };

  // Holds a reference on file while it lives.
  explicit CInputBuffer(IXFile* file);
  ~CInputBuffer();
  CInputBuffer(const CInputBuffer&) = delete;
  CInputBuffer& operator=(const CInputBuffer&) = delete;

  // The next logical line, never empty, white space trimmed at both ends; null at the end
  // of the file. The text is the caller's to change until the next call.
  char* NextLine();

 private:
  // False at the end of the file.
  bool ReadPhysicalLine();

  IXFile* m_file;
  char* m_line;
  // Where the rest of the current physical line starts, or null when it is used up.
  char* m_rest = nullptr;
};

// CXOutFile: output written to a temporary file beside the target, which replaces the
// target on Commit; the target stays locked while it is written.
#pragma once

#include "base/unknown_impl.h"
#include "fio/xfile.h"

class CXOutFile : public CQVUnknownImpl<IXOutFile> {
 public:
  enum { NAME_SIZE = 512 };

  // temporary is an existing empty file in the target's folder; it is not removed when
  // construction throws (the caller made it and removes it).
  CXOutFile(const char* target, const char* temporary, int mode);
  // Without Commit the target keeps its content and the temporary file goes.
  ~CXOutFile() override;

  int Read(void* buffer, int count) override { return Inner()->Read(buffer, count); }
  void Write(const void* buffer, int count) override { Inner()->Write(buffer, count); }
  long Seek(long offset, int origin) override { return Inner()->Seek(offset, origin); }
  long GetPosition() override { return Inner()->GetPosition(); }
  BOOL Flush() override { return Inner()->Flush(); }
  unsigned char ReadByte() override { return Inner()->ReadByte(); }
  unsigned short ReadWord() override { return Inner()->ReadWord(); }
  unsigned long ReadDword() override { return Inner()->ReadDword(); }
  double ReadDouble() override { return Inner()->ReadDouble(); }
  int ReadLine(char* buffer, int size) override { return Inner()->ReadLine(buffer, size); }
  void WriteByte(unsigned char value) override { Inner()->WriteByte(value); }
  void WriteWord(unsigned short value) override { Inner()->WriteWord(value); }
  void WriteDword(unsigned long value) override { Inner()->WriteDword(value); }
  void WriteDouble(double value) override { Inner()->WriteDouble(value); }
  void WriteString(const char* text) override { Inner()->WriteString(text); }
  long GetLength() override { return Inner()->GetLength(); }
  const char* GetFileName() override { return m_target; }
  // Throws when the temporary file cannot replace the target; the target is then unchanged.
  void Commit() override;

  BOOL QueryInterface(const std::type_info& type, void** out) override;

 private:
  // The open temporary file; after Commit there is none and every operation throws.
  IXFile* Inner();
  void Unlock();

  IXFile* m_inner = nullptr;
  bool m_lockedTarget = false;
  bool m_committed = false;
  char m_target[NAME_SIZE];
  char m_temporary[NAME_SIZE];
};

// The operations every file implementation shares, built on its Read, Write and Seek:
// typed reads and writes, ReadLine, GetPosition and GetLength.
#pragma once

#include <string.h>

#include <type_traits>

#include "base/exceptions.h"
#include "base/unknown_impl.h"
#include "fio/xfile.h"

// The target of Seek from the start, position or end; a negative target is 0. False for an
// unknown origin.
inline bool FioSeekTarget(long offset, int origin, long position, long end, long long* target) {
  switch (origin) {
    case FIO_SEEK_SET:
      *target = offset;
      break;
    case FIO_SEEK_CUR:
      *target = static_cast<long long>(position) + offset;
      break;
    case FIO_SEEK_END:
      *target = static_cast<long long>(end) + offset;
      break;
    default:
      return false;
  }
  if (*target < 0) *target = 0;
  return true;
}

template <class I>
class CXTypedFile : public CQVUnknownImpl<I> {
 public:
  long GetPosition() override { return this->Seek(0, FIO_SEEK_CUR); }
  long GetLength() override {
    const long position = this->Seek(0, FIO_SEEK_CUR);
    const long end = this->Seek(0, FIO_SEEK_END);
    this->Seek(position, FIO_SEEK_SET);
    return end;
  }

  unsigned char ReadByte() override { return ReadExactly<unsigned char>(); }
  unsigned short ReadWord() override { return ReadExactly<unsigned short>(); }
  unsigned long ReadDword() override { return ReadExactly<unsigned long>(); }
  double ReadDouble() override { return ReadExactly<double>(); }

  // Reads to the line feed or the end. At most size - 1 bytes are kept: the rest of a longer
  // line is dropped, so that it never comes back as a line of its own.
  int ReadLine(char* buffer, int size) override {
    if (!buffer || size <= 0) return 0;
    int stored = 0;
    char c;
    while (this->Read(&c, 1) == 1) {
      const bool kept = stored < size - 1;
      if (kept) buffer[stored++] = c;
      if (c == '\n') {
        buffer[stored] = 0;
        return kept ? stored - 1 : stored;
      }
    }
    buffer[stored] = 0;
    return stored;
  }

  void WriteByte(unsigned char value) override { this->Write(&value, sizeof value); }
  void WriteWord(unsigned short value) override { this->Write(&value, sizeof value); }
  void WriteDword(unsigned long value) override { this->Write(&value, sizeof value); }
  void WriteDouble(double value) override { this->Write(&value, sizeof value); }
  void WriteString(const char* text) override {
    if (text) this->Write(text, static_cast<int>(strlen(text)) + 1);
  }

  // An output file is a file as well: it answers for IXFile too.
  BOOL QueryInterface(const std::type_info& type, void** out) override {
    if constexpr (!std::is_same<I, IXFile>::value) {
      if (QVIsInterface<IXFile>(type)) return QVAnswerQuery(static_cast<IXFile*>(this), this, out);
    }
    return CQVUnknownImpl<I>::QueryInterface(type, out);
  }

 private:
  template <class T>
  T ReadExactly() {
    T value{};
    if (this->Read(&value, sizeof value) != static_cast<int>(sizeof value))
      throw CXFileException(FIOERR_END_OF_FILE, FIOOP_READ, this->GetFileName());
    return value;
  }
};

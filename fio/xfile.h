// The file interfaces of the library: one interface over local, memory and URL files.
#pragma once

#include <windows.h>

#include "base/unknown.h"
#include "fio/api.h"

// Codes of the CXException / CXFileException that file operations throw.
enum {
  FIOERR_GENERIC = 2,  // out of resources, or a failure not otherwise classed
  FIOERR_DISK_FULL = 3,
  FIOERR_END_OF_FILE = 4,
  FIOERR_BAD_SEEK = 5,
  FIOERR_FILE_NOT_FOUND = 6,
  FIOERR_BAD_PATH = 7,  // path not found or bad name
  FIOERR_SHARING = 8,   // sharing or lock violation
  FIOERR_ACCESS_DENIED = 9,
  FIOERR_INTERFACE = 10,  // missing interface (CXIFaceException)
  FIOERR_OTHER = 11,
  FIOERR_DEVICE = 12,  // device or media error; also an empty file mapped for reading
  FIOERR_NETWORK = 13,
  FIOERR_TOO_MANY_OPEN = 14
};

// The operation a CXFileException reports (CXFileException::GetOperation).
enum {
  FIOOP_NONE = 0,
  FIOOP_READ = 1,
  FIOOP_WRITE = 2,
  FIOOP_MEMFILE = 3,  // seeking a growable memory file
  FIOOP_LOCK = 5,
  FIOOP_DELETE = 7,
  FIOOP_COPY = 8,
  FIOOP_RENAME = 9,
  FIOOP_CREATE_DIR = 10,
  FIOOP_REMOVE_DIR = 11,
  FIOOP_FILE_INFO = 12,
  FIOOP_SET_CURDIR = 14
};

// Open mode bits of Fio_Open and Fio_OpenOut.
enum {
  FIO_READWRITE = 0x1,    // read-write and exclusive; without it read-only, shared for reading
  FIO_KEEP = 0x2,         // read-write: open the existing file and keep its content
                          // (Fio_OpenOut: keep the target's content, start at its end)
  FIO_RANDOM = 0x100,     // random access expected; without it sequential access is announced
  FIO_TEMPORARY = 0x8000  // read-write: deleted by the system when closed
};

// Seek origins.
enum { FIO_SEEK_SET = 0, FIO_SEEK_CUR = 1, FIO_SEEK_END = 2 };

// A file open for reading (or reading and writing). Numbers are little-endian with their
// natural widths. Failures throw CXFileException; Read at the end returns 0.
struct IXFile : IQVUnknown {
  virtual int Read(void* buffer, int count) = 0;
  virtual void Write(const void* buffer, int count) = 0;
  virtual long Seek(long offset, int origin) = 0;
  virtual long GetPosition() = 0;
  virtual BOOL Flush() = 0;
  virtual unsigned char ReadByte() = 0;
  virtual unsigned short ReadWord() = 0;
  virtual unsigned long ReadDword() = 0;
  virtual double ReadDouble() = 0;
  // Reads up to and including a line feed, storing at most size - 1 bytes and a zero.
  // Returns the bytes stored before the line feed.
  virtual int ReadLine(char* buffer, int size) = 0;
  virtual void WriteByte(unsigned char value) = 0;
  virtual void WriteWord(unsigned short value) = 0;
  virtual void WriteDword(unsigned long value) = 0;
  virtual void WriteDouble(double value) = 0;
  // Writes the text and its terminating zero.
  virtual void WriteString(const char* text) = 0;
  virtual long GetLength() = 0;
  virtual const char* GetFileName() = 0;
};

// A file written aside that replaces its target only on Commit.
struct IXOutFile : IXFile {
  virtual void Commit() = 0;
};

extern "C" {
// A memory file for an "fmem::" name, a URL file for a URL, else a local file; null name:
// a new temporary file. The caller owns one reference.
TW_FIO_API IXFile* Fio_Open(const char* name, int mode);
// An output file for name; what is written replaces the target on Commit. The caller owns
// one reference.
TW_FIO_API IXOutFile* Fio_OpenOut(const char* name, int mode);
// A new empty temporary file ("QVPR" prefix) in the system's temporary folder; a static
// buffer overwritten by the next call, empty when the system refused.
TW_FIO_API const char* Fio_GetTempFileName();
// TRUE when name begins with "fmem::" in any letter case.
TW_FIO_API BOOL Fio_IsMemFile(const char* name);
}

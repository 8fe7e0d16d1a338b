// CXUrlFile and CXUrlOutFile: a URL file read from, or written to, a temporary local copy.
#pragma once

#include "base/exceptions.h"
#include "base/unknown_impl.h"
#include "base/xstring.h"
#include "fio/xfile.h"

// Passes the file operations to the inner file on the temporary copy; the file's name is
// the URL.
template <class I, class Inner>
class CXUrlFileBase : public CQVUnknownImpl<I> {
 public:
  int Read(void* buffer, int count) override { return Get()->Read(buffer, count); }
  void Write(const void* buffer, int count) override { Get()->Write(buffer, count); }
  long Seek(long offset, int origin) override { return Get()->Seek(offset, origin); }
  long GetPosition() override { return Get()->GetPosition(); }
  BOOL Flush() override { return Get()->Flush(); }
  unsigned char ReadByte() override { return Get()->ReadByte(); }
  unsigned short ReadWord() override { return Get()->ReadWord(); }
  unsigned long ReadDword() override { return Get()->ReadDword(); }
  double ReadDouble() override { return Get()->ReadDouble(); }
  int ReadLine(char* buffer, int size) override { return Get()->ReadLine(buffer, size); }
  void WriteByte(unsigned char value) override { Get()->WriteByte(value); }
  void WriteWord(unsigned short value) override { Get()->WriteWord(value); }
  void WriteDword(unsigned long value) override { Get()->WriteDword(value); }
  void WriteDouble(double value) override { Get()->WriteDouble(value); }
  void WriteString(const char* text) override { Get()->WriteString(text); }
  long GetLength() override { return Get()->GetLength(); }
  const char* GetFileName() override { return m_url; }

 protected:
  // After the inner file is gone (a committed output) every operation throws.
  Inner* Get() {
    if (!m_inner) throw CXFileException(FIOERR_GENERIC, FIOOP_NONE, m_url);
    return m_inner;
  }
  // Releases the inner file; a failure to close is not passed on from a destructor.
  void DropInner() {
    if (Inner* inner = m_inner) {
      m_inner = nullptr;
      try {
        inner->Release();
      } catch (const CXException&) {
      }
    }
  }

  Inner* m_inner = nullptr;
  CXString m_url;
  CXString m_temporary;
};

// A downloaded copy of the URL's file, deleted when the file is closed.
class CXUrlFile : public CXUrlFileBase<IXFile, IXFile> {
 public:
  // Throws CXFileException (operation 0, the URL) with the code of the download's failure.
  CXUrlFile(const char* url, int mode);
  ~CXUrlFile() override;
};

// Output kept in a temporary local file and uploaded on Commit; without Commit nothing
// reaches the server.
class CXUrlOutFile : public CXUrlFileBase<IXOutFile, IXOutFile> {
 public:
  // With FIO_KEEP the server's file is downloaded first, so its content is kept.
  CXUrlOutFile(const char* url, int mode);
  ~CXUrlOutFile() override;
  // Throws CXFileException (operation 2, the URL) when the upload fails.
  void Commit() override;
  BOOL QueryInterface(const std::type_info& type, void** out) override;
};

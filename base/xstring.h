// CXString: the library's multibyte string, with shared, reference-counted storage taken
// from the library's heaps. Positions and counts are in characters of the process's
// multibyte code page; "not found" is -1. Characters are 16-bit values: a double-byte
// character has its lead byte in the high half.
#pragma once

#include <stdarg.h>
#include <windows.h>

#include "base/api.h"

class TW_BASE_API CXString {
 public:
  CXString();
  CXString(const char* text);  // null or "" gives the empty string
  CXString(const CXString& other);
  virtual ~CXString();

  CXString& operator=(const CXString& other);
  CXString& operator=(const char* text);
  CXString& operator+=(const CXString& text);
  CXString& operator+=(const char* text);
  CXString& operator+=(unsigned short ch);
  CXString& operator+=(char ch);

  operator const char*() const { return m_pchData; }
  bool IsEmpty() const { return *m_pchData == 0; }
  // Back to the shared empty string.
  void Empty();

  // Unshared room for n bytes plus a terminator, locked until ReleaseBuffer.
  char* GetBuffer(int n);
  // Unlocks; the length is wherever the caller put the terminator (n is not used).
  void ReleaseBuffer(int n = -1);
  void FreeExtra();
  void CharToOemA();
  void OemToCharA();

  // Measuring and reading.
  int GetLength() const;
  int GetSize() const;
  int GetSize(int n) const;             // bytes of the first n characters
  int GetSize(int start, int n) const;  // bytes of n characters from character start
  const char* GetData(int n) const;     // character n, or the terminator
  unsigned short GetAt(int n) const;    // 0 at or past the end
  // Each copies a terminator too and returns the bytes copied without it.
  int Copy(char* dst) const;
  int Copy(char* dst, int n) const;
  int CopyFit(char* dst, int size) const;  // whole characters in size - 1 bytes

  // Comparison, as the C runtime's: negative, 0 or positive. Null counts as "".
  int Compare(const char* text) const;
  int CompareI(const char* text) const;
  int CompareN(const char* text, int n) const;
  int CompareIN(const char* text, int n) const;

  // Searching from character start (negative start counts as 0).
  int Find(const char* text, int start = 0) const;
  int Find(unsigned short ch, int start = 0) const;
  int FindOnOf(const char* set, int start = 0) const;
  int FindRev(unsigned short ch) const;
  int FindRevOnOf(const char* set) const;

  // Editing. A position past the end (or negative) for Insert appends.
  CXString& Insert(int pos, unsigned short ch);
  CXString& Insert(int pos, const char* text);
  // Range rule for Delete, Replace and Extract: a position that is negative or not below
  // the length is the length; the range runs from min(pos, pos + count) to
  // max(pos, pos + count), clipped to the string.
  CXString& Delete(int pos, int count);
  CXString& Replace(int pos, int count, const char* text);
  CXString& Upper();
  CXString& Lower();
  CXString& TrimLeft();
  CXString& TrimRight();
  CXString& ChangeFileExt(const char* ext);
  CXString& AddDirDelim();
  CXString& AddFileExtDelim();

  int Extract(int pos, int count, CXString& out) const;
  int Extract(int pos, int count);
  // The first occurrence only; 1 when replaced, 0 when not found.
  int FindReplace(const char* what, const char* with);
  int FindReplace(const char* what, unsigned short with);
  int FindReplace(unsigned short what, const char* with);
  int FindReplace(unsigned short what, unsigned short with);

  // Returns the byte length of the result.
  int Format(const char* format, ...);
  // String resource id of module, through this module's import of LoadStringA (so the
  // translation layer sees it). 0 when the resource gives no text.
  int Load(HINSTANCE module, UINT id);

  // Path parts; delimiters are ":", "\" and "/". out null: length only.
  int GetFilePath(char* out) const;
  int GetFileName(char* out) const;  // without the extension
  const char* GetFileName() const;   // with the extension
  int GetFileExt(char* out) const;
  const char* GetFileExt() const;  // after the ".", or null
  CXString FilePath() const;
  CXString FileName() const;
  CXString FileExt() const;
  // Shortens an absolute path towards maxLen characters by putting "...\" for middle
  // directories. 1 when done (or nothing to do), 0 for a path it cannot shorten.
  int ReducePathString(int maxLen);

  friend TW_BASE_API CXString operator+(const CXString& a, const CXString& b);
  friend TW_BASE_API CXString operator+(const CXString& a, unsigned short ch);
  friend TW_BASE_API CXString operator+(unsigned short ch, const CXString& b);
  friend TW_BASE_API CXString operator+(const CXString& a, const char* b);
  friend TW_BASE_API CXString operator+(const char* a, const CXString& b);

 protected:
  void Init();
  void AllocBuffer(int n);
  void ReallocBuffer(int n);
  void Release();
  void AssignCopy(const char* p, int n);
  void ConcatCopy(const char* p, int n);
  void ConcatCopyTo(int pos, const char* p, int n);
  // The block size taken for a buffer of n bytes, terminator included.
  static int GetAllocSize(int n);
  int FormatV(const char* format, va_list args);

 private:
  bool IsShared() const;
  bool IsEmptyRep() const;
  // Makes *this the concatenation of two byte runs, in one buffer.
  void ConcatInit(const char* a, int aBytes, const char* b, int bBytes);
  // Replaces bytes [start, end) with n bytes of p; p may point into this string.
  void ReplaceBytes(size_t start, size_t end, const char* p, size_t n);
  // Byte range of the characters that the range rule picks.
  void RangeBytes(int pos, int count, size_t& start, size_t& end) const;
  // Byte offset of the first occurrence of n bytes at a character boundary, from byte from.
  int FindBytes(const char* what, size_t n, size_t from) const;
  int FindReplaceBytes(const char* what, size_t whatBytes, const char* with, size_t withBytes);
  size_t LastDelimiter() const;  // byte offset, or -1
  size_t ExtensionDot() const;   // byte offset of the dot, or -1

  char* m_pchData;
};

TW_BASE_API CXString operator+(const CXString& a, char ch);
TW_BASE_API CXString operator+(char ch, const CXString& b);

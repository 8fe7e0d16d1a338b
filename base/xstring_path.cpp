// CXString: path parts and shortening a path for display.
#include <string.h>

#include "base/xstring.h"
#include "base/xstring_block.h"

namespace {

const size_t kNone = static_cast<size_t>(-1);

bool IsDelimiter(const char* p) { return mbcs::CharBytes(p) == 1 && (*p == ':' || *p == '\\' || *p == '/'); }

}  // namespace

size_t CXString::LastDelimiter() const {
  size_t found = kNone;
  for (const char* p = m_pchData; *p; p += mbcs::CharBytes(p))
    if (IsDelimiter(p)) found = static_cast<size_t>(p - m_pchData);
  return found;
}

// The last "." after every delimiter.
size_t CXString::ExtensionDot() const {
  size_t found = kNone;
  for (const char* p = m_pchData; *p; p += mbcs::CharBytes(p)) {
    if (IsDelimiter(p))
      found = kNone;
    else if (mbcs::CharBytes(p) == 1 && *p == '.')
      found = static_cast<size_t>(p - m_pchData);
  }
  return found;
}

namespace {
int CopyPart(const char* from, size_t bytes, char* out) {
  if (out) {
    memcpy(out, from, bytes);
    out[bytes] = 0;
  }
  return static_cast<int>(bytes);
}
}  // namespace

int CXString::GetFilePath(char* out) const {
  const size_t delimiter = LastDelimiter();
  if (delimiter == kNone) return 0;
  return CopyPart(m_pchData, m_pchData[delimiter] == ':' ? delimiter + 1 : delimiter, out);
}

int CXString::GetFileName(char* out) const {
  const size_t delimiter = LastDelimiter();
  const size_t start = delimiter == kNone ? 0 : delimiter + 1;
  const size_t dot = ExtensionDot();
  const size_t end = dot == kNone ? strlen(m_pchData) : dot;
  return CopyPart(m_pchData + start, end - start, out);
}

const char* CXString::GetFileName() const {
  const size_t delimiter = LastDelimiter();
  return m_pchData + (delimiter == kNone ? 0 : delimiter + 1);
}

int CXString::GetFileExt(char* out) const {
  const size_t dot = ExtensionDot();
  if (dot == kNone) return CopyPart(m_pchData, 0, out);
  return CopyPart(m_pchData + dot + 1, strlen(m_pchData) - dot - 1, out);
}

const char* CXString::GetFileExt() const {
  const size_t dot = ExtensionDot();
  return dot == kNone ? nullptr : m_pchData + dot + 1;
}

CXString CXString::FilePath() const {
  CXString path;
  const int bytes = GetFilePath(nullptr);
  if (bytes > 0) GetFilePath(path.GetBuffer(bytes));
  path.ReleaseBuffer();
  return path;
}

CXString CXString::FileName() const { return CXString(GetFileName()); }

CXString CXString::FileExt() const { return CXString(GetFileExt()); }

CXString& CXString::ChangeFileExt(const char* ext) {
  if (!ext) ext = "";
  if (*ext == '.') ++ext;
  const size_t dot = ExtensionDot();
  if (dot == kNone) {
    ConcatCopy(".", 1);
    ConcatCopy(ext, static_cast<int>(strlen(ext)));
  } else {
    ConcatCopyTo(static_cast<int>(dot + 1), ext, static_cast<int>(strlen(ext)));
  }
  return *this;
}

CXString& CXString::AddDirDelim() {
  const unsigned short last = GetAt(GetLength() - 1);
  if (last != '\\' && last != '/') ConcatCopy("\\", 1);
  return *this;
}

CXString& CXString::AddFileExtDelim() {
  if (GetAt(GetLength() - 1) != '.') ConcatCopy(".", 1);
  return *this;
}

int CXString::ReducePathString(int maxLen) {
  const int kEllipsis = 4;  // "...\"
  CXString path(*this);
  const int length = path.GetLength();
  if (maxLen >= length) return 1;

  int rootEnd;
  if (path.GetAt(1) == ':' && path.GetAt(2) == '\\') {
    rootEnd = 2;
  } else if (path.GetAt(0) == '\\' && path.GetAt(1) == '\\') {
    rootEnd = path.Find(static_cast<unsigned short>('\\'), 2);
    if (rootEnd < 0) return 0;
  } else {
    return 0;
  }

  const int last = path.FindRev('\\');
  if (last <= rootEnd) return 1;

  // The first directory stays when there is one before the file's.
  int cut = rootEnd;
  const int firstDir = path.Find(static_cast<unsigned short>('\\'), rootEnd + 1);
  if (firstDir >= 0 && firstDir < last) cut = firstDir;

  const int tail = length - last;
  if (maxLen < kEllipsis + tail + 1) maxLen = kEllipsis + tail + 5;

  int found;
  do {
    found = path.Find(static_cast<unsigned short>('\\'), cut + 1);
    if (found < 0) break;
    path.Delete(cut, found - cut);
  } while (kEllipsis + path.GetLength() > maxLen && found < last);

  path.Insert(cut + 1, "...\\");
  *this = path;
  return 1;
}

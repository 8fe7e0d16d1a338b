#include "fio/url_file.h"

#include "fio/file_errors.h"
#include "fio/url.h"

namespace {

// A new empty temporary file for the copy of url.
CXString NewTemporary(const char* url) {
  const char* name = Fio_GetTempFileName();
  if (!*name) FioThrowLastError(FIOOP_NONE, url);
  return CXString(name);
}

// Downloads url over temporary; on failure the temporary file goes and the download's
// error is thrown.
void DownloadOrThrow(const char* url, const char* temporary) {
  if (Fio_DownloadToFile(url, temporary)) return;
  const DWORD error = GetLastError();
  DeleteFileA(temporary);
  FioThrowSystemError(FIOOP_NONE, url, error);
}

}  // namespace

CXUrlFile::CXUrlFile(const char* url, int mode) {
  m_url = url;
  m_temporary = NewTemporary(url);
  DownloadOrThrow(m_url, m_temporary);
  try {
    m_inner = Fio_Open(m_temporary, mode);
  } catch (...) {
    DeleteFileA(m_temporary);
    throw;
  }
}

CXUrlFile::~CXUrlFile() {
  DropInner();
  DeleteFileA(m_temporary);
}

CXUrlOutFile::CXUrlOutFile(const char* url, int mode) {
  m_url = url;
  m_temporary = NewTemporary(url);
  // Keeping the target's content needs that content here first.
  if ((mode & FIO_KEEP) && Fio_IsFileExist(m_url)) DownloadOrThrow(m_url, m_temporary);
  try {
    m_inner = Fio_OpenOut(m_temporary, mode);
  } catch (...) {
    DeleteFileA(m_temporary);
    throw;
  }
}

CXUrlOutFile::~CXUrlOutFile() {
  DropInner();
  if (!m_temporary.IsEmpty()) DeleteFileA(m_temporary);
}

void CXUrlOutFile::Commit() {
  if (!m_inner) return;
  m_inner->Commit();
  DropInner();
  const BOOL uploaded = Fio_UrlPutFile(m_url, m_temporary);
  const DWORD error = GetLastError();
  DeleteFileA(m_temporary);
  m_temporary.Empty();
  // What was written is gone with the temporary file: the caller must hear of it.
  if (!uploaded) FioThrowSystemError(FIOOP_WRITE, m_url, error);
}

BOOL CXUrlOutFile::QueryInterface(const std::type_info& type, void** out) {
  if (QVIsInterface<IXFile>(type)) return QVAnswerQuery(static_cast<IXFile*>(this), this, out);
  return CXUrlFileBase<IXOutFile, IXOutFile>::QueryInterface(type, out);
}

IXFile* Fio_UrlOpen(const char* url, int mode) {
  if (!url) throw CXFileException(FIOERR_BAD_PATH, FIOOP_NONE, "");
  return new CXUrlFile(url, mode);
}

IXOutFile* Fio_UrlOpenOut(const char* url, int mode) {
  if (!url || !Fio_UrlIsWritableFile(url)) throw CXException(FIOERR_ACCESS_DENIED);
  return new CXUrlOutFile(url, mode | FIO_READWRITE);
}

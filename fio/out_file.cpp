#include "fio/out_file.h"

#include <string.h>

#include "base/exceptions.h"
#include "fio/file_errors.h"
#include "fio/fileutil.h"

CXOutFile::CXOutFile(const char* target, const char* temporary, int mode) {
  if (strlen(target) >= NAME_SIZE || strlen(temporary) >= NAME_SIZE)
    throw CXFileException(FIOERR_BAD_PATH, FIOOP_NONE, target);
  strcpy(m_target, target);
  strcpy(m_temporary, temporary);
  if (!Fio_IsWritableFile(m_target)) throw CXFileException(FIOERR_ACCESS_DENIED, FIOOP_NONE, m_target);

  if (!Fio_IsFileExist(m_target)) {
    m_inner = Fio_Open(m_temporary, mode & ~FIO_KEEP);
    return;
  }
  if (mode & FIO_KEEP) Fio_CopyFile(m_target, m_temporary, FALSE);
  // Only a lock taken here is ours to give back (locking may be switched off).
  const int locksBefore = Fio_LockCount(m_target);
  Fio_LockFile(m_target);
  m_lockedTarget = Fio_LockCount(m_target) > locksBefore;
  try {
    m_inner = Fio_Open(m_temporary, mode);
    m_inner->Seek(0, (mode & FIO_KEEP) ? FIO_SEEK_END : FIO_SEEK_SET);
  } catch (...) {
    if (m_inner) {
      try {
        m_inner->Release();
      } catch (const CXException&) {
      }
    }
    Unlock();
    throw;
  }
}

CXOutFile::~CXOutFile() {
  if (IXFile* inner = m_inner) {
    m_inner = nullptr;
    try {
      inner->Release();
    } catch (const CXException&) {
      // The temporary file is dropped either way.
    }
  }
  Unlock();
  // After a commit the name may already belong to someone else's new temporary file.
  if (!m_committed) DeleteFileA(m_temporary);
}

IXFile* CXOutFile::Inner() {
  if (!m_inner) throw CXFileException(FIOERR_GENERIC, FIOOP_NONE, m_target);
  return m_inner;
}

void CXOutFile::Unlock() {
  if (m_lockedTarget) Fio_UnlockFile(m_target);
  m_lockedTarget = false;
}

void CXOutFile::Commit() {
  if (!m_inner) return;
  IXFile* inner = m_inner;
  m_inner = nullptr;
  inner->Release();  // a failure to close leaves the target as it was
  Unlock();
  // One step, so that a failure cannot leave the target deleted and the new content aside.
  if (!MoveFileExA(m_temporary, m_target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    FioThrowLastError(FIOOP_RENAME, m_target);
  m_committed = true;
}

BOOL CXOutFile::QueryInterface(const std::type_info& type, void** out) {
  if (QVIsInterface<IXFile>(type)) return QVAnswerQuery(static_cast<IXFile*>(this), this, out);
  return CQVUnknownImpl<IXOutFile>::QueryInterface(type, out);
}

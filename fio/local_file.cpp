#include "fio/local_file.h"

#include <limits.h>
#include <string.h>

#include "fio/file_errors.h"
#include "fio/temp_name.h"

namespace {

long WindowSize() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return 2 * static_cast<long>(info.dwAllocationGranularity);
}

}  // namespace

CXFile::CXFile(const char* name, int mode)
    : m_windowSize(WindowSize()), m_mode(mode), m_access(mode & FIO_READWRITE ? ACCESS_WRITE : ACCESS_READ) {
  m_name[0] = 0;
  if (!name) {
    if (!FioMakeSystemTempName(m_name)) FioThrowLastError(m_access, "");
  } else {
    if (strlen(name) >= NAME_SIZE) throw CXFileException(FIOERR_BAD_PATH, m_access, name);
    strcpy(m_name, name);
  }
  Open();
}

void CXFile::Open() {
  const DWORD accessHint = (m_mode & FIO_RANDOM) ? FILE_FLAG_RANDOM_ACCESS : FILE_FLAG_SEQUENTIAL_SCAN;
  if (m_access == ACCESS_READ) {
    m_file.reset(CreateFileA(m_name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_READONLY | accessHint, nullptr));
  } else {
    const DWORD attributes = (m_mode & FIO_TEMPORARY) ? FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE
                                                      : FILE_ATTRIBUTE_ARCHIVE;
    m_file.reset(CreateFileA(m_name, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             (m_mode & FIO_KEEP) ? OPEN_EXISTING : CREATE_ALWAYS, attributes | accessHint,
                             nullptr));
  }
  if (!m_file) FioThrowLastError(m_access, m_name);

  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_file.get(), &size)) FioThrowLastError(m_access, m_name);
  // Positions are longs, and a written file grows a window past its end while mapped.
  if (size.QuadPart > LONG_MAX - m_windowSize) FioThrowSystemError(m_access, m_name, ERROR_FILE_TOO_LARGE);
  m_size = static_cast<long>(size.QuadPart);

  if (m_access == ACCESS_READ) {
    // Fails for an empty file (ERROR_FILE_INVALID): an empty file cannot be read mapped.
    m_mapping.reset(CreateFileMappingA(m_file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!m_mapping) FioThrowLastError(m_access, m_name);
  }
  MoveWindowTo(0);
}

void CXFile::MoveWindowTo(long position) {
  const long base = position - position % m_windowSize;
  const bool unmapped = UnmapChecked(m_view);
  m_viewSize = 0;
  if (!unmapped) FioThrowLastError(m_access, m_name);

  SIZE_T viewSize;
  DWORD viewAccess;
  if (m_access == ACCESS_WRITE) {
    // A mapping larger than the file extends it; Close cuts it back to the logical size.
    const ULONGLONG mappingSize = static_cast<ULONGLONG>(base) + m_windowSize;
    m_mapping.reset();
    m_mapping.reset(CreateFileMappingA(m_file.get(), nullptr, PAGE_READWRITE,
                                       static_cast<DWORD>(mappingSize >> 32), static_cast<DWORD>(mappingSize),
                                       nullptr));
    if (!m_mapping) FioThrowLastError(m_access, m_name);
    viewSize = m_windowSize;
    viewAccess = FILE_MAP_WRITE;
  } else {
    viewSize = m_size - base < m_windowSize ? m_size - base : m_windowSize;
    viewAccess = FILE_MAP_READ;
  }
  void* view = MapViewOfFile(m_mapping.get(), viewAccess, 0, static_cast<DWORD>(base), viewSize);
  if (!view) FioThrowLastError(m_access, m_name);
  m_view.reset(view);
  m_viewOffset = base;
  m_viewSize = static_cast<long>(viewSize);
}

int CXFile::Read(void* buffer, int count) {
  if (!buffer || count <= 0 || m_position >= m_size) return 0;
  if (count > m_size - m_position) count = m_size - m_position;
  char* out = static_cast<char*>(buffer);
  int done = 0;
  while (done < count) {
    if (!ViewCovers(m_position)) MoveWindowTo(m_position);
    const long inView = m_viewOffset + m_viewSize - m_position;
    const int chunk = count - done < inView ? count - done : static_cast<int>(inView);
    memcpy(out + done, static_cast<const char*>(m_view.get()) + (m_position - m_viewOffset), chunk);
    done += chunk;
    m_position += chunk;
  }
  return done;
}

void CXFile::Write(const void* buffer, int count) {
  if (count <= 0) return;
  // A read-only view would fault on the first byte.
  if (m_access != ACCESS_WRITE) throw CXFileException(FIOERR_ACCESS_DENIED, FIOOP_WRITE, m_name);
  if (!buffer) throw CXFileException(FIOERR_GENERIC, m_access, m_name);
  if (count > LONG_MAX - m_windowSize - m_position)
    FioThrowSystemError(m_access, m_name, ERROR_FILE_TOO_LARGE);
  const char* in = static_cast<const char*>(buffer);
  int done = 0;
  while (done < count) {
    if (!ViewCovers(m_position)) MoveWindowTo(m_position);
    const long inView = m_viewOffset + m_viewSize - m_position;
    const int chunk = count - done < inView ? count - done : static_cast<int>(inView);
    memcpy(static_cast<char*>(m_view.get()) + (m_position - m_viewOffset), in + done, chunk);
    done += chunk;
    m_position += chunk;
    if (m_position > m_size) m_size = m_position;
  }
}

long CXFile::Seek(long offset, int origin) {
  long long target;
  if (!FioSeekTarget(offset, origin, m_position, m_size, &target))
    throw CXFileException(FIOERR_BAD_SEEK, m_access, m_name);
  if (target > LONG_MAX || (m_access == ACCESS_READ && target > m_size))
    throw CXFileException(FIOERR_BAD_SEEK, m_access, m_name);
  m_position = static_cast<long>(target);
  return m_position;
}

BOOL CXFile::Flush() { return m_view ? FlushViewOfFile(m_view.get(), 0) : TRUE; }

void CXFile::Close() {
  bool closed = UnmapChecked(m_view);
  m_mapping.reset();
  if (m_access == ACCESS_WRITE && m_file) {
    LARGE_INTEGER end;
    end.QuadPart = m_size;
    const bool cut = SetFilePointerEx(m_file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(m_file.get());
    closed = closed && cut;
  }
  m_file.reset();
  if (!closed) throw CXFileException(FIOERR_GENERIC, m_access, m_name);
}

long CXFile::Release() {
  const long count = --m_refCount;
  if (count == 0) {
    try {
      Close();
    } catch (...) {
      delete this;
      throw;
    }
    delete this;
  }
  return count;
}

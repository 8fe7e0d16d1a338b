#include "fio/mem_file.h"

#include <ctype.h>
#include <limits.h>
#include <string.h>

namespace {

const char kMemFilePrefix[] = "fmem::";
const size_t kMemFilePrefixLength = sizeof kMemFilePrefix - 1;

bool IsFieldDelimiter(char c) { return c == ',' || c == '.'; }

// A field read as C atoi reads it; negative values and values past 32 bits give 0.
unsigned long ReadNumber(const char* field) {
  while (isspace(static_cast<unsigned char>(*field))) ++field;
  bool negative = false;
  if (*field == '+' || *field == '-') negative = *field++ == '-';
  unsigned long long value = 0;
  for (; isdigit(static_cast<unsigned char>(*field)); ++field) {
    value = value * 10 + (*field - '0');
    if (value > ULONG_MAX) return 0;
  }
  return negative ? 0 : static_cast<unsigned long>(value);
}

}  // namespace

BOOL Fio_IsMemFile(const char* name) {
  return name && _strnicmp(name, kMemFilePrefix, kMemFilePrefixLength) == 0;
}

void FioParseMemFileName(const char* name, unsigned long* address, unsigned long* size) {
  unsigned long* fields[] = {address, size};
  *address = *size = 0;
  const char* p = name + kMemFilePrefixLength;
  for (unsigned long* field : fields) {
    while (IsFieldDelimiter(*p)) ++p;
    if (!*p) return;
    *field = ReadNumber(p);
    while (*p && !IsFieldDelimiter(*p)) ++p;
  }
}

CXMemFile::CXMemFile(const char* name) {
  if (strlen(name) >= NAME_SIZE) throw CXFileException(FIOERR_BAD_PATH, FIOOP_READ, name);
  strcpy(m_name, name);
  unsigned long address, size;
  FioParseMemFileName(m_name, &address, &size);
  if (size > 0 && (address == 0 || size > LONG_MAX || address > ULONG_MAX - size))
    throw CXFileException(FIOERR_FILE_NOT_FOUND, FIOOP_READ, m_name);
  m_block = reinterpret_cast<const char*>(address);
  m_size = static_cast<long>(size);
}

int CXMemFile::Read(void* buffer, int count) {
  if (!buffer || count <= 0 || m_position >= m_size) return 0;
  if (count > m_size - m_position) count = m_size - m_position;
  memcpy(buffer, m_block + m_position, count);
  m_position += count;
  return count;
}

long CXMemFile::Seek(long offset, int origin) {
  long long target;
  if (!FioSeekTarget(offset, origin, m_position, m_size, &target))
    throw CXFileException(FIOERR_BAD_SEEK, FIOOP_READ, m_name);
  if (target > m_size) throw CXFileException(FIOERR_BAD_SEEK, FIOOP_READ, m_name);
  m_position = static_cast<long>(target);
  return m_position;
}

QVMemFile::QVMemFile(long growBy) : m_growBy(growBy) {
  if (growBy <= 0) throw CXException(FIOERR_INTERFACE);
  m_heap = new_MemoryHeap(0);
  if (!m_heap) throw CXMemException();
}

QVMemFile::~QVMemFile() {
  if (m_buffer) m_heap->Free(m_buffer);
  m_heap->Release();
}

int QVMemFile::Read(void* buffer, int count) {
  if (!buffer || count <= 0 || m_position >= m_capacity) return 0;
  if (count > m_capacity - m_position) count = m_capacity - m_position;
  memcpy(buffer, m_buffer + m_position, count);
  m_position += count;
  return count;
}

void QVMemFile::Write(const void* buffer, int count) {
  if (count <= 0) return;
  if (!buffer) throw CXFileException(FIOERR_GENERIC, FIOOP_WRITE, GetFileName());
  const long long end = static_cast<long long>(m_position) + count;
  if (end > m_capacity) {
    const long long steps = (end - m_capacity + m_growBy - 1) / m_growBy;
    const long long capacity = m_capacity + steps * m_growBy;
    if (capacity > LONG_MAX) throw CXMemException();
    // The heap hands out zero-filled memory, so the new room reads as zeros.
    void* grown = m_heap->ReAlloc(m_buffer, static_cast<size_t>(capacity));
    if (!grown) throw CXMemException();
    m_buffer = static_cast<char*>(grown);
    m_capacity = static_cast<long>(capacity);
  }
  memcpy(m_buffer + m_position, buffer, count);
  m_position += count;
}

long QVMemFile::Seek(long offset, int origin) {
  long long target;
  if (!FioSeekTarget(offset, origin, m_position, m_capacity, &target))
    throw CXFileException(FIOERR_INTERFACE, FIOOP_MEMFILE, GetFileName());
  if (target > m_capacity) target = m_capacity;
  m_position = static_cast<long>(target);
  return m_position;
}

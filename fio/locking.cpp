// The process-wide list of locked files: each record holds the file open without sharing.
#include <mbstring.h>
#include <string.h>

#include "base/alloc.h"
#include "base/exceptions.h"
#include "base/handles.h"
#include "fio/file_errors.h"
#include "fio/fileutil.h"
#include "fio/xfile.h"

namespace {

// Read access, no sharing, existing files only; the flags and attributes are those every
// lock has always been taken with.
const DWORD kLockFlags = FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;

struct LockRecord : QVHeapObject {
  enum { NAME_SIZE = 512 };
  LockRecord* next = nullptr;
  LockRecord* previous = nullptr;
  fw::FileHandle handle;
  int count = 0;
  char name[NAME_SIZE];
};

struct LockList {
  LockRecord* first = nullptr;
  LockRecord* last = nullptr;
  int records = 0;
  BOOL enabled = TRUE;

  LockRecord* Find(const char* name) const {
    for (LockRecord* record = first; record; record = record->next)
      if (_mbsicmp(reinterpret_cast<const unsigned char*>(record->name),
                   reinterpret_cast<const unsigned char*>(name)) == 0)
        return record;
    return nullptr;
  }
  void Append(LockRecord* record) {
    record->previous = last;
    (last ? last->next : first) = record;
    last = record;
    ++records;
  }
  void Remove(LockRecord* record) {
    (record->previous ? record->previous->next : first) = record->next;
    (record->next ? record->next->previous : last) = record->previous;
    --records;
  }
};

// Records left at process end stay open: the system closes them with the process.
LockList& Locks() {
  static LockList list;
  return list;
}

}  // namespace

BOOL Fio_EnableLocking(BOOL enable) {
  const BOOL previous = Locks().enabled;
  Locks().enabled = enable;
  return previous;
}

void Fio_LockFile(const char* name) {
  LockList& locks = Locks();
  if (!locks.enabled) return;
  if (!name || strlen(name) >= LockRecord::NAME_SIZE)
    throw CXFileException(FIOERR_BAD_PATH, FIOOP_LOCK, name ? name : "");
  if (LockRecord* record = locks.Find(name)) {
    ++record->count;
    return;
  }
  fw::FileHandle handle(CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, kLockFlags, nullptr));
  if (!handle) FioThrowLastError(FIOOP_LOCK, name);
  LockRecord* record = new LockRecord;
  record->handle = std::move(handle);
  record->count = 1;
  strcpy(record->name, name);
  locks.Append(record);
}

void Fio_UnlockFile(const char* name) {
  if (!name) return;
  LockList& locks = Locks();
  LockRecord* record = locks.Find(name);
  if (!record) return;
  if (record->count > 1) {
    --record->count;
    return;
  }
  locks.Remove(record);
  delete record;
}

int Fio_LockCount(const char* name) {
  if (!name) return 0;
  const LockRecord* record = Locks().Find(name);
  return record ? record->count : 0;
}

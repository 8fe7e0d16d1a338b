#include "base/blob.h"

#include <string.h>

#include "base/alloc.h"

unsigned char* QVBlob::CopyData(const tagQVBLOB& source) {
  if (!source.pBlobData || source.cbSize == 0) return nullptr;
  auto* copy = static_cast<unsigned char*>(QVAllocBlock(source.cbSize, nullptr));
  memcpy(copy, source.pBlobData, source.cbSize);
  return copy;
}

// Missing data compares as equal only to missing data (or to nothing at all).
BOOL QVBlob::Equal(const tagQVBLOB& a, const tagQVBLOB& b) {
  if (a.cbSize != b.cbSize) return FALSE;
  if (a.cbSize == 0 || a.pBlobData == b.pBlobData) return TRUE;
  if (!a.pBlobData || !b.pBlobData) return FALSE;
  return memcmp(a.pBlobData, b.pBlobData, a.cbSize) == 0;
}

QVBlob::QVBlob() : tagQVBLOB{0, nullptr} {}

QVBlob::QVBlob(unsigned long size) : tagQVBLOB{size, nullptr} {
  if (size) pBlobData = static_cast<unsigned char*>(QVAllocBlock(size, nullptr));
}

QVBlob::QVBlob(const tagQVBLOB* source) : tagQVBLOB{0, nullptr} {
  if (source) *this = *source;
}

QVBlob::QVBlob(const tagQVBLOB& source) : tagQVBLOB{source.cbSize, CopyData(source)} {}

QVBlob::QVBlob(const QVBlob& source) : tagQVBLOB{source.cbSize, CopyData(source)} {}

QVBlob::~QVBlob() { Clear(); }

void QVBlob::Clear() {
  QVFreeBlock(pBlobData);
  pBlobData = nullptr;
  cbSize = 0;
}

QVBlob& QVBlob::operator=(const tagQVBLOB* source) {
  if (!source) {
    Clear();
    return *this;
  }
  return *this = *source;
}

// The copy is made before the old data goes, so a blob may be assigned its own data.
QVBlob& QVBlob::operator=(const tagQVBLOB& source) {
  if (&source == this) return *this;
  unsigned char* copy = CopyData(source);
  const unsigned long size = source.cbSize;
  Clear();
  pBlobData = copy;
  cbSize = size;
  return *this;
}

QVBlob& QVBlob::operator=(const QVBlob& source) { return *this = static_cast<const tagQVBLOB&>(source); }

BOOL QVBlob::operator==(const tagQVBLOB* other) const { return other && Equal(*this, *other); }

BOOL QVBlob::operator==(const tagQVBLOB& other) const { return Equal(*this, other); }

// Byte strings of any length: the record tagQVBLOB and QVBlob, which owns its data.
#pragma once

#include <windows.h>

#include "base/api.h"

struct tagQVBLOB {
  unsigned long cbSize;
  unsigned char* pBlobData;
};

// Data comes from the default heap (owner word in front) and is freed with the blob.
class TW_BASE_API QVBlob : public tagQVBLOB {
 public:
  QVBlob();
  explicit QVBlob(unsigned long size);  // zero-filled data of that size
  QVBlob(const tagQVBLOB* source);
  QVBlob(const tagQVBLOB& source);
  QVBlob(const QVBlob& source);
  ~QVBlob();

  void Clear();
  QVBlob& operator=(const tagQVBLOB* source);
  QVBlob& operator=(const tagQVBLOB& source);
  QVBlob& operator=(const QVBlob& source);
  // Equal sizes and equal bytes.
  BOOL operator==(const tagQVBLOB* other) const;
  BOOL operator==(const tagQVBLOB& other) const;

  // A copy of the data of source in a fresh block (null for no data); helpers for variants.
  static unsigned char* CopyData(const tagQVBLOB& source);
  static BOOL Equal(const tagQVBLOB& a, const tagQVBLOB& b);
};

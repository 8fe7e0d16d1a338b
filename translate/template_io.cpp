#include "translate/template_io.h"

#include <stdlib.h>
#include <string.h>

#include "base/alloc.h"

namespace dlgio {

TemplateReader::TemplateReader(const void* source, size_t limit)
    : base_(static_cast<const BYTE*>(source)), limit_(limit ? limit : static_cast<size_t>(-1) / 2) {
  if (!source) ok_ = false;
}

bool TemplateReader::Has(size_t n) {
  if (ok_ && (position_ > limit_ || n > limit_ - position_)) ok_ = false;
  return ok_;
}

const BYTE* TemplateReader::Take(size_t n) {
  if (!Has(n)) return nullptr;
  const BYTE* p = base_ + position_;
  position_ += n;
  return p;
}

WORD TemplateReader::PeekWord() {
  if (!Has(sizeof(WORD))) return 0;
  WORD value;
  memcpy(&value, base_ + position_, sizeof value);
  return value;
}

size_t TemplateReader::StringBytes() {
  for (size_t offset = 0;; offset += sizeof(WORD)) {
    if (position_ > limit_ || offset + sizeof(WORD) > limit_ - position_) {
      ok_ = false;
      return 0;
    }
    WORD ch;
    memcpy(&ch, base_ + position_ + offset, sizeof ch);
    if (ch == 0) return offset + sizeof(WORD);
  }
}

size_t TemplateReader::FieldBytes() {
  const WORD first = PeekWord();
  if (!ok_) return 0;
  if (first == 0xFFFF) return Has(2 * sizeof(WORD)) ? 2 * sizeof(WORD) : 0;
  return StringBytes();
}

TemplateBuffer::TemplateBuffer() { Reserve(INITIAL_CAPACITY); }

TemplateBuffer::~TemplateBuffer() { QVFreeBlock(data_); }

void TemplateBuffer::Reserve(size_t needed) {
  if (needed <= capacity_) return;
  size_t capacity = capacity_ ? capacity_ : static_cast<size_t>(INITIAL_CAPACITY);
  while (capacity < needed) capacity += GROWTH_STEP;
  BYTE* grown = static_cast<BYTE*>(QVAllocBlock(capacity, nullptr));
  if (size_) memcpy(grown, data_, size_);
  QVFreeBlock(data_);
  data_ = grown;
  capacity_ = capacity;
}

void TemplateBuffer::Append(const void* data, size_t n) {
  Reserve(size_ + n);
  memcpy(data_ + size_, data, n);
  size_ += n;
}

void TemplateBuffer::PadToDword() {
  static const BYTE zeros[4] = {};
  Append(zeros, (4 - size_ % 4) % 4);
}

void* TemplateBuffer::DetachToMalloc() const {
  void* block = malloc(size_ ? size_ : 1);
  if (block && size_) memcpy(block, data_, size_);
  return block;
}

}  // namespace dlgio

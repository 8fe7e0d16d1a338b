// Reading and writing dialog templates: a bounded reader over the source and the growable
// output buffer of the template walk.
#pragma once

#include <stddef.h>
#include <windows.h>

namespace dlgio {

// Reads a template within limit bytes; any read past the limit fails the reader for good.
class TemplateReader {
 public:
  // limit 0: the size is not known, reads are not checked.
  TemplateReader(const void* source, size_t limit);

  bool ok() const { return ok_; }
  size_t position() const { return position_; }
  const BYTE* base() const { return base_; }
  // Pointer to n bytes at the position, advancing past them; null when they are not there.
  const BYTE* Take(size_t n);
  // The same without advancing.
  const BYTE* Peek(size_t n) { return Has(n) ? base_ + position_ : nullptr; }
  // The 16-bit word at the position without advancing; 0 when it is not there.
  WORD PeekWord();
  // Bytes of the name-or-ordinal field (or zero-terminated string) at the position,
  // terminator included; 0 when it does not end within the limit.
  size_t FieldBytes();
  size_t StringBytes();
  void AlignToDword() { position_ = (position_ + 3) & ~static_cast<size_t>(3); }

 private:
  bool Has(size_t n);

  const BYTE* base_;
  size_t limit_;
  size_t position_ = 0;
  bool ok_ = true;
};

// Output of the walk: starts at 2048 bytes from the default heap and grows in steps of 1024.
class TemplateBuffer {
 public:
  enum { INITIAL_CAPACITY = 2048, GROWTH_STEP = 1024 };

  TemplateBuffer();
  ~TemplateBuffer();
  TemplateBuffer(const TemplateBuffer&) = delete;
  TemplateBuffer& operator=(const TemplateBuffer&) = delete;

  void Append(const void* data, size_t n);
  void AppendWord(WORD value) { Append(&value, sizeof value); }
  void AppendByte(BYTE value) { Append(&value, sizeof value); }
  // Zero bytes up to the next multiple of 4 from the start.
  void PadToDword();
  size_t size() const { return size_; }
  BYTE* data() { return data_; }
  // A block of exactly the used size from the C runtime's malloc; null when it cannot be had.
  void* DetachToMalloc() const;

 private:
  void Reserve(size_t needed);

  BYTE* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace dlgio

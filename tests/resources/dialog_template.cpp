#include "tests/resources/dialog_template.h"

namespace restest {
namespace {

// Little-endian reads that fail, rather than run past the end, on short data.
class TemplateReader {
 public:
  TemplateReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t position() const { return pos_; }

  bool Word(WORD* out) {
    if (size_ - pos_ < 2) return false;
    *out = static_cast<WORD>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool Short(short* out) {
    WORD value;
    if (!Word(&value)) return false;
    *out = static_cast<short>(value);
    return true;
  }
  bool Dword(DWORD* out) {
    WORD low, high;
    if (!Word(&low) || !Word(&high)) return false;
    *out = low | (static_cast<DWORD>(high) << 16);
    return true;
  }
  bool Byte(BYTE* out) {
    if (size_ - pos_ < 1) return false;
    *out = data_[pos_++];
    return true;
  }
  bool Bytes(size_t count, std::vector<uint8_t>* out) {
    if (size_ - pos_ < count) return false;
    out->assign(data_ + pos_, data_ + pos_ + count);
    pos_ += count;
    return true;
  }
  bool String(std::u16string* out) {
    out->clear();
    for (;;) {
      WORD unit;
      if (!Word(&unit)) return false;
      if (unit == 0) return true;
      out->push_back(static_cast<char16_t>(unit));
    }
  }
  bool NameOrOrd(NameOrOrdinal* out) {
    WORD first;
    if (!Word(&first)) return false;
    *out = NameOrOrdinal();
    if (first == 0) return true;
    out->present = true;
    if (first == 0xFFFF) {
      out->is_ordinal = true;
      return Word(&out->ordinal);
    }
    std::u16string rest;
    if (!String(&rest)) return false;
    out->name = static_cast<char16_t>(first) + rest;
    return true;
  }
  bool AlignToDword() {
    size_t aligned = (pos_ + 3) & ~static_cast<size_t>(3);
    if (aligned > size_) return false;
    pos_ = aligned;
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

bool ReadRect(TemplateReader& in, short* x, short* y, short* cx, short* cy) {
  return in.Short(x) && in.Short(y) && in.Short(cx) && in.Short(cy);
}

bool ReadItem(TemplateReader& in, DialogItem* item) {
  WORD extra_count;
  return in.AlignToDword() && in.Dword(&item->help_id) && in.Dword(&item->ex_style) &&
         in.Dword(&item->style) && ReadRect(in, &item->x, &item->y, &item->cx, &item->cy) &&
         in.Dword(&item->id) && in.NameOrOrd(&item->window_class) && in.NameOrOrd(&item->title) &&
         in.Word(&extra_count) && in.Bytes(extra_count, &item->creation_data);
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplateEx(const uint8_t* data, size_t size) {
  TemplateReader in(data, size);
  DialogTemplate dialog;
  WORD version, signature, item_count;
  if (!in.Word(&version) || !in.Word(&signature) || version != 1 || signature != 0xFFFF) return std::nullopt;
  if (!in.Dword(&dialog.help_id) || !in.Dword(&dialog.ex_style) || !in.Dword(&dialog.style) ||
      !in.Word(&item_count) || !ReadRect(in, &dialog.x, &dialog.y, &dialog.cx, &dialog.cy) ||
      !in.NameOrOrd(&dialog.menu) || !in.NameOrOrd(&dialog.window_class) || !in.String(&dialog.title)) {
    return std::nullopt;
  }
  // DS_SHELLFONT includes DS_SETFONT, which is what announces the font block.
  dialog.has_font = (dialog.style & DS_SETFONT) != 0;
  if (dialog.has_font &&
      (!in.Word(&dialog.point_size) || !in.Word(&dialog.weight) || !in.Byte(&dialog.italic) ||
       !in.Byte(&dialog.charset) || !in.String(&dialog.typeface))) {
    return std::nullopt;
  }
  for (WORD i = 0; i < item_count; ++i) {
    DialogItem item;
    if (!ReadItem(in, &item)) return std::nullopt;
    dialog.items.push_back(std::move(item));
  }
  dialog.bytes_used = in.position();
  return dialog;
}

}  // namespace restest

#include "template_builder.h"

#include <stdio.h>

namespace {

class Writer {
 public:
  void Word(WORD value) { Raw(&value, sizeof value); }
  void Dword(DWORD value) { Raw(&value, sizeof value); }
  void Byte(BYTE value) { Raw(&value, 1); }
  void Text(const std::wstring& text) {
    for (wchar_t ch : text) Word(static_cast<WORD>(ch));
    Word(0);
  }
  void Ordinal(WORD value) {
    Word(0xFFFF);
    Word(value);
  }
  void Align() {
    while (bytes.size() % 4) bytes.push_back(0);
  }
  void Raw(const void* data, size_t n) {
    const BYTE* p = static_cast<const BYTE*>(data);
    bytes.insert(bytes.end(), p, p + n);
  }
  std::vector<BYTE> bytes;
};

}  // namespace

std::vector<BYTE> BuildTemplate(const DialogSpec& shape) {
  Writer out;
  if (shape.extended) {
    out.Word(1);
    out.Word(0xFFFF);
    out.Dword(0);  // help id
    out.Dword(0);  // extended style
    out.Dword(shape.style);
  } else {
    out.Dword(shape.style);
    out.Dword(0);
  }
  out.Word(static_cast<WORD>(shape.items.size()));
  out.Word(0);  // x, y
  out.Word(0);
  out.Word(static_cast<WORD>(shape.cx));
  out.Word(static_cast<WORD>(shape.cy));
  out.Word(0);  // no menu
  out.Word(0);  // the default class
  out.Text(shape.caption);
  if (shape.hasFont && (shape.style & DS_SETFONT)) {
    out.Word(shape.font.pointSize);
    if (shape.extended) {
      out.Word(shape.font.weight);
      out.Byte(shape.font.italic);
      out.Byte(shape.font.charset);
    }
    out.Text(shape.font.face);
  }
  for (const TemplateItem& item : shape.items) {
    out.Align();
    if (shape.extended) {
      out.Dword(0);  // help id
      out.Dword(0);
      out.Dword(WS_CHILD | WS_VISIBLE);
    } else {
      out.Dword(WS_CHILD | WS_VISIBLE);
      out.Dword(0);
    }
    out.Word(static_cast<WORD>(item.x));
    out.Word(static_cast<WORD>(item.y));
    out.Word(static_cast<WORD>(item.cx));
    out.Word(static_cast<WORD>(item.cy));
    if (shape.extended)
      out.Dword(item.id);
    else
      out.Word(item.id);
    if (item.classOrdinal)
      out.Ordinal(item.classOrdinal);
    else
      out.Text(item.className);
    if (item.titleOrdinal)
      out.Ordinal(item.titleOrdinal);
    else
      out.Text(item.title);
    out.Word(static_cast<WORD>(item.creationData.size()));
    out.Raw(item.creationData.data(), item.creationData.size());
  }
  return out.bytes;
}

std::string HexDump(const std::vector<BYTE>& bytes) {
  std::string text;
  char hex[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    snprintf(hex, sizeof hex, "%02x", bytes[i]);
    text += hex;
    text += (i % 16 == 15) ? "\n" : " ";
  }
  return text;
}

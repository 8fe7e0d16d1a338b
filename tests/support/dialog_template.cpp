#include "tests/support/dialog_template.h"

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

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &wide[0],
                                    static_cast<int>(wide.size())));
  return wide;
}

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
  out.Word(static_cast<WORD>(shape.x));
  out.Word(static_cast<WORD>(shape.y));
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
    const DWORD style = WS_CHILD | WS_VISIBLE | item.style;
    if (shape.extended) {
      out.Dword(0);  // help id
      out.Dword(0);
      out.Dword(style);
    } else {
      out.Dword(style);
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

namespace fwtest {

DialogTemplate::DialogTemplate(const std::string& title, short width, short height, DWORD style) {
  spec_.style = style;
  spec_.caption = Wide(title);
  spec_.hasFont = true;
  spec_.x = spec_.y = 10;
  spec_.cx = width;
  spec_.cy = height;
  bytes_ = BuildTemplate(spec_);
}

DialogTemplate& DialogTemplate::Add(const std::string& className, const std::string& text, WORD id,
                                    DWORD style, short x, short y, short width, short height) {
  TemplateItem item;
  item.classOrdinal = 0;
  item.className = Wide(className);
  item.title = Wide(text);
  item.x = x;
  item.y = y;
  item.cx = width;
  item.cy = height;
  item.id = id;
  item.style = style;
  spec_.items.push_back(item);
  bytes_ = BuildTemplate(spec_);
  return *this;
}

DialogTemplate& DialogTemplate::Button(WORD id, const std::string& text, short x, short y, DWORD style) {
  return Add("Button", text, id, style | WS_TABSTOP, x, y, 50, 14);
}

DialogTemplate& DialogTemplate::Edit(WORD id, short x, short y, short width, DWORD style) {
  return Add("Edit", "", id, style | WS_TABSTOP, x, y, width, 14);
}

DialogTemplate& DialogTemplate::DropDownList(WORD id, short x, short y, short width) {
  return Add("ComboBox", "", id, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, x, y, width, 80);
}

}  // namespace fwtest

#include "tests/support/dialog_template.h"

#include <stdio.h>

namespace {

struct Writer {
  template <class T>
  void Put(T value) {
    const BYTE* p = reinterpret_cast<const BYTE*>(&value);
    bytes.insert(bytes.end(), p, p + sizeof value);
  }
  void Text(const std::wstring& text) {
    for (wchar_t ch : text) Put<WORD>(ch);
    Put<WORD>(0);
  }
  void TextOrOrdinal(WORD ordinal, const std::wstring& text) {
    if (!ordinal) return Text(text);
    Put<WORD>(0xFFFF);
    Put<WORD>(ordinal);
  }
  // The help id (extended form only), the extended style (always 0) and the style.
  void Styles(bool extended, DWORD style) {
    if (extended) Put<DWORD>(0);
    Put<DWORD>(extended ? 0 : style);
    Put<DWORD>(extended ? style : 0);
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
    out.Put<WORD>(1);
    out.Put<WORD>(0xFFFF);
  }
  out.Styles(shape.extended, shape.style);
  out.Put<WORD>(static_cast<WORD>(shape.items.size()));
  for (short value : {shape.x, shape.y, shape.cx, shape.cy}) out.Put(value);
  out.Put<DWORD>(0);  // no menu, the default class
  out.Text(shape.caption);
  if (shape.hasFont && (shape.style & DS_SETFONT)) {
    out.Put(shape.font.pointSize);
    if (shape.extended) {
      out.Put(shape.font.weight);
      out.Put(shape.font.italic);
      out.Put(shape.font.charset);
    }
    out.Text(shape.font.face);
  }
  for (const TemplateItem& item : shape.items) {
    out.bytes.resize((out.bytes.size() + 3) & ~size_t(3));
    out.Styles(shape.extended, WS_CHILD | WS_VISIBLE | item.style);
    for (short value : {item.x, item.y, item.cx, item.cy}) out.Put(value);
    if (shape.extended)
      out.Put<DWORD>(item.id);
    else
      out.Put(item.id);
    out.TextOrOrdinal(item.classOrdinal, item.className);
    out.TextOrOrdinal(item.titleOrdinal, item.title);
    out.Put<WORD>(static_cast<WORD>(item.creationData.size()));
    out.bytes.insert(out.bytes.end(), item.creationData.begin(), item.creationData.end());
  }
  return out.bytes;
}

std::string HexDump(const std::vector<BYTE>& bytes) {
  std::string text;
  char hex[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    snprintf(hex, sizeof hex, "%02x%c", bytes[i], i % 16 == 15 ? '\n' : ' ');
    text += hex;
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
  spec_.items.push_back({0, Wide(className), Wide(text), 0, {}, x, y, width, height, id, style});
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

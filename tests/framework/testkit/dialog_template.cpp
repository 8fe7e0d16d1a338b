#include "tests/framework/testkit/dialog_template.h"

namespace fwtest {

DialogTemplate::DialogTemplate(const std::string& title, short width, short height, DWORD style) {
  PutDword(style);
  PutDword(0);  // extended style
  PutWord(0);   // control count, counted by Add
  PutWord(10);
  PutWord(10);
  PutWord(static_cast<WORD>(width));
  PutWord(static_cast<WORD>(height));
  PutWord(0);  // no menu
  PutWord(0);  // standard dialog class
  PutString(title);
  if (style & DS_SETFONT) {
    PutWord(8);
    PutString("MS Shell Dlg");
  }
}

void DialogTemplate::PutDword(DWORD d) {
  PutWord(LOWORD(d));
  PutWord(HIWORD(d));
}

void DialogTemplate::PutString(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
  std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(), length);
  }
  for (int i = 0; i <= length; ++i) PutWord(static_cast<WORD>(wide[i]));
}

void DialogTemplate::AlignToDword() {
  if (words_.size() % 2) PutWord(0);
}

DialogTemplate& DialogTemplate::Add(const std::string& className, const std::string& text, WORD id,
                                    DWORD style, short x, short y, short width, short height) {
  AlignToDword();
  PutDword(style | WS_CHILD | WS_VISIBLE);
  PutDword(0);
  PutWord(static_cast<WORD>(x));
  PutWord(static_cast<WORD>(y));
  PutWord(static_cast<WORD>(width));
  PutWord(static_cast<WORD>(height));
  PutWord(id);
  PutString(className);
  PutString(text);
  PutWord(0);   // no creation data
  ++words_[4];  // DLGTEMPLATE::cdit
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

// Dialog templates built in memory, in the plain or the extended form: exact bytes for the
// template readers' tests and ready-made dialogs for the windowed tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
  WORD classOrdinal;  // 0: className is used
  std::wstring className;
  std::wstring title;
  WORD titleOrdinal = 0;  // non-zero: the title is this ordinal
  std::vector<BYTE> creationData;
  short x = 0, y = 0, cx = 10, cy = 10;
  WORD id = 1;
  DWORD style = 0;  // WS_CHILD | WS_VISIBLE are always added
};

struct TemplateFont {
  WORD pointSize;
  WORD weight;  // extended form only
  BYTE italic;
  BYTE charset;
  std::wstring face;
};

struct DialogSpec {
  bool extended = false;
  DWORD style = WS_POPUP | WS_CAPTION;
  std::wstring caption;
  bool hasFont = false;  // writes a font block when style has DS_SETFONT
  TemplateFont font = {8, 400, 0, 1, L"MS Shell Dlg"};
  short cx = 100, cy = 50;
  std::vector<TemplateItem> items;
  short x = 0, y = 0;
};

std::vector<BYTE> BuildTemplate(const DialogSpec& shape);
// The bytes as "xx xx ..." for failure messages.
std::string HexDump(const std::vector<BYTE>& bytes);

namespace fwtest {

// A plain template with the shell font, built up control by control.
class DialogTemplate {
 public:
  static constexpr DWORD kDefaultStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

  DialogTemplate(const std::string& title, short width, short height, DWORD style = kDefaultStyle);

  // className as "Button", "Edit", "ComboBox", "SysListView32"...
  DialogTemplate& Add(const std::string& className, const std::string& text, WORD id, DWORD style, short x,
                      short y, short width, short height);
  DialogTemplate& Button(WORD id, const std::string& text, short x, short y, DWORD style = BS_PUSHBUTTON);
  DialogTemplate& Edit(WORD id, short x, short y, short width, DWORD style = ES_AUTOHSCROLL | WS_BORDER);
  DialogTemplate& DropDownList(WORD id, short x, short y, short width);

  // Valid until the next Add.
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  DialogSpec spec_;
  std::vector<BYTE> bytes_;
};

}  // namespace fwtest

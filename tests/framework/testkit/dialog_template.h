// Builds a dialog template in memory, so that tests need no resource script.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fwtest {

class DialogTemplate {
 public:
  static constexpr DWORD kDefaultStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

  DialogTemplate(const std::string& title, short width, short height, DWORD style = kDefaultStyle);

  // Adds a control of window class className (e.g. "Button", "Edit", "ComboBox", "SysListView32");
  // WS_CHILD | WS_VISIBLE are always added to style.
  DialogTemplate& Add(const std::string& className, const std::string& text, WORD id, DWORD style, short x,
                      short y, short width, short height);
  DialogTemplate& Button(WORD id, const std::string& text, short x, short y, DWORD style = BS_PUSHBUTTON);
  DialogTemplate& Edit(WORD id, short x, short y, short width, DWORD style = ES_AUTOHSCROLL | WS_BORDER);
  DialogTemplate& DropDownList(WORD id, short x, short y, short width);

  // Valid until the next Add; the template is DWORD-aligned as the dialog manager requires.
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void PutWord(WORD w) { words_.push_back(w); }
  void PutDword(DWORD d);
  void PutString(const std::string& text);
  void AlignToDword();

  std::vector<WORD> words_;
};

}  // namespace fwtest

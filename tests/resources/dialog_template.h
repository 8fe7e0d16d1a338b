// A reader of extended dialog templates (DLGTEMPLATEEX with DLGITEMTEMPLATEEX items),
// so the tests can check controls exactly as the system will receive them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace restest {

// A name-or-ordinal field: an ordinal (class atom, resource id) or a string; none when
// the field is a single zero word.
struct NameOrOrdinal {
  bool present = false;
  bool is_ordinal = false;
  WORD ordinal = 0;
  std::u16string name;
};

struct DialogItem {
  DWORD help_id = 0;
  DWORD ex_style = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  NameOrOrdinal window_class;
  NameOrOrdinal title;
  std::vector<uint8_t> creation_data;
};

struct DialogTemplate {
  DWORD help_id = 0;
  DWORD ex_style = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal window_class;
  std::u16string title;
  bool has_font = false;
  WORD point_size = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::u16string typeface;
  std::vector<DialogItem> items;
  size_t bytes_used = 0;  // bytes read from the start up to the end of the last item
};

// Parses `size` bytes; nothing when the data is not an extended template or ends early.
std::optional<DialogTemplate> ParseDialogTemplateEx(const uint8_t* data, size_t size);

// Class atoms of the predefined control classes in a template.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kComboBoxAtom = 0x0085;

}  // namespace restest

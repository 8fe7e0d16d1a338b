// Builds dialog templates byte by byte, in both forms, for exact comparisons.
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
};

std::vector<BYTE> BuildTemplate(const DialogSpec& shape);
// The bytes as "xx xx ..." for failure messages.
std::string HexDump(const std::vector<BYTE>& bytes);

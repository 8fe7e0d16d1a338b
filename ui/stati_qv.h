// A static control that draws its text with a raised mark after the first word, in a font of half
// the height: "Name(mark) rest of the text". The mark is one text for the whole process.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"
#include "framework/subclass.h"

// Where the parts of a marked text go, in client coordinates from the top left.
struct MarkedTextLayout {
  std::string head;  // the text before its first blank (all of it without a blank)
  std::string tail;  // from the first blank on
  RECT headRect = {};
  RECT markRect = {};
  RECT tailRect = {};
};

// Measures the parts of text in font (head, tail) and halfFont (mark) on dc; the mark follows the
// head with its baseline a sixth of the line height above the text's.
MarkedTextLayout LayoutMarkedText(HDC dc, const std::string& text, HFONT font, HFONT halfFont,
                                  const char* mark);
// Draws the parts where layout puts them, without a background, in the dc's text colour.
void DrawMarkedText(HDC dc, const MarkedTextLayout& layout, HFONT font, HFONT halfFont, const char* mark);

class CStatiQV : public fw::SubclassedWindow {
 public:
  static constexpr int kMaxMarkLength = 255;
  static constexpr int kMaxTextLength = 512;

  CStatiQV();
  ~CStatiQV() override;

  // The mark of every such control; empty or a single blank draws none. Longer texts are cut to
  // kMaxMarkLength bytes at a character boundary.
  static const char* Mark();
  static void SetMark(const char* mark);
  static bool HasMark();

  // The control's font at half its height, made when the font is set.
  HFONT HalfHeightFont() const { return static_cast<HFONT>(halfFont_.get()); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void MakeHalfHeightFont(HFONT font);
  void Paint();

  fw::GdiObject halfFont_;
};

// The property-page base of the library's windows: translates its texts and, when the translation
// brings a dialog font, lays itself and its controls out again for that font.
#pragma once

#include <windows.h>
// needs windows.h before it
#include <prsht.h>

#include <string>

#include "framework/data_exchange.h"
#include "framework/message_table.h"
#include "ui/qv_base_dialog.h"

class QVBasePropertyPage {
 public:
  // The template (DLGTEMPLATE or DLGTEMPLATEEX) must stay valid while the sheet shows the page.
  explicit QVBasePropertyPage(const DLGTEMPLATE* pageTemplate);
  virtual ~QVBasePropertyPage();
  QVBasePropertyPage(const QVBasePropertyPage&) = delete;
  QVBasePropertyPage& operator=(const QVBasePropertyPage&) = delete;

  // The page for PropertySheetA (PSH_PROPSHEETPAGE); this object must outlive the sheet.
  const PROPSHEETPAGEA& Page() const { return page_; }
  HWND hwnd() const { return hwnd_; }
  HWND ToolTipWindow() const { return toolTips_.hwnd(); }
  // Runs DoDataExchange; false when it refused the data.
  bool UpdateData(bool fromControls);

 protected:
  // Every message of the page from WM_INITDIALOG on, except WM_NCDESTROY.
  virtual INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Fills the controls, shows tool tips, translates the page and fits it to the dictionary font.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(fw::DataExchange& exchange) {}
  virtual bool DispatchTable(const fw::DialogMessage& message) { return false; }

 private:
  static INT_PTR CALLBACK StaticPageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  PROPSHEETPAGEA page_ = {};
  HWND hwnd_ = nullptr;
  qvbase::ToolTips toolTips_;
};

// Average character width and character height of a font, as the re-layout compares them.
struct FontMetrics {
  int charWidth = 0;  // (width of "A".."Z" "a".."z" / 26 + 1) / 2
  int height = 0;     // tmHeight
};
FontMetrics MeasureFont(HFONT font);

// rect with left and right scaled by the width ratio and top and bottom by the height ratio of the
// two fonts; unchanged when a metric is not positive.
RECT ScaleRect(const RECT& rect, const FontMetrics& from, const FontMetrics& to);

// Re-lays out window (a page) from its current font for font: the client area grows by the font
// ratios around the same centre, every child gets font and its rectangle scaled (a combo box by its
// dropped-down rectangle). Does nothing when either font cannot be measured.
void RelayoutForFont(HWND window, HFONT font);

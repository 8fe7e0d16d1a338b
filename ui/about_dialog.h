// The About box: the product's name with its mark, version, notice, the web-site and support links and
// the picture, from the product information and the string table.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles.h"
#include "base/oem_info.h"
#include "ui/edit_ex.h"
#include "ui/qv_base_dialog.h"
#include "ui/stati_qv.h"

class CAboutDlg : public QVBaseDlg {
 public:
  // info: the product information to show, null for new_IOemInfo(); the dialog holds a reference.
  explicit CAboutDlg(HWND owner = nullptr, IOemInfo* info = nullptr);
  ~CAboutDlg() override;

 protected:
  void DoDataExchange(fw::DataExchange& exchange) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool DispatchTable(const fw::DialogMessage& message) override;

 private:
  bool OnPaint(WPARAM, LPARAM);

  void ShowNameAndVersion();
  void ShowNotice();
  void EnlargeFonts();
  // Hides the control when text is missing; otherwise makes it a link to the target in text.
  void ShowLink(int controlId, const char* text);
  void LayOutAroundPicture();
  // Where the picture goes: inside the frame's border, in client coordinates.
  RECT PictureArea() const;

  static const fw::MessageEntry<CAboutDlg> kMessages[];

  CStatiQV productName_;  // 1005
  std::string text_;      // 1050, string 10012
  CEditEx richEdit_;      // 1054
  fw::GdiObject productFont_;
  fw::GdiObject textFont_;
  IOemInfo* info_;
};

// The version line: "Version: %s" with versionText trimmed of blanks, or "Version: %d.%d" when that
// leaves nothing, followed by suffix.
std::string AboutVersionLine(const char* versionText, int major, int minor, const char* suffix);

// The picture's size in pixels; zero when the bitmap cannot be loaded.
SIZE AboutPictureSize();
// Paints the picture stretched into area of dc: bitmap 134 above 8 bits per pixel, else bitmap 135
// with a palette of its colours, realised in dc. False when the bitmap cannot be loaded.
bool PaintAboutPicture(HDC dc, const RECT& area, int bitsPerPixel);

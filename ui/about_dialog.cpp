#include "ui/about_dialog.h"

#include <string.h>

#include <vector>

#include "framework/gdi.h"
#include "framework/language.h"
#include "framework/resource_handle.h"
#include "resources/resource.h"
#include "ui/static_link.h"

namespace {

// Appended to the version line; this build has none.
const char kVersionSuffix[] = "";
const int kFrameBorder = 1;  // the black frame's line around the picture

const DLGTEMPLATE* LoadAboutTemplate() {
  fw::ResourceHandleScope resources(qvbase::ClassesModule());
  return LoadLangDialog(IDD_ABOUT);
}

std::string TrimBlanks(const std::string& text) {
  const char* const blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A new font like control's, its height scaled by numerator/denominator; weight 0 and a null face
// keep the control's.
HFONT ScaledFontOf(HWND control, int numerator, int denominator, LONG weight, const char* face) {
  HGDIOBJ current = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA description = {};
  if (!GetObjectA(current ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description))
    return nullptr;
  description.lfHeight = MulDiv(description.lfHeight, numerator, denominator);
  description.lfWidth = 0;
  if (weight) description.lfWeight = weight;
  if (face) lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&description);
}

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

fw::GdiObject LoadPicture(WORD id) {
  return fw::GdiObject(
      LoadImageA(fw::ResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// A palette of the colour table of the bitmap selected into dc; empty when it has none.
fw::GdiObject PaletteOfSelectedBitmap(HDC dc) {
  RGBQUAD colours[256];
  const UINT count = GetDIBColorTable(dc, 0, 256, colours);
  if (count == 0) return fw::GdiObject();
  std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (UINT i = 0; i < count; ++i)
    palette->palPalEntry[i] = PALETTEENTRY{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
  return fw::GdiObject(CreatePalette(palette));
}

}  // namespace

std::string AboutVersionLine(const char* versionText, int major, int minor, const char* suffix) {
  const std::string text = TrimBlanks(versionText ? versionText : "");
  std::string line = text.empty() ? FormatLangString(IDS_VERSION_NUMBERS, major, minor)
                                  : FormatLangString(IDS_VERSION_TEXT, text.c_str());
  if (suffix) line += suffix;
  return line;
}

SIZE AboutPictureSize() {
  fw::GdiObject bitmap = LoadPicture(IDB_ABOUT_PICTURE);
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap.get(), sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

bool PaintAboutPicture(HDC dc, const RECT& area, int bitsPerPixel) {
  const bool trueColour = bitsPerPixel > 8;
  fw::GdiObject bitmap = LoadPicture(trueColour ? IDB_ABOUT_PICTURE : IDB_ABOUT_PICTURE_256);
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap.get(), sizeof info, &info)) return false;
  fw::MemoryDc memory(dc);
  if (!memory.get()) return false;
  fw::SelectedObject picture(memory.get(), bitmap.get());
  fw::GdiObject palette;
  if (!trueColour) palette = PaletteOfSelectedBitmap(memory.get());
  HPALETTE paletteHandle = static_cast<HPALETTE>(palette.get());
  fw::SelectedPalette windowPalette(dc, paletteHandle);
  fw::SelectedPalette memoryPalette(memory.get(), paletteHandle);
  const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
  const BOOL painted = StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
                                  memory.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SetStretchBltMode(dc, previousMode);
  return painted != FALSE;
}

const fw::MessageEntry<CAboutDlg> CAboutDlg::kMessages[] = {
    {fw::OnMessage(WM_PAINT), &CAboutDlg::OnPaint},
};

CAboutDlg::CAboutDlg(HWND owner, IOemInfo* info)
    : QVBaseDlg(LoadAboutTemplate(), owner), text_(LangString(IDS_ABOUT_TEXT)), info_(info) {
  if (info_)
    info_->AddRef();
  else
    info_ = new_IOemInfo();
}

CAboutDlg::~CAboutDlg() {
  if (info_) info_->Release();
}

bool CAboutDlg::DispatchTable(const fw::DialogMessage& message) {
  return fw::Dispatch(*this, kMessages, message);
}

void CAboutDlg::DoDataExchange(fw::DataExchange& exchange) {
  fw::ExchangeControl(exchange, IDC_ABOUT_PRODUCT, productName_);
  exchange.Text(IDC_ABOUT_TEXT, text_);
  fw::ExchangeControl(exchange, IDC_ABOUT_RICHEDIT, richEdit_);
}

BOOL CAboutDlg::OnInitDialog() {
  BOOL result = QVBaseDlg::OnInitDialog();
  ShowNameAndVersion();
  ShowNotice();
  EnlargeFonts();
  ShowLink(IDC_ABOUT_WWW, info_->GetOemText3());
  ShowLink(IDC_ABOUT_SUPPORT, info_->GetOemText2());
  LayOutAroundPicture();
  CenterWindow();
  return result;
}

void CAboutDlg::OnOK() { EndModal(IDOK); }

void CAboutDlg::ShowNameAndVersion() {
  const char* name = info_->GetProductName();
  if (!name) name = "";
  const DWORD version = info_->GetProductVersion();
  const int major = LOWORD(version);
  const int minor = HIWORD(version);
  SetWindowTextA(hwnd(), FormatLangString(IDS_ABOUT_TITLE, name, major, minor).c_str());
  const std::string line = AboutVersionLine(info_->GetProductVersionString(), major, minor, kVersionSuffix);
  SetDlgItemTextA(hwnd(), IDC_ABOUT_VERSION, line.c_str());
  SetDlgItemTextA(hwnd(), IDC_ABOUT_PRODUCT, name);
}

void CAboutDlg::ShowNotice() {
  const char* notice = info_->GetOemText1();
  const std::string line = LangString(IDS_NOTICE) + " " + (notice ? notice : "");
  SetDlgItemTextA(hwnd(), IDC_ABOUT_NOTICE, line.c_str());
}

void CAboutDlg::EnlargeFonts() {
  if (HWND product = Item(IDC_ABOUT_PRODUCT)) {
    productFont_.reset(ScaledFontOf(product, 5, 4, FW_BOLD, nullptr));
    if (productFont_) SendMessageA(product, WM_SETFONT, reinterpret_cast<WPARAM>(productFont_.get()), TRUE);
  }
  if (HWND text = Item(IDC_ABOUT_TEXT)) {
    textFont_.reset(ScaledFontOf(text, 3, 4, 0, "Small Fonts"));
    if (textFont_) SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_.get()), TRUE);
  }
}

void CAboutDlg::ShowLink(int controlId, const char* text) {
  HWND control = Item(controlId);
  if (!control) return;
  if (!text || !*text) {
    ShowWindow(control, SW_HIDE);
    return;
  }
  // The text to show follows the target's terminating zero; a link without one shows its target.
  const char* shown = text + strlen(text) + 1;
  if (!*shown) shown = text;
  CStaticLink* link = new CStaticLink(text, true);
  if (!link->Attach(control)) delete link;  // stays a plain static
  SetWindowTextA(control, shown);
}

void CAboutDlg::LayOutAroundPicture() {
  HWND frame = Item(IDC_ABOUT_FRAME);
  HWND placeholder = Item(IDC_ABOUT_FRAME_PLACEHOLDER);
  if (!frame || !placeholder) return;
  // The frame takes the picture's size, so the picture is shown pixel for pixel; the difference
  // from the template's placeholder moves the texts beside it and the button below it.
  RECT frameRect = ChildRect(frame);
  const SIZE picture = AboutPictureSize();
  if (picture.cx > 0 && picture.cy > 0) {
    frameRect.right = frameRect.left + picture.cx + 2 * kFrameBorder;
    frameRect.bottom = frameRect.top + picture.cy + 2 * kFrameBorder;
    MoveWindow(frame, frameRect.left, frameRect.top, frameRect.right - frameRect.left,
               frameRect.bottom - frameRect.top, TRUE);
  }
  const RECT placeRect = ChildRect(placeholder);
  const int dx = frameRect.right - placeRect.right;
  const int dy = frameRect.bottom - placeRect.bottom;
  for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == frame) continue;
    const RECT rect = ChildRect(child);
    const int down = GetDlgCtrlID(child) == IDOK ? dy : 0;
    SetWindowPos(child, nullptr, rect.left + dx, rect.top + down, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT dialogRect;
  GetWindowRect(hwnd(), &dialogRect);
  SetWindowPos(hwnd(), nullptr, 0, 0, dialogRect.right - dialogRect.left + dx,
               dialogRect.bottom - dialogRect.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT CAboutDlg::PictureArea() const {
  RECT area = {};
  if (HWND frame = Item(IDC_ABOUT_FRAME)) {
    area = ChildRect(frame);
    InflateRect(&area, -kFrameBorder, -kFrameBorder);
  }
  return area;
}

bool CAboutDlg::OnPaint(WPARAM, LPARAM) {
  fw::PaintDc paint(hwnd());
  if (!paint.get()) return true;
  const int bitsPerPixel = GetDeviceCaps(paint.get(), BITSPIXEL) * GetDeviceCaps(paint.get(), PLANES);
  PaintAboutPicture(paint.get(), PictureArea(), bitsPerPixel);
  return true;
}

// The dictionary's dialog font.
#include <string.h>

#include "translate/wld.h"

namespace {

// The screen's device context for the time of one query.
class ScreenDC {
 public:
  ScreenDC() : dc_(::GetDC(nullptr)) {}
  ~ScreenDC() {
    if (dc_) ::ReleaseDC(nullptr, dc_);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The screen's vertical resolution in dots per inch.
int ScreenPixelsPerInchY() {
  ScreenDC screen;
  const int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : 96;
}

struct FamilySearch {
  const char* face;
  int script;
  char found[LF_FACESIZE];
};

int CALLBACK MatchFamily(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM param) {
  FamilySearch* search = reinterpret_cast<FamilySearch*>(param);
  const ENUMLOGFONTA* family = reinterpret_cast<const ENUMLOGFONTA*>(logFont);
  if (strstr(reinterpret_cast<const char*>(family->elfFullName), search->face) &&
      family->elfLogFont.lfCharSet == search->script) {
    lstrcpynA(search->found, family->elfLogFont.lfFaceName, sizeof search->found);
    return 0;
  }
  return 1;
}

// The face of the family of that face in that character set, or face itself.
void FaceForScript(char* face, size_t faceSize, int script) {
  FamilySearch search = {face, script, ""};
  ScreenDC screen;
  if (!screen.get()) return;
  ::EnumFontFamiliesA(screen.get(), face, MatchFamily, reinterpret_cast<LPARAM>(&search));
  if (search.found[0]) lstrcpynA(face, search.found, static_cast<int>(faceSize));
}

}  // namespace

void CWld::SetDefaultFont() {
  const int dpi = ScreenPixelsPerInchY();
  if (::GetSystemMetrics(SM_DBCSENABLED)) {
    HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!stock) stock = ::GetStockObject(SYSTEM_FONT);
    m_font.reset(stock);
    LOGFONTA logFont = {};
    if (stock && ::GetObjectA(stock, sizeof logFont, &logFont) == sizeof logFont) {
      lstrcpynA(m_faceName, logFont.lfFaceName, sizeof m_faceName);
      m_size = (logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight) * 72 / dpi;
    } else {
      lstrcpynA(m_faceName, "System", sizeof m_faceName);
      m_size = 10;
    }
    return;
  }
  lstrcpynA(m_faceName, "MS Shell Dlg", sizeof m_faceName);
  m_size = 8;
  m_font.reset(::CreateFontA(-(8 * dpi / 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             static_cast<DWORD>(m_script), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, m_faceName));
}

void CWld::CreateDialogFont(const char* face, int script, int size) {
  m_font.reset();
  if (!face || !*face) {
    m_font.reset(::GetStockObject(DEFAULT_GUI_FONT));
    m_customFont = 0;
    return;
  }
  m_customFont = 1;
  lstrcpynA(m_faceName, face, sizeof m_faceName);
  m_script = script;
  if (LOBYTE(LOWORD(::GetVersion())) >= 4 && script != 0)
    FaceForScript(m_faceName, sizeof m_faceName, script);
  if (size < MIN_FONT_SIZE) size = MIN_FONT_SIZE;
  if (size > MAX_FONT_SIZE) size = MAX_FONT_SIZE;
  m_size = size;
  HFONT font = ::CreateFontA(-(ScreenPixelsPerInchY() * size / 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             static_cast<DWORD>(script), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, m_faceName);
  if (!font) {
    m_font.reset(::GetStockObject(DEFAULT_GUI_FONT));
    m_customFont = 0;
    return;
  }
  m_font.reset(font);
}

#include "translate/dlg_template.h"

#include <string.h>

#include "base/xstring.h"
#include "translate/dlg_layout.h"
#include "translate/dlg_walk.h"
#include "translate/supp_state.h"
#include "translate/template_io.h"
#include "translate/wld.h"

namespace {

using dlgio::TemplateBuffer;
using dlgio::TemplateReader;

const WORD kExtendedSignature = 0xFFFF;
const WORD kButtonClass = 0x0080;
const WORD kStaticClass = 0x0082;
const int kCaptionCharacters = 1024;
const WORD kFontWeight = FW_NORMAL;  // the weight the dictionary font is made with

// Where the fields of the two template forms lie.
struct TemplateForm {
  size_t headerBytes;  // up to the menu field
  size_t styleOffset;
  size_t countOffset;
  size_t xOffset;  // x, y, cx, cy follow as 16-bit values
  size_t fontBlockBytes;
  size_t itemBytes;    // fixed part of an item
  size_t itemXOffset;  // x, y, cx, cy of an item
};

const TemplateForm kPlain = {18, 0, 8, 10, 2, 18, 8};
const TemplateForm kExtended = {26, 12, 16, 18, 6, 24, 12};

WORD ReadWordAt(const BYTE* p) {
  WORD value;
  memcpy(&value, p, sizeof value);
  return value;
}

void AddToShortAt(BYTE* p, long delta) {
  short value;
  memcpy(&value, p, sizeof value);
  value = static_cast<short>(value + delta);
  memcpy(p, &value, sizeof value);
}

// Moves the four edges of the rectangle x, y, cx, cy at p by the offsets.
void MoveEdges(BYTE* p, const CIRect& edges) {
  short box[4];
  memcpy(box, p, sizeof box);
  const long x = box[0] + edges.left;
  const long y = box[1] + edges.top;
  const long cx = (box[0] + box[2] + edges.right) - x;
  const long cy = (box[1] + box[3] + edges.bottom) - y;
  box[0] = static_cast<short>(x);
  box[1] = static_cast<short>(y);
  box[2] = static_cast<short>(cx);
  box[3] = static_cast<short>(cy);
  memcpy(p, box, sizeof box);
}

// Writes text (ANSI code page) as a zero-terminated UTF-16 string of at most 1023 characters.
void AppendAnsiAsWide(TemplateBuffer& out, const char* text) {
  CXString fitted(text);
  char bytes[kCaptionCharacters];
  fitted.CopyFit(bytes, sizeof bytes);  // at most 1023 bytes give at most 1023 characters
  WCHAR wide[kCaptionCharacters];
  int n = ::MultiByteToWideChar(::GetACP(), MB_PRECOMPOSED, bytes, -1, wide, kCaptionCharacters);
  if (n <= 0) {
    wide[0] = 0;
    n = 1;
  }
  out.Append(wide, n * sizeof(WCHAR));
}

class Walker {
 public:
  Walker(const CWld& dictionary, const DialogWalk& walk)
      : dictionary_(dictionary), walk_(walk), in_(walk.source, walk.limit) {}

  bool Run();
  TemplateBuffer& output() { return out_; }

 private:
  bool CopyBytes(size_t n);
  bool CopyField();
  // A caption: translated when translatable, else copied; an ordinal is always copied.
  bool CopyCaption(bool translatable);
  bool WriteFont(bool extended);
  bool CopyItem(const TemplateForm& form, unsigned index);

  const CWld& dictionary_;
  const DialogWalk& walk_;
  TemplateReader in_;
  TemplateBuffer out_;
};

bool Walker::CopyBytes(size_t n) {
  const BYTE* p = in_.Take(n);
  if (!p) return false;
  out_.Append(p, n);
  return true;
}

bool Walker::CopyField() {
  const size_t n = in_.FieldBytes();
  return n && CopyBytes(n);
}

bool Walker::CopyCaption(bool translatable) {
  if (in_.PeekWord() == 0xFFFF) return CopyBytes(2 * sizeof(WORD));
  const size_t bytes = in_.StringBytes();
  if (!bytes) return false;
  const BYTE* start = in_.position() + in_.base();
  const size_t characters = bytes / sizeof(WORD) - 1;
  bool narrow = true;
  for (size_t i = 0; i < characters && narrow; ++i) narrow = ReadWordAt(start + 2 * i) < 256;
  const char* translation = nullptr;
  if (translatable && narrow && characters > 0) {
    CXString text;
    char* p = text.GetBuffer(static_cast<int>(characters));
    for (size_t i = 0; i < characters; ++i) p[i] = static_cast<char>(ReadWordAt(start + 2 * i));
    p[characters] = 0;
    text.ReleaseBuffer();
    translation = dictionary_.TranslateInContext(text, walk_.context);
  }
  if (!translation) return CopyBytes(bytes);
  in_.Take(bytes);
  AppendAnsiAsWide(out_, translation);
  return true;
}

bool Walker::WriteFont(bool extended) {
  const size_t blockBytes = extended ? kExtended.fontBlockBytes : kPlain.fontBlockBytes;
  if (!dictionary_.IsCustomFont()) return CopyBytes(blockBytes) && CopyField();
  if (!in_.Take(blockBytes)) return false;
  const size_t faceBytes = in_.StringBytes();
  if (!faceBytes || !in_.Take(faceBytes)) return false;
  out_.AppendWord(static_cast<WORD>(dictionary_.GetFontSize()));
  if (extended) {
    out_.AppendWord(kFontWeight);
    out_.AppendByte(0);  // not italic
    out_.AppendByte(static_cast<BYTE>(dictionary_.GetFontScript()));
  }
  const char* face = dictionary_.GetFontFace();
  const char* translatedFace = dictionary_.TranslateInContext(face, nullptr);
  AppendAnsiAsWide(out_, translatedFace ? translatedFace : face);
  return true;
}

bool Walker::CopyItem(const TemplateForm& form, unsigned index) {
  in_.AlignToDword();
  out_.PadToDword();
  const size_t fixedAt = out_.size();
  if (!CopyBytes(form.itemBytes)) return false;
  if (walk_.layout) {
    if (const CIRect* edges = walk_.layout->m_items.Find(index))
      MoveEdges(out_.data() + fixedAt + form.itemXOffset, *edges);
  }
  const WORD classFirst = in_.PeekWord();
  bool translatable = false;
  if (classFirst == 0xFFFF) {
    const BYTE* ordinal = in_.Take(2 * sizeof(WORD));
    if (!ordinal) return false;
    const WORD classOrdinal = ReadWordAt(ordinal + sizeof(WORD));
    translatable = classOrdinal == kButtonClass || classOrdinal == kStaticClass;
    out_.Append(ordinal, 2 * sizeof(WORD));
  } else if (!CopyField()) {
    return false;
  }
  if (!CopyCaption(translatable)) return false;
  const WORD creationBytes = in_.PeekWord();
  return in_.ok() && CopyBytes(sizeof(WORD) + creationBytes);
}

bool Walker::Run() {
  const BYTE* probe = in_.Peek(2 * sizeof(WORD));
  if (!probe) return false;
  const bool extended = ReadWordAt(probe + sizeof(WORD)) == kExtendedSignature;
  const TemplateForm& form = extended ? kExtended : kPlain;
  const BYTE* fixed = in_.Take(form.headerBytes);
  if (!fixed) return false;
  out_.Append(fixed, form.headerBytes);
  DWORD style;
  memcpy(&style, fixed + form.styleOffset, sizeof style);
  const WORD itemCount = ReadWordAt(fixed + form.countOffset);
  if (walk_.layout) {
    AddToShortAt(out_.data() + form.xOffset + 2 * sizeof(short), walk_.layout->m_cx);
    AddToShortAt(out_.data() + form.xOffset + 3 * sizeof(short), walk_.layout->m_cy);
  }
  if (!CopyField() || !CopyField()) return false;  // menu, class
  if (!CopyCaption(true)) return false;
  if ((style & DS_SETFONT) && !WriteFont(extended)) return false;
  for (unsigned i = 0; i < itemCount; ++i)
    if (!CopyItem(form, i)) return false;
  return true;
}

}  // namespace

void* WalkDialogTemplate(const CWld& dictionary, const DialogWalk& walk, int* size) {
  *size = 0;
  if (!walk.source) return nullptr;
  if (!walk.layout && !dictionary.HasEntries() && !dictionary.IsCustomFont()) return nullptr;
  try {
    Walker walker(dictionary, walk);
    if (!walker.Run()) return nullptr;
    void* copy = walker.output().DetachToMalloc();
    if (copy) *size = static_cast<int>(walker.output().size());
    return copy;
  } catch (...) {  // no memory for the working buffer: the source stays as it is
    return nullptr;
  }
}

extern "C" {

DLGTEMPLATE* TranslateDlgInternal(const DLGTEMPLATE* dialogTemplate, int* size) {
  return TranslateDlgInternalPosition(dialogTemplate, nullptr, size);
}

DLGTEMPLATE* TranslateDlgInternalPosition(const DLGTEMPLATE* dialogTemplate, const char* key, int* size) {
  int ignored = 0;
  if (!size) size = &ignored;
  *size = 0;
  CWld& dictionary = TranslationDictionary();
  DialogWalk walk;
  walk.source = dialogTemplate;
  walk.layout = dictionary.GetLayout(key);
  if (walk.layout) walk.context = key;
  if (!walk.layout && !dictionary.HasEntries() && !dictionary.IsCustomFont())
    return const_cast<DLGTEMPLATE*>(dialogTemplate);
  return static_cast<DLGTEMPLATE*>(WalkDialogTemplate(dictionary, walk, size));
}

DLGTEMPLATE* PatchDlgTemplateInternal(const DLGTEMPLATE*) { return nullptr; }

}  // extern "C"

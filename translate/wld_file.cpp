// Reading dictionary files (".wld") and their layout files ("dlg").
#include <stdlib.h>
#include <string.h>

#include "base/exceptions.h"
#include "fio/xfile.h"
#include "translate/dlg_layout.h"
#include "translate/wld.h"
#include "translate/wld_text.h"

namespace {

const char kFontName[] = "DialogFontName";
const char kFontScript[] = "DialogFontScript";
const char kFontSize[] = "DialogFontSize";

// Holds one reference on a file and releases it.
class FileRef {
 public:
  explicit FileRef(IXFile* file) : file_(file) {}
  ~FileRef() {
    if (file_) file_->Release();
  }
  FileRef(const FileRef&) = delete;
  FileRef& operator=(const FileRef&) = delete;
  IXFile* get() const { return file_; }

 private:
  IXFile* file_;
};

// The accepted lines of a dictionary file, one after the other.
class AcceptedLines {
 public:
  explicit AcceptedLines(IXFile* file) : file_(file), length_(file->GetLength()) {}

  // The next accepted line's text (valid until the next call), or null at the end of the file.
  const char* Next() {
    while (file_->GetPosition() < length_) {
      line_[0] = 0;
      file_->ReadLine(line_, sizeof line_);
      if (const char* text = wldtext::AcceptLine(line_)) return text;
    }
    return nullptr;
  }

 private:
  IXFile* file_;
  long length_;
  char line_[CWld::LINE_BUFFER];
};

// The font settings met in one file, starting from the dictionary's own; they take effect once
// three settings have been counted, whichever they were.
struct FontSettings {
  FontSettings(const char* face, int script, int size) : face(face), script(script), size(size) {}

  CXString face;
  int script;
  int size;
  int count = 0;

  bool Take(const char* source, const char* value) {
    if (strcmp(source, kFontName) == 0)
      face = value;
    else if (strcmp(source, kFontScript) == 0)
      script = atoi(value);
    else if (strcmp(source, kFontSize) == 0)
      size = atoi(value);
    else
      return false;
    ++count;
    return true;
  }
};

}  // namespace

void CWld::ReadFiles(const char* path) {
  if (!path || !*path) return;
  try {
    FileRef file(Fio_Open(path, 0));
    AcceptedLines lines(file.get());
    FontSettings font(GetFontFace(), GetFontScript(), GetFontSize());
    for (;;) {
      const char* sourceLine = lines.Next();
      if (!sourceLine) break;
      const CXString source(sourceLine);
      const char* translationLine = lines.Next();
      if (!translationLine) break;
      if (font.Take(source, translationLine)) continue;
      AddEntry(wldtext::DecodeEscapes(source), wldtext::DecodeEscapes(translationLine));
    }
    if (font.count >= 3) CreateDialogFont(font.face, font.script, font.size);
  } catch (const CXException&) {  // a file that cannot be read leaves the dictionary as it was
  }
  CXString layoutPath(path);
  layoutPath.ChangeFileExt("dlg");
  LoadDialogLayouts(*this, layoutPath);
}

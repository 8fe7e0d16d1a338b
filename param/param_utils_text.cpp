// Param_Param2String and Param_String2Param: the INI text form of a tree as one string,
// through the INI writer and reader.
#include <string.h>

#include "base/exceptions.h"
#include "base/mbcs.h"
#include "fio/file_errors.h"
#include "param/ini.h"
#include "param/ini_lines.h"
#include "param/param_ref.h"
#include "param/param_utils.h"

namespace {

// A new temporary file, deleted with the object.
class TemporaryFile {
 public:
  TemporaryFile() : m_name(Fio_GetTempFileName()) {
    if (m_name.IsEmpty()) FioThrowLastError(FIOOP_NONE, "");
  }
  ~TemporaryFile() { DeleteFileA(m_name); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const char* Name() const { return m_name; }

 private:
  CXString m_name;
};

// The text with every entry on a line of its own: each "|" that separates entries becomes a
// line feed. The reader takes the same entries from it, but no longer meets one line longer
// than its line buffer (a whole tree's text would be cut there). A "|" after a ";" stays:
// it belongs to a comment that the reader drops up to the line's end.
CXString OneEntryPerLine(const CXString& text) {
  CXString lines;
  const int size = text.GetSize();
  char* out = lines.GetBuffer(size);
  const char* in = text;
  bool inComment = false;
  for (int i = 0; i < size;) {
    const int bytes = static_cast<int>(mbcs::CharBytes(in + i));
    char c = in[i];
    if (bytes == 1) {
      if (c == '\n')
        inComment = false;
      else if (c == ';')
        inComment = true;
      else if (c == '|' && !inComment)
        c = '\n';
    }
    out[i] = c;
    if (bytes == 2) out[i + 1] = in[i + 1];
    i += bytes;
  }
  out[size] = 0;
  lines.ReleaseBuffer();
  return lines;
}

}  // namespace

BOOL Param_Param2String(IParam* src, CXString& text) {
  if (!src) return FALSE;
  // The writer only writes files: the text goes through a temporary one.
  TemporaryFile file;
  Param_Param2IniFile(src, file.Name());
  CXString joined;
  {
    QVRef<IXFile> written(Fio_Open(file.Name(), 0));
    CInputBuffer reader(written.Get());
    while (const char* line = reader.NextLine()) {
      joined += line;
      joined += "|";
    }
  }
  text = joined;
  return TRUE;
}

BOOL Param_String2Param(CXString& text, IParam* dst) {
  if (!dst) return FALSE;
  // The reader reads the text's bytes as a memory file, which never copies or owns them.
  const CXString lines = OneEntryPerLine(text);
  CXString name;
  name.Format("fmem::%lu,%d", reinterpret_cast<unsigned long>(static_cast<const char*>(lines)),
              lines.GetSize());
  return Param_IniFile2Param(name, dst);
}

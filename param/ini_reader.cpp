#include "param/ini_reader.h"

#include <ctype.h>
#include <string.h>
#include <windows.h>

#include "base/alloc.h"
#include "base/exceptions.h"
#include "base/mbcs.h"
#include "base/string_enums.h"
#include "fio/fileutil.h"
#include "param/ini.h"
#include "param/ini_value.h"

namespace {

bool IsBlank(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }

char* SkipBlanks(char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

void TrimRight(char* text) {
  char* end = text + strlen(text);
  while (end > text && IsBlank(end[-1])) *--end = 0;
}

// The directory part of name with its delimiter ("dir\" or "dir/"), or "" when it has none.
CXString DirectoryWithDelimiter(const char* name) {
  const char* end = name;
  for (const char* p = name; *p; p += mbcs::CharBytes(p))
    if (*p == '\\' || *p == '/' || *p == ':') end = p + 1;
  CXString directory;
  const int bytes = static_cast<int>(end - name);
  char* buffer = directory.GetBuffer(bytes);
  memcpy(buffer, name, bytes);
  buffer[bytes] = 0;
  directory.ReleaseBuffer();
  return directory;
}

// Names that stand on their own: a drive, a root, a memory file or a URL.
bool IsAbsoluteName(const char* name) {
  if (name[0] == '\\' || name[0] == '/') return true;
  if (isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':') return true;
  return Fio_IsMemFile(name) || strstr(name, "://") != nullptr;
}

// What tells two inputs apart: the full path of a local file, else the name itself.
CXString IdentityOf(const char* name) {
  if (Fio_IsMemFile(name) || strstr(name, "://")) return CXString(name);
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(name, MAX_PATH, full, nullptr);
  return (length > 0 && length < MAX_PATH) ? CXString(full) : CXString(name);
}

}  // namespace

struct CIniReader::Input : QVHeapObject {
  Input(IXFile* file, const CXString& identity, const CXString& directory)
      : lines(file), identity(identity), directory(directory) {}
  CInputBuffer lines;
  CXString identity;
  CXString directory;  // of this input's name, for arguments that begin with "."
};

CIniReader::CIniReader(IParam* root) : m_root(root) {}

CIniReader::~CIniReader() {
  while (m_depth > 0) Pop();
}

namespace {
// A file of no bytes cannot be mapped for reading; as input it is simply empty.
bool IsEmptyFile(const char* name) {
  try {
    FioFileInfo info;
    Fio_GetFileInfo(name, &info);
    return info.size == 0;
  } catch (const CXFileException&) {
    return false;
  }
}
}  // namespace

void CIniReader::Push(const CXString& name) {
  QVRef<IXFile> file;
  try {
    file.Reset(Fio_Open(name, 0));
  } catch (const CXFileException& e) {
    if (e.GetCode() == FIOERR_DEVICE && IsEmptyFile(name)) return;
    throw;
  }
  m_inputs[m_depth] = new Input(file.Get(), IdentityOf(name), DirectoryWithDelimiter(name));
  ++m_depth;
}

void CIniReader::Pop() { delete m_inputs[--m_depth]; }

void CIniReader::Read(const char* fileName) {
  if (!fileName || !*fileName) throw CXFileException(FIOERR_BAD_PATH, FIOOP_READ, "");
  m_baseDirectory = DirectoryWithDelimiter(fileName);
  Push(fileName);
  while (m_depth > 0) {
    char* line = m_inputs[m_depth - 1]->lines.NextLine();
    if (line)
      HandleLine(line);
    else
      Pop();
  }
}

void CIniReader::HandleLine(char* line) {
  line = SkipBlanks(line);
  TrimRight(line);
  if (line[0] == ';' || strlen(line) < 2) return;
  if (line[0] == '#')
    HandleDirective(line);
  else if (line[0] == '[')
    HandleSection(line);
  else if (m_current)
    HandleEntry(line);
}

void CIniReader::HandleDirective(char* line) {
  char* name = SkipBlanks(line + 1);
  char* end = name;
  while (*end && !IsBlank(*end)) ++end;
  char* argument = SkipBlanks(end);
  *end = 0;
  if (_stricmp(name, "include") != 0 || !*argument) return;
  if (*argument == '"') {
    ++argument;
    const size_t length = strlen(argument);
    if (length > 0 && argument[length - 1] == '"') argument[length - 1] = 0;
  } else {
    char* blank = argument;
    while (*blank && !IsBlank(*blank)) ++blank;
    *blank = 0;
  }
  if (*argument) Include(argument);
}

void CIniReader::Include(const char* argument) {
  // A memory-file name is an address in this process: text from outside must not make
  // the reader read whatever memory it names. Includes name files and URLs only.
  if (Fio_IsMemFile(argument)) return;
  const CXString name = ResolveInclude(argument);
  // An input that is already open would include itself without end; the line is ignored.
  if (m_depth >= MAX_OPEN_INPUTS || IsOpen(IdentityOf(name))) return;
  Push(name);
}

CXString CIniReader::ResolveInclude(const char* argument) const {
  if (IsAbsoluteName(argument)) return CXString(argument);
  if (argument[0] == '.') return m_inputs[m_depth - 1]->directory + argument;
  return m_baseDirectory + argument;
}

bool CIniReader::IsOpen(const CXString& identity) const {
  for (int i = 0; i < m_depth; ++i)
    if (m_inputs[i]->identity.CompareI(identity) == 0) return true;
  return false;
}

void CIniReader::HandleSection(char* line) {
  const size_t length = strlen(line);
  if (line[length - 1] == ']') line[length - 1] = 0;
  // "[" and the character after it, the root's backslash.
  char* path = line + 1;
  if (*path) path += mbcs::CharBytes(path);
  m_root->AddRef();
  m_current.Reset(m_root);
  CCharSeparatedStringsEnum components(path, "\\");
  const char* component;
  while (m_current && components.Next(1, &component, nullptr))
    m_current.Reset(m_current->GetChild(component, TRUE));
}

void CIniReader::HandleEntry(char* line) {
  char* equals = strchr(line, '=');
  if (!equals) {
    const CQVVariant zero(0);
    m_current->SetValue(line, &zero);
    return;
  }
  *equals = 0;
  TrimRight(line);
  CQVVariant value;
  if (IniParseValue(SkipBlanks(equals + 1), &value)) m_current->SetValue(line, &value);
}

extern "C" BOOL Param_IniFile2Param(const char* fileName, IParam* root) {
  if (!root) return 0;
  CIniReader reader(root);
  reader.Read(fileName);
  return 1;
}

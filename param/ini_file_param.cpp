#include "param/ini_file_param.h"

#include <mbstring.h>
#include <string.h>
#include <windows.h>

#include "base/exceptions.h"
#include "base/mbcs.h"
#include "fio/fileutil.h"
#include "fio/path_parts.h"
#include "fio/xfile.h"
#include "param/ini.h"
#include "param/ini_value.h"
#include "param/name_snapshot.h"
#include "param/param_path.h"
#include "param/param_ref.h"

namespace {

const char kRootSection[] = "\\";

// Child names become part of a section name: they must not be empty or break the line.
bool IsUsableChildName(const char* name) { return name && *name && IniNameFitsOnALine(name); }

// The first path component of section below prefix, or an empty range.
size_t ComponentBelow(const char* section, const char* prefix, size_t prefixBytes) {
  if (strlen(section) <= prefixBytes) return 0;
  if (_mbsnbicmp(reinterpret_cast<const unsigned char*>(section),
                 reinterpret_cast<const unsigned char*>(prefix), prefixBytes) != 0)
    return 0;
  const char* start = section + prefixBytes;
  const char* end = start;
  while (*end && *end != '\\') end += mbcs::CharBytes(end);
  return static_cast<size_t>(end - start);
}

// The zero-delimited list of child names (a block of the library's heaps).
class CChildNameList {
 public:
  CChildNameList(const char* sectionNames, const char* section) {
    size_t total = 2;
    for (const char* p = sectionNames; *p; p += strlen(p) + 1) total += strlen(p) + 1;
    m_text = static_cast<char*>(QVAllocBlock(total, nullptr));
    // Sections below "\a" begin with "\a\"; those below the root with "\".
    CXString prefix(section);
    if (prefix.Compare(kRootSection) != 0) prefix += '\\';
    char* out = m_text;
    for (const char* p = sectionNames; *p; p += strlen(p) + 1) {
      const size_t bytes = ComponentBelow(p, prefix, prefix.GetSize());
      if (!bytes) continue;
      const char* component = p + prefix.GetSize();
      if (Contains(component, bytes, out)) continue;
      memcpy(out, component, bytes);
      out += bytes;
      *out++ = 0;
    }
    *out = 0;
  }
  ~CChildNameList() { QVFreeBlock(m_text); }
  CChildNameList(const CChildNameList&) = delete;
  CChildNameList& operator=(const CChildNameList&) = delete;
  const char* Text() const { return m_text; }

 private:
  bool Contains(const char* name, size_t bytes, const char* end) const {
    for (const char* p = m_text; p < end; p += strlen(p) + 1)
      if (strlen(p) == bytes && _mbsnbicmp(reinterpret_cast<const unsigned char*>(p),
                                           reinterpret_cast<const unsigned char*>(name), bytes) == 0)
        return true;
    return false;
  }
  char* m_text;
};

}  // namespace

CIniFileEnum::CIniFileEnum(const char* sectionNames, const char* section)
    : CZeroDelimitedStringsEnum(CChildNameList(sectionNames, section).Text()) {}

CIniFileParam::CIniFileParam(const char* fileName, const char* section, const char* name, IParam* parent,
                             bool ensureSection)
    : m_file(fileName), m_section(section), m_name(name) {
  m_ifaces.Register(static_cast<IRegisterIface*>(this), typeid(IRegisterIface), FALSE);
  if (ensureSection && !m_file.HasKey(m_section, PARAM_DEFAULT_VALUE_NAME)) {
    Fio_CreateDirectory(FioDirectoryOf(fileName));
    m_file.WriteKey(m_section, PARAM_DEFAULT_VALUE_NAME, "e");
  }
  SetParent(parent);
}

CIniFileParam::~CIniFileParam() { SetParent(nullptr); }

BOOL CIniFileParam::QueryInterface(const std::type_info& type, void** out) {
  return m_ifaces.Query(type, out);
}

BOOL CIniFileParam::RegisterIface(IQVUnknown* iface, const std::type_info& type, BOOL addRef) {
  return m_ifaces.Register(iface, type, addRef);
}

IParam* CIniFileParam::GetParent() {
  if (m_parent) m_parent->AddRef();
  return m_parent;
}

void CIniFileParam::SetParent(IParam* parent) {
  if (parent) parent->AddRef();
  IParam* old = m_parent;
  m_parent = parent;
  if (old) old->Release();
}

CXString CIniFileParam::ChildSection(const char* name) const {
  return m_section.Compare(kRootSection) == 0 ? m_section + name : m_section + "\\" + name;
}

CIniFileParam* CIniFileParam::NewChild(const char* name, bool ensureSection) {
  return new CIniFileParam(m_file.GetFileName(), ChildSection(name), name, this, ensureSection);
}

bool CIniFileParam::ChildExists(const char* name) const {
  const CXString section = ChildSection(name);
  if (m_file.SectionHasKeys(section)) return true;
  // A value set through a path ("a\b\v") makes the section "\a\b" only: "\a" is there too.
  CProfileList sections;
  m_file.ReadSectionNames(sections);
  return CChildNameList(sections.Text(), section).Text()[0] != 0;
}

IParam* CIniFileParam::GetChild(const char* name, BOOL create) {
  if (!IsUsableChildName(name)) return nullptr;
  if (ChildExists(name)) return NewChild(name, true);
  return create ? CreateChild(name) : nullptr;
}

IParam* CIniFileParam::CreateChild(const char* name) {
  if (!IsUsableChildName(name)) return nullptr;
  {
    // The child's section and everything below it go first.
    QVRef<IParam> old(NewChild(name, false));
    old->RemoveAll();
  }
  return NewChild(name, true);
}

void CIniFileParam::DeleteChild(const char* name) {
  if (!IsUsableChildName(name)) return;
  // Also reaches sections below a child whose own section is gone.
  QVRef<IParam> child(NewChild(name, false));
  child->RemoveAll();
}

void CIniFileParam::DeleteAllChildren() {
  CNameSnapshot names(EnumChildren());
  for (CNameSnapshot::Node* node = names.First(); node; node = node->next) DeleteChild(node->value);
}

CTEnum<const char*>* CIniFileParam::EnumChildren() {
  CProfileList sections;
  m_file.ReadSectionNames(sections);
  return new CIniFileEnum(sections.Text(), m_section);
}

BOOL CIniFileParam::GetValue(const char* path, tagQVVARIANT* out) {
  CXString childPath;
  const char* lastName;
  if (param_path::SplitLast(path, childPath, lastName)) {
    QVRef<IParam> child(GetChild(childPath, FALSE));
    return child ? child->GetValue(lastName, out) : FALSE;
  }
  CXString text;
  const bool present = m_file.ReadKey(m_section, param_path::ValueName(path), text);
  QVVariantClear(out);
  if (!present) return FALSE;
  return IniParseValue(text, out);
}

void CIniFileParam::SetValue(const char* path, const tagQVVARIANT* value) {
  CXString childPath;
  const char* lastName;
  if (param_path::SplitLast(path, childPath, lastName)) {
    QVRef<IParam> child(GetChild(childPath, TRUE));
    if (child) child->SetValue(lastName, value);
    return;
  }
  const char* key = param_path::ValueName(path);
  if (!IniNameFitsOnALine(key)) return;
  const CQVVariant empty;
  CXString text;
  if (!IniFormatValue(value ? *value : empty, text)) return;
  m_file.WriteKey(m_section, key, text);
}

void CIniFileParam::DeleteValue(const char* name) {
  m_file.DeleteKey(m_section, param_path::ValueName(name));
}

void CIniFileParam::DeleteAllValues() {
  CNameSnapshot names(EnumValues());
  for (CNameSnapshot::Node* node = names.First(); node; node = node->next) DeleteValue(node->value);
  m_file.WriteKey(m_section, PARAM_DEFAULT_VALUE_NAME, "e");
}

CTEnum<const char*>* CIniFileParam::EnumValues() {
  CProfileList keys;
  m_file.ReadKeyNames(m_section, keys);
  return new CZeroDelimitedStringsEnum(keys.Text(), static_cast<IParam*>(this));
}

void CIniFileParam::RemoveAll() {
  DeleteAllChildren();
  m_file.DeleteSection(m_section);
}

extern "C" IParam* new_IParamIniFile(const char* fileName) {
  if (!fileName || !*fileName) throw CXFileException(FIOERR_BAD_PATH, FIOOP_NONE, "");
  // The profile functions look for a name without a folder in the Windows folder; the
  // store means the file that every other file function of the library means.
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(fileName, MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) throw CXFileException(FIOERR_BAD_PATH, FIOOP_NONE, fileName);
  return new CIniFileParam(full, kRootSection, "", nullptr, true);
}

#include "param/profile_file.h"

#include <string.h>
#include <windows.h>

#include "base/alloc.h"
#include "fio/file_errors.h"
#include "fio/xfile.h"

namespace {
// Two defaults that no key holds at once: a key is absent only when both come back.
const char kAbsent[] = "\x01\x02<absent>";
const char kAbsentToo[] = "\x02\x01<absent>";
}  // namespace

CProfileList::CProfileList() : m_text(static_cast<char*>(QVAllocBlock(BUFFER_SIZE, nullptr))) {}

CProfileList::~CProfileList() { QVFreeBlock(m_text); }

bool CProfileFile::ReadKey(const char* section, const char* key, CXString& text) const {
  CProfileList buffer;
  GetPrivateProfileStringA(section, key, kAbsent, buffer.Buffer(), CProfileList::BUFFER_SIZE, m_fileName);
  if (strcmp(buffer.Text(), kAbsent) == 0) {
    GetPrivateProfileStringA(section, key, kAbsentToo, buffer.Buffer(), CProfileList::BUFFER_SIZE,
                             m_fileName);
    if (strcmp(buffer.Text(), kAbsentToo) == 0) return false;
  }
  text = buffer.Text();
  return true;
}

bool CProfileFile::HasKey(const char* section, const char* key) const {
  CXString text;
  return ReadKey(section, key, text);
}

bool CProfileFile::SectionHasKeys(const char* section) const {
  CProfileList names;
  ReadKeyNames(section, names);
  return !names.IsEmpty();
}

void CProfileFile::ReadKeyNames(const char* section, CProfileList& names) const {
  names.Buffer()[0] = names.Buffer()[1] = 0;
  GetPrivateProfileStringA(section, nullptr, "", names.Buffer(), CProfileList::BUFFER_SIZE, m_fileName);
}

void CProfileFile::ReadSectionNames(CProfileList& names) const {
  names.Buffer()[0] = names.Buffer()[1] = 0;
  GetPrivateProfileSectionNamesA(names.Buffer(), CProfileList::BUFFER_SIZE, m_fileName);
}

void CProfileFile::WriteKey(const char* section, const char* key, const char* text) const {
  if (!WritePrivateProfileStringA(section, key, text, m_fileName)) FioThrowLastError(FIOOP_WRITE, m_fileName);
}

void CProfileFile::DeleteKey(const char* section, const char* key) const {
  WritePrivateProfileStringA(section, key, nullptr, m_fileName);
}

void CProfileFile::DeleteSection(const char* section) const {
  WritePrivateProfileStringA(section, nullptr, nullptr, m_fileName);
}

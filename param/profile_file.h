// One INI file reached through the system's profile-string functions, which read and write
// the file at every call. Results are read into buffers of 64000 bytes. Exported for the program,
// which reads its site files with them through the library DLL; not part of the add-ons' interface.
#pragma once

#include "base/xstring.h"
#include "param/api.h"

// A zero-delimited list of names as the profile functions give it (ended by an empty name).
class TW_PARAM_API CProfileList {
 public:
  enum { BUFFER_SIZE = 64000 };
  CProfileList();
  ~CProfileList();
  CProfileList(const CProfileList&) = delete;
  CProfileList& operator=(const CProfileList&) = delete;

  char* Buffer() { return m_text; }
  const char* Text() const { return m_text; }
  bool IsEmpty() const { return m_text[0] == 0; }

 private:
  char* m_text;
};

class TW_PARAM_API CProfileFile {
 public:
  explicit CProfileFile(const char* fileName) : m_fileName(fileName) {}

  const char* GetFileName() const { return m_fileName; }

  // The key's text; false when the section has no such key.
  bool ReadKey(const char* section, const char* key, CXString& text) const;
  bool HasKey(const char* section, const char* key) const;
  bool SectionHasKeys(const char* section) const;
  void ReadKeyNames(const char* section, CProfileList& names) const;
  void ReadSectionNames(CProfileList& names) const;

  // Throws CXFileException (operation 2) when the system refuses.
  void WriteKey(const char* section, const char* key, const char* text) const;
  // Removing what is not there is no failure.
  void DeleteKey(const char* section, const char* key) const;
  void DeleteSection(const char* section) const;

 private:
  CXString m_fileName;
};

// CWld: the translation dictionary. Maps user-interface texts to their translations, holds the
// dialog font the translation asks for and the translated dialog layouts.
#pragma once

#include <windows.h>

#include "base/alloc.h"
#include "base/handles.h"
#include "base/map.h"
#include "base/xstring.h"
#include "translate/api.h"

struct IXStorage;
struct QVDlgPos;

// One translation entry.
class TW_TRANSLATE_API CContext : public QVHeapObject {
 public:
  CContext(const char* source, const char* translation, int fromFile)
      : m_source(source), m_translation(translation), m_fromFile(fromFile) {}

  CXString m_source;
  CXString m_translation;
  int m_fromFile;  // 1 when read from a dictionary file
};

class TW_TRANSLATE_API CWld {
 public:
  enum { BUCKETS = 127, LINE_BUFFER = 8192, MIN_FONT_SIZE = 8, MAX_FONT_SIZE = 16 };

  CWld();
  ~CWld();
  CWld(const CWld&) = delete;
  CWld& operator=(const CWld&) = delete;

  // Reads the dictionary and its layout file (extension "dlg") unless one is loaded; returns 1.
  int Init(const char* path);
  // The same, adding to what is loaded; an existing entry keeps its first translation.
  int Add(const char* path);

  // In place: the translation (whole characters in size - 1 bytes) and the bytes written, or
  // buf untouched and its length. Null or empty buf gives 0.
  int Translate(char* buf, unsigned size);
  // The translation, or text itself (null with nullIfMissing) when there is none.
  const char* Translate(const char* text, int nullIfMissing = 0);
  // Every item text of the menu and its pop-ups; returns 1.
  int Translate(HMENU menu);
  // The caption, the font of every descendant and the texts of static and button children; returns 1.
  int Translate(HWND window);

  // The storage form: one element "C%i" per entry and the "ContextHeader" element.
  void Save(IXStorage* storage);
  void Restore(IXStorage* storage);

  // Lookups with a resource context key: context followed directly by text first, then text alone.
  // The translation, or null when there is none (or it is empty).
  const char* TranslateInContext(const char* text, const char* context) const;
  // In place as Translate(buf, size), with the context lookup.
  int TranslateInContext(char* buf, unsigned size, const char* context) const;
  // Menu items through the context lookup, item texts read into textBuffer bytes.
  int TranslateMenu(HMENU menu, const char* context, int textBuffer) const;

  bool HasEntries() const { return m_texts.GetCount() > 0; }
  int GetEntryCount() const { return m_texts.GetCount(); }
  bool IsLoaded() const { return m_loaded != 0; }
  bool IsCustomFont() const { return m_customFont != 0; }
  HFONT GetFont() const { return static_cast<HFONT>(m_font.get()); }
  const char* GetFontFace() const { return m_faceName; }
  int GetFontScript() const { return m_script; }
  int GetFontSize() const { return m_size; }
  // The layout recorded for a dialog's resource context key, or null.
  const QVDlgPos* GetLayout(const char* key) const;

  // Used by the readers: the first entry for a source wins.
  bool AddEntry(const char* source, const char* translation);
  // Storage restore: an entry for the same source is replaced.
  void SetEntry(const char* source, const char* translation, int fromFile);
  // Takes ownership of layout; replaces the one stored under the same key.
  void SetLayout(const char* key, QVDlgPos* layout);
  // Face, script and size of the dialog font, and the font made from them.
  void CreateDialogFont(const char* face, int script, int size);

 private:
  void ReadFiles(const char* path);
  void SetDefaultFont();
  const CContext* FindEntry(const char* text) const;
  const CContext* FindInContext(const char* text, const char* context) const;
  void InsertEntry(const char* source, CContext* entry);
  // One bit per hash of a source text: most texts without an entry are told without a search.
  bool MayHold(unsigned long hash) const;
  void NoteHash(unsigned long hash);

  int m_customFont;
  char m_faceName[256];
  int m_script;
  int m_size;
  int m_storedCount;
  fw::GdiObject m_font;  // a stock font held here is never really deleted by GDI
  int m_loaded;
  CTMap<const char*, CContext*> m_texts;
  CTMap<const unsigned long*, QVDlgPos*> m_layouts;  // by resource context key, letter case ignored
  unsigned long* m_hashBits = nullptr;
};

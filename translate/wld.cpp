#include "translate/wld.h"

#include <string.h>

#include "translate/dlg_layout.h"

namespace {

// Room for a context key and a typical text; longer pairs go to the heap.
const size_t kInlineKeyBytes = 512;

}  // namespace

CWld::CWld()
    : m_customFont(1),
      m_faceName(),
      m_script(DEFAULT_CHARSET),
      m_size(0),
      m_storedCount(0),
      m_loaded(0),
      m_texts(BUCKETS),
      m_layouts(BUCKETS) {
  SetDefaultFont();
}

CWld::~CWld() {
  QVPOSITION pos = m_texts.GetStartPosition();
  while (pos) {
    const char* source;
    delete *m_texts.GetNextAssoc(pos, source);
  }
  pos = m_layouts.GetStartPosition();
  while (pos) {
    const char* key;
    delete *m_layouts.GetNextAssoc(pos, key);
  }
}

int CWld::Init(const char* path) {
  if (m_loaded) return 1;
  ReadFiles(path);
  m_loaded = 1;
  return 1;
}

int CWld::Add(const char* path) {
  ReadFiles(path);
  m_loaded = 1;
  return 1;
}

const CContext* CWld::FindEntry(const char* text) const {
  if (!text || !*text) return nullptr;
  CContext* const* entry = m_texts.Find(text);
  if (!entry || (*entry)->m_translation.IsEmpty()) return nullptr;
  return *entry;
}

int CWld::Translate(char* buf, unsigned size) { return TranslateInContext(buf, size, nullptr); }

const char* CWld::Translate(const char* text, int nullIfMissing) {
  if (!text || !*text) return nullptr;
  const CContext* entry = FindEntry(text);
  if (entry) return entry->m_translation;
  return nullIfMissing ? nullptr : text;
}

const CContext* CWld::FindInContext(const char* text, const char* context) const {
  if (!text || !*text || !HasEntries()) return nullptr;
  if (context && *context) {
    const size_t contextBytes = strlen(context);
    const size_t textBytes = strlen(text);
    char inlineKey[kInlineKeyBytes];
    CXString longKey;
    char* key = inlineKey;
    if (contextBytes + textBytes >= sizeof inlineKey)
      key = longKey.GetBuffer(static_cast<int>(contextBytes + textBytes));
    memcpy(key, context, contextBytes);
    memcpy(key + contextBytes, text, textBytes + 1);
    const CContext* entry = FindEntry(key);
    if (key != inlineKey) longKey.ReleaseBuffer();
    if (entry) return entry;
  }
  return FindEntry(text);
}

const char* CWld::TranslateInContext(const char* text, const char* context) const {
  const CContext* entry = FindInContext(text, context);
  return entry ? static_cast<const char*>(entry->m_translation) : nullptr;
}

int CWld::TranslateInContext(char* buf, unsigned size, const char* context) const {
  if (!buf || !*buf) return 0;
  const CContext* entry = FindInContext(buf, context);
  if (!entry || size == 0) return static_cast<int>(strlen(buf));
  return entry->m_translation.CopyFit(buf, static_cast<int>(size));
}

bool CWld::AddEntry(const char* source, const char* translation) {
  if (m_texts.Find(source)) return false;
  InsertEntry(source, new CContext(source, translation, 1));
  return true;
}

void CWld::SetEntry(const char* source, const char* translation, int fromFile) {
  CContext* replacement = new CContext(source, translation, fromFile);
  if (CContext** existing = m_texts.Find(source)) {
    delete *existing;
    *existing = replacement;
    return;
  }
  InsertEntry(source, replacement);
}

void CWld::InsertEntry(const char* source, CContext* entry) {
  try {
    m_texts.SetAt(source, entry);
  } catch (...) {
    delete entry;
    throw;
  }
}

const QVDlgPos* CWld::GetLayout(const char* key) const {
  if (!key) return nullptr;
  QVDlgPos* const* layout = m_layouts.Find(key);
  return layout ? *layout : nullptr;
}

void CWld::SetLayout(const char* key, QVDlgPos* layout) {
  if (QVDlgPos** existing = m_layouts.Find(key)) {
    delete *existing;
    *existing = layout;
    return;
  }
  try {
    m_layouts.SetAt(key, layout);
  } catch (...) {
    delete layout;
    throw;
  }
}

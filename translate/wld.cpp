#include "translate/wld.h"

#include <string.h>

#include "base/keys.h"
#include "translate/dlg_layout.h"

namespace {

// Room for a context key and a typical text; longer pairs go to the heap.
const size_t kInlineKeyBytes = 512;

// 2^18 bits: about 4 % of the texts without an entry need a search with 10,000 entries.
const unsigned kHashBitsShift = 18;
const size_t kHashWords = (size_t(1) << kHashBitsShift) / 32;

unsigned HashBit(unsigned long hash) {
  return static_cast<unsigned>((hash * 2654435761u) >> (32 - kHashBitsShift));  // spreads the bits
}

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
  QVFreeBlock(m_hashBits);
}

bool CWld::MayHold(unsigned long hash) const {
  if (!m_hashBits) return false;
  const unsigned bit = HashBit(hash);
  return (m_hashBits[bit / 32] >> (bit % 32)) & 1;
}

void CWld::NoteHash(unsigned long hash) {
  if (!m_hashBits)
    m_hashBits = static_cast<unsigned long*>(QVAllocBlock(kHashWords * sizeof(unsigned long), nullptr));
  const unsigned bit = HashBit(hash);
  m_hashBits[bit / 32] |= 1ul << (bit % 32);
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
  // The hash of context + text follows from the text's hash: h(a + b) = h(a) * 257^|b| + h(b).
  unsigned long textHash = 0;
  unsigned long power = 1;
  size_t textBytes = 0;
  for (const char* p = text; *p; ++p, ++textBytes) {
    textHash = textHash * 257 + static_cast<unsigned long>(static_cast<long>(static_cast<signed char>(*p)));
    power *= 257;
  }
  if (context && *context && MayHold(QVHashString(context) * power + textHash)) {
    const size_t contextBytes = strlen(context);
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
  return MayHold(textHash) ? FindEntry(text) : nullptr;
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
    NoteHash(QVHashString(source));
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

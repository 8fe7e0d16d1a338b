// The dictionary in a caller's structured storage: one stream "C%i" per entry and the stream
// "ContextHeader" with the entry count and the font settings. A string is its length with the
// terminating zero, then its bytes one by one.
#include <stdio.h>
#include <string.h>

#include "param/param_ref.h"
#include "param/xstorage.h"
#include "translate/wld.h"
#include "translate/wld_text.h"

namespace {

const char kHeaderStream[] = "ContextHeader";

void WriteText(IXStorageElement* stream, const char* text) {
  const unsigned long size = static_cast<unsigned long>(strlen(text)) + 1;
  stream->WriteDword(size);
  for (unsigned long i = 0; i < size; ++i) stream->WriteByte(static_cast<unsigned char>(text[i]));
}

// Reads a string of the storage form; its bytes end at the stored length or at a zero byte,
// whichever comes first. A length beyond the stream ends with the stream's exception.
CXString ReadText(IXStorageElement* stream) {
  const unsigned long size = stream->ReadDword();
  CXString text;
  char chunk[256];
  size_t used = 0;
  bool ended = false;
  for (unsigned long i = 0; i < size; ++i) {
    const char c = static_cast<char>(stream->ReadByte());
    if (ended) continue;
    if (c == 0) {
      ended = true;
      continue;
    }
    chunk[used++] = c;
    if (used == sizeof chunk - 1) {
      chunk[used] = 0;
      text += chunk;
      used = 0;
    }
  }
  chunk[used] = 0;
  text += chunk;
  return text;
}

CXString EntryStreamName(int index) {
  CXString name;
  name.Format("C%i", index);
  return name;
}

}  // namespace

void CWld::Save(IXStorage* storage) {
  if (!storage) return;
  int written = 0;
  for (QVPOSITION pos = m_texts.GetStartPosition(); pos;) {
    const char* source;
    const CContext* entry = *m_texts.GetNextAssoc(pos, source);
    QVRef<IXStorageElement> stream(storage->CreateStream(EntryStreamName(written)));
    if (!stream) continue;
    WriteText(stream.Get(), entry->m_source);
    WriteText(stream.Get(), entry->m_translation);
    stream->WriteDword(static_cast<unsigned long>(entry->m_fromFile));
    ++written;
  }
  m_storedCount = written;
  QVRef<IXStorageElement> header(storage->CreateStream(kHeaderStream));
  if (!header) return;
  header->WriteDword(static_cast<unsigned long>(written));
  WriteText(header.Get(), m_faceName);
  header->WriteDword(static_cast<unsigned long>(m_script));
  header->WriteDword(static_cast<unsigned long>(m_size));
}

void CWld::Restore(IXStorage* storage) {
  if (!storage) return;
  QVRef<IXStorageElement> header(storage->OpenStream(kHeaderStream));
  if (!header) return;
  m_storedCount = static_cast<int>(header->ReadDword());
  lstrcpynA(m_faceName, ReadText(header.Get()), sizeof m_faceName);
  m_script = static_cast<int>(header->ReadDword());
  m_size = static_cast<int>(header->ReadDword());
  for (int i = 0; i < m_storedCount; ++i) {
    QVRef<IXStorageElement> stream(storage->OpenStream(EntryStreamName(i)));
    if (!stream) break;  // entries are saved one after the other: a gap ends them
    const CXString source = ReadText(stream.Get());
    const CXString translation = ReadText(stream.Get());
    const int value = static_cast<int>(stream->ReadDword());
    SetEntry(wldtext::DecodeEscapes(source), wldtext::DecodeEscapes(translation), value);
  }
}

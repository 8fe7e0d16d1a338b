// The dictionary saved into and restored from a structured storage (an OLE compound file).
#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "param/param_ref.h"
#include "tests/support/ole_storage.h"
#include "tests/support/scratch_folder.h"
#include "translate/wld.h"

namespace {

TEST(WldStorage, SaveAndRestoreRoundTrip) {
  ScratchFolder folder;
  const char* const pairs[][2] = {
      {"Open", "Oeffnen"}, {"Tab\there", "Mit\tTab"}, {"rWHzDhn", "eins"}, {"pYVVfZp", "zwei"}};
  CWld saved;
  for (const auto& pair : pairs) saved.AddEntry(pair[0], pair[1]);
  saved.CreateDialogFont("Arial", 0, 11);
  QVRef<COleXStorage> storage(COleXStorage::CreateFile(folder / "dictionary.stg"));
  saved.Save(storage.Get());
  CWld restored;
  restored.Restore(storage.Get());
  EXPECT_EQ(4, restored.GetEntryCount());
  for (const auto& pair : pairs) EXPECT_STREQ(pair[1], restored.Translate(pair[0], 1)) << pair[0];
  EXPECT_STREQ("Arial", restored.GetFontFace());
  EXPECT_EQ(11, restored.GetFontSize());
  QVRef<IXStorageElement> header(storage->OpenStream("ContextHeader"));
  ASSERT_TRUE(header);
  EXPECT_EQ(4u, header->ReadDword()) << "the entry count first";
}

TEST(WldStorage, MalformedStorageNeverHangs) {
  ScratchFolder folder;
  QVRef<COleXStorage> storage(COleXStorage::CreateFile(folder / "bad.stg"));
  CWld empty;
  empty.Restore(storage.Get());  // no header: nothing happens
  EXPECT_EQ(0, empty.GetEntryCount());
  // A string is its length with the zero, then its bytes.
  auto writeText = [](IXStorageElement* stream, const char* text) {
    stream->WriteDword(static_cast<unsigned long>(strlen(text) + 1));
    for (size_t i = 0; i <= strlen(text); ++i) stream->WriteByte(static_cast<unsigned char>(text[i]));
  };
  {
    QVRef<IXStorageElement> header(storage->CreateStream("ContextHeader"));
    header->WriteDword(0x7FFFFFFF);  // far more entries than there are
    writeText(header.Get(), "");
    header->WriteDword(0);
    header->WriteDword(8);
    QVRef<IXStorageElement> entry(storage->CreateStream("C0"));
    writeText(entry.Get(), "ab");
    writeText(entry.Get(), "x");
    entry->WriteDword(1);
  }
  CWld restored;
  restored.Restore(storage.Get());
  EXPECT_STREQ("x", restored.Translate("ab", 1));
  EXPECT_EQ(1, restored.GetEntryCount());
  {
    QVRef<IXStorageElement> entry(storage->CreateStream("C1"));
    entry->WriteDword(0xFFFFFFF0);  // a length beyond the stream
    entry->WriteByte('y');
  }
  CWld cut;
  EXPECT_THROW(cut.Restore(storage.Get()), CXException);
}

}  // namespace

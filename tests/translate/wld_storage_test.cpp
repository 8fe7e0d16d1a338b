// The dictionary saved into and restored from a structured storage (an OLE compound file).
#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"
#include "tests/support/ole_storage.h"
#include "base/exceptions.h"
#include "param/param_ref.h"
#include "translate/wld.h"

namespace {

class WldStorageTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr))); }
  void TearDown() override { ::CoUninitialize(); }

  ScratchFolder folder_;
};

unsigned long ReadDwordOf(IXStorage* storage, const char* stream) {
  QVRef<IXStorageElement> element(storage->OpenStream(stream));
  return element ? element->ReadDword() : 0xDEADBEEF;
}

TEST_F(WldStorageTest, SaveAndRestoreRoundTrip) {
  CWld saved;
  saved.Init(
      folder_
          .Write("saved.wld",
                 "\"Open\"\n\"Oeffnen\"\n\"Tab\\there\"\n\"Mit\\tTab\"\n\"rWHzDhn\"\n\"eins\"\n\"pYVVfZp\"\n"
                 "\"zwei\"\n"
                 "\"DialogFontName\"\n\"Arial\"\n\"DialogFontScript\"\n\"0\"\n\"DialogFontSize\"\n\"11\"\n")
          .c_str());
  ASSERT_EQ(4, saved.GetEntryCount());
  const std::string path = folder_ / "dictionary.stg";
  {
    QVRef<COleXStorage> storage(COleXStorage::CreateFile(path));
    saved.Save(storage.Get());
    EXPECT_EQ(4u, ReadDwordOf(storage.Get(), "ContextHeader"));
    EXPECT_NE(0xDEADBEEF, ReadDwordOf(storage.Get(), "C3"));
    EXPECT_EQ(0xDEADBEEF, ReadDwordOf(storage.Get(), "C4"));
    QVRef<IXStorageElement> first(storage->OpenStream("C0"));
    ASSERT_TRUE(first);
    const unsigned long length = first->ReadDword();
    EXPECT_GT(length, 1u);
    storage->CommitStorage();
  }
  QVRef<COleXStorage> storage(COleXStorage::OpenFile(path));
  CWld restored;
  restored.Restore(storage.Get());
  EXPECT_EQ(4, restored.GetEntryCount());
  EXPECT_STREQ("Oeffnen", restored.Translate("Open", 1));
  EXPECT_STREQ("Mit\tTab", restored.Translate("Tab\there", 1));
  EXPECT_STREQ("eins", restored.Translate("rWHzDhn", 1));
  EXPECT_STREQ("zwei", restored.Translate("pYVVfZp", 1));
  EXPECT_STREQ("Arial", restored.GetFontFace());
  EXPECT_EQ(11, restored.GetFontSize());
}

TEST_F(WldStorageTest, MalformedStorageNeverHangs) {
  QVRef<COleXStorage> storage(COleXStorage::CreateFile(folder_ / "bad.stg"));
  CWld empty;
  empty.Restore(storage.Get());  // no header: nothing happens
  EXPECT_EQ(0, empty.GetEntryCount());
  {
    QVRef<IXStorageElement> header(storage->CreateStream("ContextHeader"));
    header->WriteDword(0x7FFFFFFF);  // far more entries than there are
    header->WriteDword(1);
    header->WriteByte(0);
    header->WriteDword(0);
    header->WriteDword(8);
    QVRef<IXStorageElement> entry(storage->CreateStream("C0"));
    entry->WriteDword(3);
    entry->WriteByte('a');
    entry->WriteByte('b');
    entry->WriteByte(0);
    entry->WriteDword(2);
    entry->WriteByte('x');
    entry->WriteByte(0);
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

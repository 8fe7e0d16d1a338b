// The parameter stores over memory, INI files and compound files: what they share is tested
// once for each, then what each store does on its own.
#include <gtest/gtest.h>
#include <windows.h>

#include "param/ini.h"
#include "param/mem_param.h"
#include "param/param_ref.h"
#include "param/xstorage.h"
#include "tests/param/param_test_util.h"
#include "tests/support/ole_storage.h"

namespace {

enum Kind { kMemory, kIniFile, kStorage };

class StoreTest : public ::testing::Test {
 protected:
  explicit StoreTest(Kind kind) : kind(kind), file(folder / (kind == kIniFile ? "store.ini" : "store.stg")) {}
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    Open(true);
  }
  void TearDown() override {
    root.Reset();
    storage.Reset();
    CoUninitialize();
  }
  void Open(bool create) {
    if (kind == kMemory) root.Reset(new_MemParam());
    if (kind == kIniFile) root.Reset(new_IParamIniFile(file.c_str()));
    if (kind == kStorage) {
      storage.Reset(create ? COleXStorage::CreateFile(file) : COleXStorage::OpenFile(file));
      root.Reset(new_IXStorParam(storage.Get()));
    }
  }
  // The tree, without the "@=e" lines that keep the INI store's sections in the file.
  std::string Tree() {
    std::string text = TreeText(root.Get());
    for (size_t at; kind == kIniFile && (at = text.find(" @=e")) != std::string::npos;) text.erase(at, 4);
    return text;
  }
  // The key of the INI file as the system's profile functions read it, or "<absent>".
  std::string Key(const char* section, const char* key) {
    char text[4096];
    GetPrivateProfileStringA(section, key, "<absent>", text, sizeof text, file.c_str());
    return text;
  }
  // Lets go of the store and the storage, which must leave everything in the file, and opens
  // the file again; the memory store stays as it is.
  void Reopen() {
    if (kind == kMemory) return;
    root.Reset();
    storage.Reset();
    Open(false);
  }

  const Kind kind;
  ScratchFolder folder;
  const std::string file;
  QVRef<COleXStorage> storage;
  QVRef<IParam> root;
};

class EveryStore : public StoreTest, public ::testing::WithParamInterface<Kind> {
 protected:
  EveryStore() : StoreTest(GetParam()) {}
};

TEST_P(EveryStore, PathsMakeChildrenLookupsIgnoreCaseAndMissingValuesCreateNothing) {
  SetAt(root.Get(), "a\\b\\c", 5);
  for (int pass = 0; pass < 2; ++pass, Reopen()) {
    SCOPED_TRACE(pass ? "reopened" : "as written");
    EXPECT_EQ("i5", ValueAt(root.Get(), "A\\B\\C"));
    EXPECT_EQ("missing", ValueAt(root.Get(), "a\\x\\c"));
    EXPECT_FALSE(QVRef<IParam>(root->GetChild("a\\x", FALSE)));
    EXPECT_EQ("[\\]\n[\\a]\n[\\a\\b] c=i5\n", Tree()) << "lookups must create nothing";
  }
  CQVVariant out(1234);
  EXPECT_FALSE(root->GetValue("nothing", &out));
  EXPECT_EQ(kind == kMemory ? "i1234" : "e", Text(out)) << "the memory store leaves the output alone";
  out = 1234;
  EXPECT_FALSE(root->GetValue("no\\such\\path", &out));
  EXPECT_EQ("i1234", Text(out));
  SetAt(root.Get(), "there", "text");
  EXPECT_TRUE(root->GetValue("there", nullptr)) << "a null output only asks for existence";
  EXPECT_TRUE(root->GetValue("there", &out));
  EXPECT_EQ("stext", Text(out)) << "the old value is cleared, the copy owned by the caller";
}

TEST_P(EveryStore, EveryTypeRoundTrips) {
  const CQVVariant samples[] = {CQVVariant(),
                                CQVVariant(0, QVT_BOOL),
                                CQVVariant(static_cast<unsigned char>(7)),
                                CQVVariant(static_cast<unsigned short>(65535)),
                                CQVVariant(4000000000ul),
                                CQVVariant(-9),
                                CQVVariant(2.5),
                                CQVVariant(0.25f),
                                CQVVariant("text"),
                                CQVVariant(tagPOINT{-1, 2}),
                                CQVVariant(tagRRECT{0.5, -1.25, 3, 1e-7})};
  const size_t count = sizeof samples / sizeof samples[0];
  for (size_t row = 0; row < count; ++row) root->SetValue(("v" + std::to_string(row)).c_str(), &samples[row]);
  for (int pass = 0; pass < 2; ++pass, Reopen()) {
    for (size_t row = 0; row < count; ++row) {
      CQVVariant back;
      ASSERT_TRUE(root->GetValue(("v" + std::to_string(row)).c_str(), &back)) << "row " << row;
      EXPECT_TRUE(back == samples[row]) << "row " << row << " pass " << pass << ": " << Text(back);
    }
  }
}

TEST_P(EveryStore, DeleteOperations) {
  // A compound file keeps streams and storages in one name space: values and children
  // get different names here.
  for (const char* name : {"a", "b", "c"}) {
    SetAt(root.Get(), (std::string("value-") + name).c_str(), 1);
    SetAt(root.Get(), (std::string(name) + "\\v").c_str(), 1);
    SetAt(root.Get(), (std::string(name) + "\\in\\v").c_str(), 1);
  }
  root->DeleteValue("VALUE-B");
  root->DeleteValue("never there");
  root->DeleteChild("B");
  root->DeleteChild("never there");
  EXPECT_EQ("[\\] value-a=i1 value-c=i1\n[\\a] v=i1\n[\\a\\in] v=i1\n[\\c] v=i1\n[\\c\\in] v=i1\n", Tree());
  root->DeleteAllValues();
  const std::string top = "[\\]\n";
  EXPECT_EQ(top + "[\\a] v=i1\n[\\a\\in] v=i1\n[\\c] v=i1\n[\\c\\in] v=i1\n", Tree());
  root->DeleteAllChildren();
  for (int pass = 0; pass < 2; ++pass, Reopen()) EXPECT_EQ(top, Tree()) << "pass " << pass;
}

INSTANTIATE_TEST_SUITE_P(Stores, EveryStore, ::testing::Values(kMemory, kIniFile, kStorage));

template <Kind kKind>
class StoreOf : public StoreTest {
 protected:
  StoreOf() : StoreTest(kKind) {}
};
typedef StoreOf<kMemory> MemParam;
typedef StoreOf<kIniFile> IniFileParam;
typedef StoreOf<kStorage> XStorParam;

TEST_F(MemParam, AnEnumeratorKeepsWalkingTheNamesItStartedWith) {
  for (const char* name : {"a", "b", "c", "d"}) SetAt(root.Get(), name, 1);
  SetAt(root.Get(), "x\\y", 1);
  QVRef<IParam> x(root->GetChild("x", FALSE));
  CTEnum<const char*>* values = root->EnumValues();
  const char* name;
  Names seen;
  while (values->Next(1, &name, nullptr)) {
    seen.push_back(name);
    root->DeleteValue(name);
  }
  values->Release();
  EXPECT_EQ((Names{"a", "b", "c", "d"}), seen);
  root->RemoveAll();
  EXPECT_EQ("[\\]\n", Tree());
  EXPECT_EQ(Names{"y"}, ValueNames(x.Get())) << "RemoveAll releases children, it does not empty them";
}

// Shift-JIS HYO = 0x95 0x5C: its trail byte is a backslash.
TEST_F(MemParam, TrailByteIsNoPathDelimiter) {
  DoubleByteCodePage codePage;
  SetAt(root.Get(), "\x95\x5C", 1);
  SetAt(root.Get(), "\x95\x5C\\\x95\x5C", 2);
  EXPECT_EQ("[\\] \x95\x5C=i1\n[\\\x95\x5C] \x95\x5C=i2\n", Tree());
}

TEST_F(IniFileParam, ValuesAsTheProfileFunctionsSeeThem) {
  SetAt(root.Get(), "k", 42);
  SetAt(root.Get(), "s", "  padded text");
  SetAt(root.Get(), "", 5);
  SetAt(root.Get(), "r", tagRECT{1, -2, 3, 4});
  SetAt(root.Get(), "p\\q\\v", 7);
  EXPECT_EQ("i42", Key("\\", "k"));
  EXPECT_EQ("s  padded text", Key("\\", "s"));
  EXPECT_EQ("i5", Key("\\", "@")) << "the default value is the key @";
  EXPECT_EQ("t1,-2,3,4", Key("\\", "r"));
  EXPECT_EQ("i7", Key("\\p\\q", "v"));
  EXPECT_EQ((Names{"@", "k", "s", "r"}), ValueNames(root.Get())) << "file order";
  EXPECT_EQ("i5", ValueAt(root.Get(), nullptr));
  WritePrivateProfileStringA("\\", "big", "w70000", file.c_str());
  EXPECT_EQ("missing", ValueAt(root.Get(), "big")) << "text that does not decode";
  root->DeleteAllValues();
  EXPECT_EQ("e", Key("\\", "@")) << "the section stays, with an empty default value";

  root->RemoveAll();
  char sections[256] = {'x', 0, 0};
  GetPrivateProfileSectionNamesA(sections, sizeof sections, file.c_str());
  EXPECT_STREQ("", sections);
}

TEST_F(XStorParam, ValuesAreStreamsInSubStoragesCommittedOnTheLastRelease) {
  SetAt(root.Get(), "a\\b", 5);
  EXPECT_EQ(Names{}, Drain(storage->EnumStreams())) << "the outer storage gets no stream";
  EXPECT_EQ(Names{"a"}, Drain(storage->EnumStorages()));
  EXPECT_EQ(Names{"b"}, Drain(QVRef<IXStorage>(storage->OpenStorage("a"))->EnumStreams()));
  const int commits = storage->GetCommitCount();
  root.Reset();
  EXPECT_EQ(commits + 2, storage->GetCommitCount()) << "once on the last release, once in the destructor";
}

TEST_F(XStorParam, ChildrenKeepTheRootAliveAndRemoveAllDestroysTheirStorage) {
  SetAt(root.Get(), "keep\\v", 1);
  SetAt(root.Get(), "drop\\inner\\w", 1);
  QVRef<IParam> keep(root->GetChild("keep", FALSE)), drop(root->GetChild("drop", FALSE));
  root.Reset();
  SetAt(keep.Get(), "after", 3);
  drop->RemoveAll();
  EXPECT_FALSE(drop->QueryInterface(typeid(IXStorage), nullptr))
      << "after RemoveAll the store holds no storage";
  EXPECT_EQ(nullptr, drop->EnumValues());
  EXPECT_NO_THROW(SetAt(drop.Get(), "v", 2));
  keep.Reset();
  drop.Reset();
  Reopen();
  EXPECT_EQ("[\\]\n[\\keep] v=i1 after=i3\n", Tree());
}

}  // namespace

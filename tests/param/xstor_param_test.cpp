// The storage-backed store over compound files: nodes as storages, values as streams,
// commits that reach the file, and storage failures turned into results.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/exceptions.h"
#include "param/param_ref.h"
#include "param/xstorage.h"
#include "tests/support/ole_storage.h"
#include "tests/param/param_test_util.h"

namespace {

typedef std::vector<std::string> Names;

class XStorParam : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    path = std::string(folder) + "tw-xstor-" + std::to_string(GetCurrentProcessId()) + ".stg";
    storage.Reset(COleXStorage::CreateFile(path));
    root.Reset(new_IXStorParam(storage.Get()));
  }
  void TearDown() override {
    root.Reset();
    storage.Reset();
    DeleteFileA(path.c_str());
    CoUninitialize();
  }
  // Lets go of the store and the storage, which must leave everything in the file.
  void CloseAll() {
    root.Reset();
    storage.Reset();
  }
  void Reopen() {
    CloseAll();
    storage.Reset(COleXStorage::OpenFile(path));
    root.Reset(new_IXStorParam(storage.Get()));
  }
  // A sub-storage of the raw storage, or null.
  QVRef<IXStorage> Sub(IXStorage* parent, const char* name) {
    return QVRef<IXStorage>(parent->OpenStorage(name));
  }

  std::string path;
  QVRef<COleXStorage> storage;
  QVRef<IParam> root;
};

TEST_F(XStorParam, ValuePathMakesASubStorageAndAStream) {
  SetInt(root.Get(), "a\\b", 5);
  EXPECT_EQ(Names{}, Drain(storage->EnumStreams())) << "the outer storage gets no stream";
  EXPECT_EQ(Names{"a"}, Drain(storage->EnumStorages()));
  QVRef<IXStorage> a = Sub(storage.Get(), "a");
  ASSERT_TRUE(a);
  EXPECT_EQ(Names{"b"}, Drain(a->EnumStreams()));
  EXPECT_EQ("i:5", ValueAt(root.Get(), "a\\b"));
  EXPECT_EQ(Names{}, ValueNames(root.Get()));
  EXPECT_EQ(Names{"a"}, ChildNames(root.Get()));
}

TEST_F(XStorParam, MissingStreamGivesFalseAndAnEmptyOutput) {
  CQVVariant out(77);
  EXPECT_FALSE(root->GetValue("nothing", &out));
  EXPECT_EQ(QVT_EMPTY, out.vt);
  out = 78;
  EXPECT_FALSE(root->GetValue("no\\such", &out)) << "missing child";
  EXPECT_EQ(Names{}, Drain(storage->EnumStorages())) << "reading creates nothing";
}

TEST_F(XStorParam, EverythingReachesTheFileThroughCommits) {
  SetInt(root.Get(), "top", 1);
  SetText(root.Get(), "a\\b\\deep", "down here");
  {
    QVRef<IParam> child(root->GetChild("c", TRUE));
    SetInt(child.Get(), "held", 2);
    root.Reset();  // the child keeps the root store alive
    SetInt(child.Get(), "after", 3);
  }
  Reopen();
  EXPECT_EQ("i:1", ValueAt(root.Get(), "top"));
  EXPECT_EQ("s:down here", ValueAt(root.Get(), "a\\b\\deep"));
  EXPECT_EQ("i:2", ValueAt(root.Get(), "c\\held"));
  EXPECT_EQ("i:3", ValueAt(root.Get(), "c\\after"));
}

TEST_F(XStorParam, LastReleaseCommitsTheStorage) {
  SetInt(root.Get(), "v", 1);
  EXPECT_EQ(0, storage->GetCommitCount());
  root.Reset();
  EXPECT_EQ(2, storage->GetCommitCount()) << "once on the last release, once in the destructor";
}

TEST_F(XStorParam, RemoveAllOfAChildDestroysItsStorage) {
  SetInt(root.Get(), "keep\\v", 1);
  SetInt(root.Get(), "drop\\v", 1);
  SetInt(root.Get(), "drop\\inner\\w", 1);
  {
    QVRef<IParam> drop(root->GetChild("drop", FALSE));
    drop->RemoveAll();
    EXPECT_EQ("missing", ValueAt(drop.Get(), "v")) << "after RemoveAll the store holds no storage";
    EXPECT_FALSE(drop->QueryInterface(typeid(IXStorage), nullptr));
    EXPECT_EQ(nullptr, drop->EnumValues());
    EXPECT_NO_THROW(SetInt(drop.Get(), "v", 2));
  }
  EXPECT_EQ(Names{"keep"}, ChildNames(root.Get()));
  Reopen();
  EXPECT_EQ(Names{"keep"}, ChildNames(root.Get()));
  EXPECT_EQ("i:1", ValueAt(root.Get(), "keep\\v"));
}

TEST_F(XStorParam, DeleteOperations) {
  // A compound file keeps streams and storages in one name space: values and children
  // get different names here.
  for (const char* name : {"a", "b", "c"}) {
    SetInt(root.Get(), (std::string("value-") + name).c_str(), 1);
    SetInt(root.Get(), (std::string(name) + "\\v").c_str(), 1);
  }
  EXPECT_EQ(3u, ValueNames(root.Get()).size());
  root->DeleteValue("value-b");
  EXPECT_EQ("missing", ValueAt(root.Get(), "value-b"));
  EXPECT_EQ(2u, ValueNames(root.Get()).size());
  root->DeleteChild("b");
  EXPECT_EQ(2u, ChildNames(root.Get()).size());
  EXPECT_EQ("missing", ValueAt(root.Get(), "b\\v"));
  root->DeleteChild("never there");
  root->DeleteAllValues();
  EXPECT_EQ(Names{}, ValueNames(root.Get()));
  EXPECT_EQ(2u, ChildNames(root.Get()).size());
  root->DeleteAllChildren();
  EXPECT_EQ(Names{}, ChildNames(root.Get()));
  Reopen();
  EXPECT_EQ(Names{}, ChildNames(root.Get()));
  EXPECT_EQ(Names{}, ValueNames(root.Get()));
}

}  // namespace

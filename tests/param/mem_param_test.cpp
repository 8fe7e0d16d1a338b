// The memory store: paths, letter case, the default value name, enumeration order,
// colliding names and references.
#include "param/mem_param.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/keys.h"
#include "param/param_ref.h"
#include "tests/param/param_test_util.h"

namespace {

typedef std::vector<std::string> Names;

class MemParam : public ::testing::Test {
 protected:
  void SetUp() override { root.Reset(new_MemParam()); }
  QVRef<IParam> root;
};

TEST_F(MemParam, ValuePathCreatesTheChildrenOnTheWay) {
  SetInt(root.Get(), "a\\b\\c", 5);
  EXPECT_EQ(Names{}, ValueNames(root.Get()));
  EXPECT_EQ(Names{"a"}, ChildNames(root.Get()));
  QVRef<IParam> b(root->GetChild("a\\b", FALSE));
  ASSERT_TRUE(b);
  EXPECT_EQ(Names{"c"}, ValueNames(b.Get()));
  EXPECT_EQ(Names{}, ChildNames(b.Get()));
  EXPECT_EQ("i:5", ValueAt(b.Get(), "c"));
}

TEST_F(MemParam, LookupsIgnoreCaseAndCreateNothing) {
  SetInt(root.Get(), "a\\b\\c", 5);
  EXPECT_EQ("i:5", ValueAt(root.Get(), "A\\B\\C"));
  EXPECT_EQ("missing", ValueAt(root.Get(), "a\\x\\c"));
  QVRef<IParam> a(root->GetChild("A", FALSE));
  ASSERT_TRUE(a);
  EXPECT_EQ(Names{"b"}, ChildNames(a.Get())) << "x must not have been created";
  EXPECT_FALSE(QVRef<IParam>(root->GetChild("a\\x", FALSE)));
  EXPECT_FALSE(QVRef<IParam>(root->GetChild("nothing", FALSE)));
  EXPECT_EQ(Names{"b"}, ChildNames(a.Get()));
}

TEST_F(MemParam, GetChildWithCreateMakesTheWholePath) {
  QVRef<IParam> deep(root->GetChild("p\\q\\r", TRUE));
  ASSERT_TRUE(deep);
  SetInt(deep.Get(), "v", 1);
  EXPECT_EQ("i:1", ValueAt(root.Get(), "P\\Q\\R\\V"));
  // An existing part of the path is reused, not emptied.
  QVRef<IParam> again(root->GetChild("p\\q\\r", TRUE));
  EXPECT_EQ(deep.Get(), again.Get());
  EXPECT_EQ("i:1", ValueAt(again.Get(), "v"));
}

TEST_F(MemParam, MissingValueLeavesTheOutputUntouched) {
  CQVVariant out(1234);
  EXPECT_FALSE(root->GetValue("nothing", &out));
  EXPECT_EQ("i:1234", Describe(out));
  EXPECT_FALSE(root->GetValue("no\\such\\path", &out));
  EXPECT_EQ("i:1234", Describe(out));
  SetText(root.Get(), "there", "text");
  EXPECT_TRUE(root->GetValue("there", nullptr)) << "a null output only asks for existence";
  EXPECT_TRUE(root->GetValue("there", &out));
  EXPECT_EQ("s:text", Describe(out)) << "the old value is cleared, the copy owned by the caller";
}

TEST_F(MemParam, DefaultValueName) {
  SetInt(root.Get(), "", 1);
  EXPECT_EQ("i:1", ValueAt(root.Get(), "@"));
  SetInt(root.Get(), nullptr, 2);
  EXPECT_EQ("i:2", ValueAt(root.Get(), "@"));
  EXPECT_EQ("i:2", ValueAt(root.Get(), ""));
  EXPECT_EQ("i:2", ValueAt(root.Get(), nullptr));
  EXPECT_EQ(Names{"@"}, ValueNames(root.Get()));
  // A trailing backslash names the child's default value.
  SetInt(root.Get(), "k\\", 3);
  EXPECT_EQ("i:3", ValueAt(root.Get(), "k\\@"));
  root->DeleteValue(nullptr);
  EXPECT_EQ(Names{}, ValueNames(root.Get()));
}

TEST_F(MemParam, CreateChildEmptiesAnExistingChild) {
  QVRef<IParam> x(root->CreateChild("x"));
  SetInt(x.Get(), "v", 1);
  SetInt(x.Get(), "sub\\w", 2);
  QVRef<IParam> again(root->CreateChild("X"));
  EXPECT_EQ(x.Get(), again.Get()) << "the same node, emptied";
  EXPECT_EQ(Names{}, ValueNames(again.Get()));
  EXPECT_EQ(Names{}, ChildNames(again.Get()));
  EXPECT_EQ(Names{"x"}, ChildNames(root.Get()));
  // A path creates the parents and empties only the last node.
  SetInt(root.Get(), "p\\keep", 1);
  SetInt(root.Get(), "p\\q\\drop", 1);
  QVRef<IParam> q(root->CreateChild("p\\q"));
  EXPECT_EQ(Names{}, ValueNames(q.Get()));
  EXPECT_EQ("i:1", ValueAt(root.Get(), "p\\keep"));
}

TEST_F(MemParam, SecondSpellingReplacesTheValueKeepsTheName) {
  SetInt(root.Get(), "Key", 1);
  SetInt(root.Get(), "other", 9);
  SetText(root.Get(), "KEY", "second");
  EXPECT_EQ((Names{"Key", "other"}), ValueNames(root.Get()));
  EXPECT_EQ("s:second", ValueAt(root.Get(), "key"));
  QVRef<IParam> first(root->CreateChild("Child"));
  QVRef<IParam> second(root->GetChild("CHILD", TRUE));
  EXPECT_EQ(first.Get(), second.Get());
  EXPECT_EQ(Names{"Child"}, ChildNames(root.Get()));
}

TEST_F(MemParam, EnumerationOrderAfterDeleteAndAddAgain) {
  for (const char* name : {"a", "b", "c"}) {
    SetInt(root.Get(), name, 1);
    QVRef<IParam>(root->CreateChild(name));
  }
  root->DeleteValue("B");
  root->DeleteChild("B");
  EXPECT_EQ((Names{"a", "c"}), ValueNames(root.Get()));
  EXPECT_EQ((Names{"a", "c"}), ChildNames(root.Get()));
  SetInt(root.Get(), "b", 2);
  QVRef<IParam>(root->CreateChild("b"));
  EXPECT_EQ((Names{"a", "c", "b"}), ValueNames(root.Get()));
  EXPECT_EQ((Names{"a", "c", "b"}), ChildNames(root.Get()));
  // Replacing a value does not move it.
  SetInt(root.Get(), "a", 3);
  EXPECT_EQ((Names{"a", "c", "b"}), ValueNames(root.Get()));
}

TEST_F(MemParam, NamesWithTheSameHashStayApart) {
  const char* first = "uapfpjg";
  const char* second = "SDSDDYB";
  ASSERT_EQ(QVHashStringNoCase(first), QVHashStringNoCase(second)) << "the pair must collide";
  SetInt(root.Get(), first, 1);
  SetInt(root.Get(), second, 2);
  EXPECT_EQ("i:1", ValueAt(root.Get(), first));
  EXPECT_EQ("i:2", ValueAt(root.Get(), second));
  EXPECT_EQ((Names{first, second}), ValueNames(root.Get()));
  root->DeleteValue(first);
  EXPECT_EQ("missing", ValueAt(root.Get(), first));
  EXPECT_EQ("i:2", ValueAt(root.Get(), second));

  QVRef<IParam> a(root->CreateChild(first));
  QVRef<IParam> b(root->CreateChild(second));
  EXPECT_NE(a.Get(), b.Get());
  SetInt(a.Get(), "v", 10);
  SetInt(b.Get(), "v", 20);
  EXPECT_EQ("i:10", ValueAt(root.Get(), "UAPFPJG\\v"));
  EXPECT_EQ("i:20", ValueAt(root.Get(), "sdsddyb\\v"));
  root->DeleteChild(second);
  EXPECT_EQ(Names{first}, ChildNames(root.Get()));
  EXPECT_EQ("i:10", ValueAt(root.Get(), "uapfpjg\\v"));
}

TEST_F(MemParam, DeleteChildEmptiesAReferenceHeldElsewhere) {
  SetInt(root.Get(), "c\\v", 1);
  QVRef<IParam> held(root->GetChild("c", FALSE));
  EXPECT_EQ(2, RefCount(held.Get())) << "the caller and the parent's map";
  root->DeleteChild("C");
  EXPECT_EQ(Names{}, ChildNames(root.Get()));
  EXPECT_EQ(Names{}, ValueNames(held.Get()));
  EXPECT_EQ(1, RefCount(held.Get())) << "the map's reference is dropped";
  root->DeleteChild("never there");
  EXPECT_EQ(Names{}, ChildNames(root.Get()));
}

TEST_F(MemParam, DeleteAllAndRemoveAll) {
  for (const char* name : {"a", "b", "c"}) {
    SetInt(root.Get(), name, 1);
    SetInt(root.Get(), (std::string(name) + "\\v").c_str(), 1);
  }
  root->DeleteAllValues();
  EXPECT_EQ(Names{}, ValueNames(root.Get()));
  EXPECT_EQ((Names{"a", "b", "c"}), ChildNames(root.Get()));
  QVRef<IParam> b(root->GetChild("b", FALSE));
  root->DeleteAllChildren();
  EXPECT_EQ(Names{}, ChildNames(root.Get()));
  EXPECT_EQ(Names{}, ValueNames(b.Get()));
  EXPECT_EQ(1, RefCount(b.Get()));

  SetInt(root.Get(), "x\\y", 1);
  SetInt(root.Get(), "z", 1);
  QVRef<IParam> x(root->GetChild("x", FALSE));
  // An enumerator that is still out keeps walking the names it started with.
  CTEnum<const char*>* values = root->EnumValues();
  root->RemoveAll();
  EXPECT_EQ(Names{"z"}, Drain(values));
  EXPECT_EQ(Names{}, ChildNames(root.Get()));
  EXPECT_EQ(Names{}, ValueNames(root.Get()));
  EXPECT_EQ(Names{"y"}, ValueNames(x.Get())) << "RemoveAll releases children, it does not empty them";
  EXPECT_EQ(1, RefCount(x.Get()));
}

TEST_F(MemParam, EnumeratorKeepsNamesAliveWhileTheStoreGoes) {
  SetInt(root.Get(), "one", 1);
  SetInt(root.Get(), "two", 2);
  CTEnum<const char*>* values = root->EnumValues();
  root.Reset();
  EXPECT_EQ((Names{"one", "two"}), Drain(values));
}

TEST_F(MemParam, DeletingWhileEnumeratingIsSafe) {
  for (const char* name : {"a", "b", "c", "d"}) SetInt(root.Get(), name, 1);
  CTEnum<const char*>* values = root->EnumValues();
  const char* name;
  Names seen;
  while (values->Next(1, &name, nullptr)) {
    seen.push_back(name);
    root->DeleteValue(name);
  }
  values->Release();
  EXPECT_EQ((Names{"a", "b", "c", "d"}), seen);
  EXPECT_EQ(Names{}, ValueNames(root.Get()));
}

TEST_F(MemParam, ChildOutlivesItsParent) {
  QVRef<IParam> child(root->GetChild("c", TRUE));
  SetInt(child.Get(), "v", 7);
  root.Reset();
  EXPECT_EQ(1, RefCount(child.Get()));
  EXPECT_EQ("i:7", ValueAt(child.Get(), "v"));
}

TEST_F(MemParam, LongPaths) {
  std::string path;
  for (int level = 0; level < 60; ++level) path += "level" + std::to_string(level) + "\\";
  path += "value";
  ASSERT_GT(path.size(), 400u);
  SetInt(root.Get(), path.c_str(), 42);
  EXPECT_EQ("i:42", ValueAt(root.Get(), path.c_str()));
  EXPECT_EQ(Names{"level0"}, ChildNames(root.Get()));
}

TEST_F(MemParam, ValuesAreCopies) {
  CQVVariant text("original");
  root->SetValue("s", &text);
  text = "changed";
  EXPECT_EQ("s:original", ValueAt(root.Get(), "s"));
  root->SetValue("null", nullptr);
  EXPECT_EQ("e", ValueAt(root.Get(), "null"));
}

TEST_F(MemParam, QueryInterfaceAnswersFromRegisteredInterfacesOnly) {
  IParam* asParam = nullptr;
  EXPECT_FALSE(root->QueryInterface(typeid(IParam), reinterpret_cast<void**>(&asParam)));
  EXPECT_EQ(nullptr, asParam);
  EXPECT_FALSE(root->QueryInterface(typeid(IQVUnknown), nullptr));
  IRegisterIface* reg = nullptr;
  ASSERT_TRUE(root->QueryInterface(typeid(IRegisterIface), reinterpret_cast<void**>(&reg)));
  EXPECT_EQ(2, RefCount(root.Get())) << "the answer carries a reference on the store";
  // Registering the store's IParam makes it answer for that too.
  EXPECT_TRUE(reg->RegisterIface(root.Get(), typeid(IParam), FALSE));
  EXPECT_TRUE(root->QueryInterface(typeid(IParam), reinterpret_cast<void**>(&asParam)));
  EXPECT_EQ(root.Get(), asParam);
  asParam->Release();
  EXPECT_TRUE(reg->RegisterIface(nullptr, typeid(IParam), FALSE));
  EXPECT_FALSE(root->QueryInterface(typeid(IParam), nullptr));
  reg->Release();
  // Children register their IRegisterIface as well.
  QVRef<IParam> child(root->CreateChild("c"));
  EXPECT_TRUE(child->QueryInterface(typeid(IRegisterIface), nullptr));
}

class MemParamDoubleByte : public MemParam {
 protected:
  void SetUp() override {
    ASSERT_TRUE(codePage.ok()) << "code page 932 unavailable";
    MemParam::SetUp();
  }
  DoubleByteCodePage codePage;
};

// Shift-JIS HYO = 0x95 0x5C: its trail byte is a backslash.
TEST_F(MemParamDoubleByte, TrailByteIsNoPathDelimiter) {
  SetInt(root.Get(), "\x95\x5C", 1);
  EXPECT_EQ(Names{"\x95\x5C"}, ValueNames(root.Get()));
  EXPECT_EQ(Names{}, ChildNames(root.Get()));
  SetInt(root.Get(), "\x95\x5C\\\x95\x5C", 2);
  EXPECT_EQ(Names{"\x95\x5C"}, ChildNames(root.Get()));
  EXPECT_EQ("i:2", ValueAt(root.Get(), "\x95\x5C\\\x95\x5C"));
}

}  // namespace

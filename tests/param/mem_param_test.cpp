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

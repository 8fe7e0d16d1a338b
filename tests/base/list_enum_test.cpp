// Lists and enumerators: Next, Skip and Reset, references between enumerator and list,
// and the string-splitting enumerators.
#include <gtest/gtest.h>
#include <mbctype.h>

#include <string>
#include <vector>

#include "base/list.h"
#include "base/string_enums.h"

namespace {

typedef CTListEnum<const char*, const char*> NameList;

std::vector<std::string> Drain(CTEnum<const char*>* e) {
  std::vector<std::string> items;
  const char* item;
  while (e->Next(1, &item, nullptr)) items.push_back(item);
  return items;
}

long CountOf(IQVUnknown* object) {
  object->AddRef();
  return object->Release();
}

NameList* MakeList(std::initializer_list<const char*> names) {
  NameList* list = new NameList;
  for (const char* name : names) list->AddString(name);
  return list;
}

TEST(ListEnum, NextFetchesTheRestThenNothing) {
  NameList* list = MakeList({"one", "two", "three"});
  CTEnum<const char*>* e = list->NewEnum();
  const char* items[5] = {};
  unsigned long fetched = 99;
  EXPECT_TRUE(e->Next(2, items, &fetched)) << "no Reset needed before the first Next";
  EXPECT_EQ(2u, fetched);
  EXPECT_STREQ("one", items[0]);
  EXPECT_STREQ("two", items[1]);
  EXPECT_TRUE(e->Next(5, items, &fetched));
  EXPECT_EQ(1u, fetched);
  EXPECT_STREQ("three", items[0]);
  EXPECT_FALSE(e->Next(5, items, &fetched));
  EXPECT_EQ(0u, fetched);
  EXPECT_FALSE(e->Next(1, items, nullptr));
  e->Reset();
  EXPECT_EQ((std::vector<std::string>{"one", "two", "three"}), Drain(e));
  e->Release();
  list->Release();
}

TEST(ListEnum, SkipReportsWhetherItemsRemain) {
  NameList* list = MakeList({"a", "b", "c"});
  CTEnum<const char*>* e = list->NewEnum();
  EXPECT_TRUE(e->Skip(1)) << "first Skip starts at the head";
  const char* item = nullptr;
  EXPECT_TRUE(e->Next(1, &item, nullptr));
  EXPECT_STREQ("b", item);
  EXPECT_FALSE(e->Skip(1)) << "c skipped, nothing left";
  EXPECT_FALSE(e->Skip(10));
  e->Reset();
  EXPECT_TRUE(e->Skip(2));
  EXPECT_TRUE(e->Next(1, &item, nullptr));
  EXPECT_STREQ("c", item);
  e->Reset();
  EXPECT_FALSE(e->Skip(3));
  e->Release();
  list->Release();

  NameList* empty = new NameList;
  CTEnum<const char*>* none = empty->NewEnum();
  EXPECT_FALSE(none->Skip(0));
  EXPECT_FALSE(none->Next(1, &item, nullptr));
  none->Release();
  empty->Release();
}

TEST(ListEnum, EveryReferenceOnTheEnumeratorIsOneOnTheList) {
  NameList* list = MakeList({"x"});
  CTEnum<const char*>* e = list->NewEnum();
  EXPECT_EQ(2, CountOf(list));
  EXPECT_EQ(2, e->AddRef());
  EXPECT_EQ(3, CountOf(list));
  EXPECT_EQ(1, e->Release());
  EXPECT_EQ(2, CountOf(list));
  EXPECT_EQ(1, list->Release()) << "the enumerator keeps the list";
  EXPECT_EQ((std::vector<std::string>{"x"}), Drain(e));
  EXPECT_EQ(0, e->Release());
}

TEST(ListEnum, EnumeratorsSeeNamesAddedAndRemovedInOrder) {
  NameList* list = MakeList({"Alpha", "Beta", "Gamma"});
  char source[] = "Delta";
  list->AddString(source);
  source[0] = 'X';
  EXPECT_NE(nullptr, list->FindString("beta", TRUE));
  EXPECT_EQ(nullptr, list->FindString("beta", FALSE));
  EXPECT_TRUE(list->RemoveString("BETA", TRUE));
  EXPECT_FALSE(list->RemoveString("BETA", TRUE));
  list->AddString("Beta");
  list->AddString(nullptr);
  EXPECT_EQ(5, list->GetCount());
  CTEnum<const char*>* e = list->NewEnum();
  EXPECT_EQ((std::vector<std::string>{"Alpha", "Gamma", "Delta", "Beta", ""}), Drain(e));
  e->Release();
  list->Release();
}

TEST(PList, OwnsObjectValues) {
  struct Tracked {
    explicit Tracked(int* counter) : counter(counter) {}
    ~Tracked() { ++*counter; }
    int* counter;
  };
  int destroyed = 0;
  {
    CTPList<Tracked*> list;
    list.AddTail(new Tracked(&destroyed));
    list.AddHead(new Tracked(&destroyed));
    list.AddTail(new Tracked(&destroyed));
    list.RemoveAt(list.GetHeadNode());
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(2, list.GetCount());
  }
  EXPECT_EQ(3, destroyed);
}

std::vector<std::string> Fields(const char* text, const char* separators) {
  CCharSeparatedStringsEnum* e = new CCharSeparatedStringsEnum(text, separators);
  std::vector<std::string> items = Drain(e);
  e->Release();
  return items;
}

TEST(CharSeparatedEnum, FieldsAsStrtokYieldsThem) {
  struct Row {
    const char* text;
    const char* separators;
    std::vector<std::string> fields;
  };
  const Row rows[] = {
      {"1,,2", ",", {"1", "2"}},
      {",a,b,", ",", {"a", "b"}},
      {"a;b,c", ",;", {"a", "b", "c"}},
      {"abc", ",", {"abc"}},
      {"", ",", {}},
      {",,,", ",", {}},
      {"a b", "", {"a b"}},
      {nullptr, ",", {}},
      {"x,y", nullptr, {"x,y"}},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].fields, Fields(rows[row].text, rows[row].separators)) << "row " << row;
}

TEST(CharSeparatedEnum, SkipIsAlwaysTrueAndResetRestarts) {
  CCharSeparatedStringsEnum* e = new CCharSeparatedStringsEnum("a,b,c", ",");
  EXPECT_TRUE(e->Skip(2));
  const char* item = nullptr;
  EXPECT_TRUE(e->Next(1, &item, nullptr));
  EXPECT_STREQ("c", item);
  EXPECT_TRUE(e->Skip(5));
  EXPECT_FALSE(e->Next(1, &item, nullptr));
  e->Reset();
  const char* items[4];
  unsigned long fetched = 0;
  EXPECT_TRUE(e->Next(4, items, &fetched));
  EXPECT_EQ(3u, fetched);
  e->Release();
}

TEST(CharSeparatedEnum, HoldsItsOwnerWhileAlive) {
  NameList* owner = new NameList;
  char text[] = "p q";
  CCharSeparatedStringsEnum* e = new CCharSeparatedStringsEnum(text, " ", owner);
  text[0] = 'z';
  EXPECT_EQ(2, CountOf(owner));
  EXPECT_EQ((std::vector<std::string>{"p", "q"}), Drain(e));
  e->Release();
  EXPECT_EQ(1, CountOf(owner));
  owner->Release();
}

TEST(CharSeparatedEnum, DoubleByteTrailBytesAreNotSeparators) {
  const int previous = _getmbcp();
  ASSERT_EQ(0, _setmbcp(932));
  // 0x95 0x5C is one character whose trail byte is a backslash.
  EXPECT_EQ((std::vector<std::string>{"a\x95\x5C"
                                      "b",
                                      "c"}),
            Fields("a\x95\x5C"
                   "b\\c",
                   "\\"));
  _setmbcp(previous);
}

TEST(ZeroDelimitedEnum, StringsUpToTheEmptyOne) {
  CZeroDelimitedStringsEnum* e = new CZeroDelimitedStringsEnum("a\0bc\0\0ignored\0");
  EXPECT_EQ(2u, e->GetCount());
  EXPECT_EQ((std::vector<std::string>{"a", "bc"}), Drain(e));
  EXPECT_TRUE(e->Skip(1));
  e->Reset();
  EXPECT_TRUE(e->Skip(1));
  EXPECT_EQ((std::vector<std::string>{"bc"}), Drain(e));
  e->Release();

  CZeroDelimitedStringsEnum* empty = new CZeroDelimitedStringsEnum("\0");
  EXPECT_EQ(0u, empty->GetCount());
  empty->Release();
  CZeroDelimitedStringsEnum* null = new CZeroDelimitedStringsEnum(nullptr);
  EXPECT_EQ(0u, null->GetCount());
  null->Release();
}

}  // namespace

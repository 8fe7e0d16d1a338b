// The string-splitting enumerators.
#include "base/string_enums.h"

#include <gtest/gtest.h>
#include <mbctype.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Drain(CTEnum<const char*>* e) {
  std::vector<std::string> items;
  const char* item;
  while (e->Next(1, &item, nullptr)) items.push_back(item);
  return items;
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
  e->Reset();
  EXPECT_TRUE(e->Skip(1));
  EXPECT_EQ((std::vector<std::string>{"bc"}), Drain(e));
  e->Release();
  for (const char* empty : {"\0", static_cast<const char*>(nullptr)}) {
    e = new CZeroDelimitedStringsEnum(empty);
    EXPECT_EQ(0u, e->GetCount());
    e->Release();
  }
}

}  // namespace

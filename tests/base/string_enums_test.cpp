// The character-separated string enumerator (the zero-delimited one is read through the
// INI-file store).
#include "base/string_enums.h"

#include <gtest/gtest.h>
#include <mbctype.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Names;

// Every item the enumerator yields; the enumerator is released.
Names Drain(CTEnum<const char*>* e) {
  Names items;
  const char* item;
  while (e->Next(1, &item, nullptr)) items.push_back(item);
  e->Release();
  return items;
}

TEST(CharSeparatedEnum, FieldsAsStrtokYieldsThem) {
  const int previous = _getmbcp();
  ASSERT_EQ(0, _setmbcp(932));
  const struct {
    const char* text;
    const char* separators;
    Names fields;
  } rows[] = {
      {"1,,2", ",", {"1", "2"}},
      {",a,b,", ",", {"a", "b"}},
      {"a;b,c", ",;", {"a", "b", "c"}},
      {"", ",", {}},
      {"a b", "", {"a b"}},
      {nullptr, ",", {}},
      {"x,y", nullptr, {"x,y"}},
      // 0x95 0x5C is one character whose trail byte is a backslash.
      {"a\x95\x5C"
       "b\\c",
       "\\",
       {"a\x95\x5C"
        "b",
        "c"}},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].fields, Drain(new CCharSeparatedStringsEnum(rows[row].text, rows[row].separators)))
        << "row " << row;
  _setmbcp(previous);
}

}  // namespace

// CTMap: letter case in both string-key kinds, colliding hashes, removal and iteration.
#include "base/map.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/keys.h"

namespace {

typedef CTMap<const char*, int> ExactMap;
typedef CTMap<const unsigned long*, int> NoCaseMap;

// Every entry as "key=value ", sorted by key.
template <class Map>
std::string Contents(Map& map) {
  std::map<std::string, int> sorted;
  for (QVPOSITION pos = map.GetStartPosition(); pos;) {
    const char* key;
    int value;
    map.GetNextAssoc(pos, key, value);
    EXPECT_TRUE(sorted.emplace(key, value).second) << "visited twice: " << key;
  }
  std::string text;
  for (const auto& entry : sorted) text += entry.first + "=" + std::to_string(entry.second) + " ";
  EXPECT_EQ(static_cast<int>(sorted.size()), map.GetCount());
  return text;
}

// Sets the keys in order to 1, 2, ..., removes one, and shows what is left.
template <class Map>
std::string AfterSetsAndRemoval(std::initializer_list<const char*> keys, const char* removed) {
  Map map;
  int value = 0;
  for (const char* key : keys) map.SetAt(key, ++value);
  std::string text = Contents(map);
  text += (map.RemoveKey(removed) ? "| -" : "| not ") + std::string(removed) + " | ";
  return text + Contents(map);
}

TEST(MapKeys, LetterCaseAndCollidingHashes) {
  // "aeaea" and "bagab" have the same hash under h = h * 257 + c.
  ASSERT_EQ(QVHashString("aeaea"), QVHashString("bagab"));
  ASSERT_EQ(QVHashStringNoCase("AEAEA"), QVHashStringNoCase("bagab"));
  const struct {
    std::initializer_list<const char*> keys;
    const char* removed;
    const char* exact;
    const char* nocase;
  } rows[] = {
      // The no-case map keeps the first spelling.
      {{"Key", "KEY"}, "key", "KEY=2 Key=1 | not key | KEY=2 Key=1 ", "Key=2 | -key | "},
      {{"aeaea", "bagab"},
       "aeaea",
       "aeaea=1 bagab=2 | -aeaea | bagab=2 ",
       "aeaea=1 bagab=2 | -aeaea | bagab=2 "},
      {{"AeAeA", "BAGAB", "bagab"},
       "AEAEA",
       "AeAeA=1 BAGAB=2 bagab=3 | not AEAEA | AeAeA=1 BAGAB=2 bagab=3 ",
       "AeAeA=1 BAGAB=3 | -AEAEA | BAGAB=3 "},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    EXPECT_EQ(rows[row].exact, AfterSetsAndRemoval<ExactMap>(rows[row].keys, rows[row].removed))
        << "row " << row;
    EXPECT_EQ(rows[row].nocase, AfterSetsAndRemoval<NoCaseMap>(rows[row].keys, rows[row].removed))
        << "row " << row;
  }
  NoCaseMap nocase;
  nocase.SetAt("Key", 1);
  int value = 0;
  EXPECT_TRUE(nocase.Lookup("kEY", value));
  EXPECT_EQ(1, value);
}

TEST(MapBasics, SetLookupRemoveAndIterate) {
  ExactMap map;
  EXPECT_EQ(127u, map.GetBucketCount());
  int value = -1;
  EXPECT_FALSE(map.Lookup("missing", value));
  EXPECT_EQ(-1, value) << "a failed lookup leaves the out value alone";
  EXPECT_FALSE(map.RemoveKey("missing"));
  EXPECT_EQ(nullptr, map.Find("missing"));

  std::string expected;
  std::map<std::string, int> sorted;
  for (int i = 0; i < 500; ++i) {
    map.SetAt(("key" + std::to_string(i)).c_str(), i);
    sorted["key" + std::to_string(i)] = i;
  }
  map.SetAt("key7", 700);
  sorted["key7"] = 700;
  map["key8"] += 5;
  sorted["key8"] += 5;
  map[""] = 9;  // the empty key is a key like any other
  sorted[""] = 9;
  for (const auto& entry : sorted) expected += entry.first + "=" + std::to_string(entry.second) + " ";
  EXPECT_EQ(expected, Contents(map));

  for (int i = 0; i < 500; i += 2) EXPECT_TRUE(map.RemoveKey(("key" + std::to_string(i)).c_str())) << i;
  EXPECT_EQ(251, map.GetCount());
  EXPECT_FALSE(map.Lookup("key4", value));
  EXPECT_TRUE(map.Lookup("key5", value));
  EXPECT_EQ(5, value);
  map.RemoveAll();
  EXPECT_EQ(0, map.GetCount());
  EXPECT_EQ(nullptr, map.GetStartPosition());
}

}  // namespace

// CTMap: letter case in both string-key kinds, colliding hashes, removal and iteration.
#include "base/map.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

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
std::string AfterSetsAndRemoval(std::vector<const char*> keys, const char* removed) {
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
    std::vector<const char*> keys;
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
}

}  // namespace

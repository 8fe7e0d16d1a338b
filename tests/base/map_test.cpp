// CTMap: letter case in both string-key kinds, colliding hashes, removal and iteration.
#include "base/map.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/keys.h"

namespace {

typedef CTMap<const char*, int> ExactMap;
typedef CTMap<const unsigned long*, int> NoCaseMap;

TEST(MapHash, IsHTimes257PlusSignedByte) {
  EXPECT_EQ(0ul, QVHashString(""));
  EXPECT_EQ(0ul, QVHashString(nullptr));
  EXPECT_EQ(97ul, QVHashString("a"));
  EXPECT_EQ(97ul * 257 + 98, QVHashString("ab"));
  EXPECT_EQ(static_cast<unsigned long>(-23), QVHashString("\xE9"));  // a signed byte
  EXPECT_EQ(QVHashString("ab"), QVHashStringNoCase("AB"));
  EXPECT_NE(QVHashString("AB"), QVHashStringNoCase("AB"));
}

TEST(MapCase, KeysDifferingInCaseAreTwoKeysOnlyInTheExactMap) {
  ExactMap exact;
  exact.SetAt("Key", 1);
  exact.SetAt("KEY", 2);
  EXPECT_EQ(2, exact.GetCount());
  int value = 0;
  EXPECT_TRUE(exact.Lookup("Key", value));
  EXPECT_EQ(1, value);
  EXPECT_TRUE(exact.Lookup("KEY", value));
  EXPECT_EQ(2, value);
  EXPECT_FALSE(exact.Lookup("key", value));

  NoCaseMap nocase;
  nocase.SetAt("Key", 1);
  nocase.SetAt("KEY", 2);
  EXPECT_EQ(1, nocase.GetCount());
  EXPECT_TRUE(nocase.Lookup("kEy", value));
  EXPECT_EQ(2, value);
  QVPOSITION pos = nocase.GetStartPosition();
  const char* key = nullptr;
  nocase.GetNextAssoc(pos, key, value);
  EXPECT_STREQ("Key", key) << "the first spelling is kept";
  EXPECT_EQ(nullptr, pos);
  EXPECT_TRUE(nocase.RemoveKey("KEY"));
  EXPECT_EQ(0, nocase.GetCount());
}

// "aeaea" and "bagab" have the same hash under h = h * 257 + c.
TEST(MapCollision, DistinctKeysWithEqualHashesStayApart) {
  ASSERT_EQ(QVHashString("aeaea"), QVHashString("bagab"));
  ASSERT_EQ(QVHashStringNoCase("AEAEA"), QVHashStringNoCase("bagab"));

  ExactMap exact;
  exact.SetAt("aeaea", 1);
  int value = 0;
  EXPECT_FALSE(exact.Lookup("bagab", value)) << "a colliding key is not the stored one";
  exact.SetAt("bagab", 2);
  EXPECT_EQ(2, exact.GetCount());
  EXPECT_TRUE(exact.Lookup("aeaea", value));
  EXPECT_EQ(1, value);
  EXPECT_TRUE(exact.Lookup("bagab", value));
  EXPECT_EQ(2, value);
  EXPECT_TRUE(exact.RemoveKey("aeaea"));
  EXPECT_FALSE(exact.Lookup("aeaea", value));
  EXPECT_TRUE(exact.Lookup("bagab", value));
  EXPECT_EQ(2, value);
  EXPECT_FALSE(exact.RemoveKey("aeaea"));

  NoCaseMap nocase;
  nocase.SetAt("AeAeA", 1);
  nocase.SetAt("BAGAB", 2);
  EXPECT_EQ(2, nocase.GetCount());
  EXPECT_TRUE(nocase.Lookup("aeaea", value));
  EXPECT_EQ(1, value);
  EXPECT_TRUE(nocase.Lookup("bagab", value));
  EXPECT_EQ(2, value);
}

TEST(MapBasics, SetLookupRemoveAndIterate) {
  ExactMap map;
  EXPECT_EQ(127u, map.GetBucketCount());
  int value = -1;
  EXPECT_FALSE(map.Lookup("missing", value));
  EXPECT_EQ(-1, value) << "a failed lookup leaves the out value alone";
  EXPECT_FALSE(map.RemoveKey("missing"));
  EXPECT_EQ(nullptr, map.Find("missing"));

  std::map<std::string, int> expected;
  for (int i = 0; i < 500; ++i) {
    const std::string key = "key" + std::to_string(i);
    map.SetAt(key.c_str(), i);
    expected[key] = i;
  }
  map.SetAt("key7", 700);
  expected["key7"] = 700;
  map["key8"] += 5;
  expected["key8"] += 5;
  map[""] = 9;  // the empty key is a key like any other
  expected[""] = 9;
  EXPECT_EQ(static_cast<int>(expected.size()), map.GetCount());

  std::map<std::string, int> seen;
  for (QVPOSITION pos = map.GetStartPosition(); pos;) {
    const char* key;
    map.GetNextAssoc(pos, key, value);
    EXPECT_TRUE(seen.emplace(key, value).second) << "visited twice: " << key;
  }
  EXPECT_EQ(expected, seen);

  for (int i = 0; i < 500; i += 2) EXPECT_TRUE(map.RemoveKey(("key" + std::to_string(i)).c_str())) << i;
  EXPECT_EQ(251, map.GetCount());
  EXPECT_FALSE(map.Lookup("key4", value));
  EXPECT_TRUE(map.Lookup("key5", value));
  EXPECT_EQ(5, value);
  map.RemoveAll();
  EXPECT_EQ(0, map.GetCount());
  EXPECT_EQ(nullptr, map.GetStartPosition());
}

struct Counted {
  static int live;
  Counted() { ++live; }
  Counted(const Counted&) { ++live; }
  Counted& operator=(const Counted&) = default;
  ~Counted() { --live; }
};
int Counted::live = 0;

}  // namespace

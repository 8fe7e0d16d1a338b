// Load-order editing, and the sorts measured against the literal exchange walks.
#include "engine/load_order.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "engine/configuration.h"

namespace {

// Walks adjacent pairs from the start, exchanges a pair when asked to and then starts
// over: the order the sorts must reproduce.
template <typename T>
void ExchangeWalk(std::vector<T>& items, const std::function<bool(const T&, const T&)>& exchange) {
  for (size_t i = 0; i + 1 < items.size();) {
    if (exchange(items[i], items[i + 1])) {
      std::swap(items[i], items[i + 1]);
      i = 0;
    } else {
      ++i;
    }
  }
}

// Small value ranges, so that ties and the special values occur often.
DWORD RandomOrder(std::mt19937& random) {
  static const DWORD kValues[] = {0, 1, 2, 3, 5, 0x7FFFFFFF, 0x80000000, kNoStdLoadOrder};
  return kValues[random() % (sizeof kValues / sizeof kValues[0])];
}

std::vector<PMAcadAppLink> RandomLinks(std::mt19937& random, size_t count) {
  std::vector<PMAcadAppLink> links(count);
  for (size_t i = 0; i < count; ++i) {
    links[i].Name = "L" + std::to_string(i);
    links[i].StdLoadOrder = RandomOrder(random);
    links[i].LoadOrder = RandomOrder(random);
    links[i].MenuLoaded = random() % 2;
  }
  return links;
}

std::string Describe(const std::vector<PMAcadAppLink>& links) {
  std::string text;
  for (const PMAcadAppLink& l : links)
    text += l.Name + "/" + std::to_string(l.StdLoadOrder) + "/" + std::to_string(l.LoadOrder) + "/" +
            std::to_string(l.MenuLoaded) + " ";
  return text;
}

const int kRandomRounds = 400;

TEST(SortEquivalenceTest, ResetOrderMatchesTheWalk) {
  std::mt19937 random(99);
  for (int round = 0; round < kRandomRounds; ++round) {
    PMAcadProfile profile;
    profile.Links = RandomLinks(random, random() % 14);
    std::vector<PMAcadAppLink> walked = profile.Links;
    if (walked.size() > 1) {
      for (PMAcadAppLink& link : walked) link.LoadOrder = 0;
      ExchangeWalk<PMAcadAppLink>(walked, [](const PMAcadAppLink& first, const PMAcadAppLink& second) {
        return second.StdLoadOrder < first.StdLoadOrder;
      });
    }
    for (PMAcadAppLink& link : walked) link.MenuLoaded = 0;
    ResetLoadOrder(profile);
    ASSERT_EQ(Describe(walked), Describe(profile.Links)) << "round " << round;
  }
}

TEST(SortEquivalenceTest, LinksByLoadOrderMatchTheWalk) {
  std::mt19937 random(7);
  for (int round = 0; round < kRandomRounds; ++round) {
    std::vector<PMAcadAppLink> links = RandomLinks(random, random() % 14);
    std::vector<PMAcadAppLink> walked = links;
    ExchangeWalk<PMAcadAppLink>(walked, [](const PMAcadAppLink& first, const PMAcadAppLink& second) {
      return second.LoadOrder != 0 && (first.LoadOrder == 0 || first.LoadOrder > second.LoadOrder);
    });
    SortLinksByLoadOrder(links);
    ASSERT_EQ(Describe(walked), Describe(links)) << "round " << round;
  }
}

PMAcadProfile Profile(std::initializer_list<DWORD> loadOrders) {
  PMAcadProfile profile;
  char name = 'A';
  for (DWORD order : loadOrders) {
    PMAcadAppLink link;
    link.Name = std::string(1, name++);
    link.LoadOrder = order;
    link.StdLoadOrder = 100 - order;
    link.MenuLoaded = 1;
    link.State = LinkEnable;
    link.Application = name - 'A';
    profile.Links.push_back(link);
  }
  return profile;
}

std::string Order(const PMAcadProfile& profile) {
  std::string text;
  for (const PMAcadAppLink& l : profile.Links) text += l.Name + std::to_string(l.LoadOrder) + " ";
  return text;
}

TEST(LoadOrderTest, ResetWithOneLinkOnlyClearsMenuLoaded) {
  PMAcadProfile profile = Profile({7});
  ResetLoadOrder(profile);
  EXPECT_EQ("A7 ", Order(profile));
  EXPECT_EQ(0u, profile.Links[0].MenuLoaded);
}

TEST(LoadOrderTest, ResetOrdersByStandardOrderAndClearsNumbers) {
  PMAcadProfile profile = Profile({1, 2, 3});
  profile.Links[1].StdLoadOrder = kNoStdLoadOrder;
  ResetLoadOrder(profile);
  EXPECT_EQ("C0 A0 B0 ", Order(profile));
  for (const PMAcadAppLink& link : profile.Links) EXPECT_EQ(0u, link.MenuLoaded) << link.Name;
}

TEST(LoadOrderTest, MoveUpNumbersFirstAndPositionsKeepTheirNumbers) {
  PMAcadProfile profile = Profile({0, 0, 0});
  EXPECT_EQ(1, MoveLinkUp(profile, 2));
  EXPECT_EQ("A1 C2 B3 ", Order(profile));
  EXPECT_EQ(LinkEnable, profile.Links[1].State);
  EXPECT_EQ(3, profile.Links[1].Application) << "the record moves with all its other fields";
  EXPECT_EQ(2, MoveLinkDown(profile, 1));
  EXPECT_EQ("A1 B2 C3 ", Order(profile));
}

TEST(LoadOrderTest, NumberingContinuesAfterStoredNumbers) {
  PMAcadProfile profile = Profile({0, 5, 0, 0, 2, 0});
  NumberLinks(profile);
  EXPECT_EQ("A1 B5 C6 D7 E2 F3 ", Order(profile));
}

TEST(LoadOrderTest, MovesPastTheEndsOnlyNumber) {
  const struct {
    bool up;
    int index;
    int result;
  } rows[] = {{true, 0, 0}, {false, 2, 2}, {true, -1, -1}, {false, -1, -1},
              {true, 3, 3}, {false, 3, 3}, {true, 99, 99}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    PMAcadProfile profile = Profile({0, 0, 0});
    int result = rows[i].up ? MoveLinkUp(profile, rows[i].index) : MoveLinkDown(profile, rows[i].index);
    EXPECT_EQ(rows[i].result, result) << "row " << i;
    EXPECT_EQ("A1 B2 C3 ", Order(profile)) << "row " << i;
  }
  PMAcadProfile empty;
  EXPECT_EQ(0, MoveLinkUp(empty, 0));
  EXPECT_EQ(0, MoveLinkDown(empty, 0));
}

}  // namespace

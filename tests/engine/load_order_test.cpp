// Load-order editing and the sorts by load order and by standard order.
#include "engine/load_order.h"

#include <gtest/gtest.h>

#include "engine/configuration.h"

namespace {

// Links A, B, C... with these load orders (and standard orders).
PMAcadProfile Profile(std::vector<DWORD> loadOrders, std::vector<DWORD> stdLoadOrders = {}) {
  PMAcadProfile profile;
  for (size_t i = 0; i < loadOrders.size(); ++i) {
    PMAcadAppLink link;
    link.Name = std::string(1, static_cast<char>('A' + i));
    link.LoadOrder = loadOrders[i];
    link.StdLoadOrder = i < stdLoadOrders.size() ? stdLoadOrders[i] : 0;
    link.MenuLoaded = 1;
    link.Application = static_cast<int>(i);
    profile.Links.push_back(link);
  }
  return profile;
}

// "A1 B0 ": name and load order; a "*" marks a MenuLoaded left set.
std::string Order(const PMAcadProfile& profile) {
  std::string text;
  for (const PMAcadAppLink& l : profile.Links)
    text += l.Name + std::to_string(l.LoadOrder) + (l.MenuLoaded ? "* " : " ");
  return text;
}

// Stable: equal keys keep their order; links without a number go last.
TEST(LoadOrderTest, SortsByLoadOrderAndResetsByStandardOrder) {
  const DWORD kBig = 0x80000000;
  PMAcadProfile profile = Profile({3, 0, 1, 0, 2, 1});
  SortLinksByLoadOrder(profile.Links);
  EXPECT_EQ("C1* F1* E2* A3* B0* D0* ", Order(profile));
  profile = Profile({0xFFFFFFFF, 0, kBig, 5});
  SortLinksByLoadOrder(profile.Links);
  EXPECT_EQ("D5* C2147483648* A4294967295* B0* ", Order(profile));

  profile = Profile({1, 2, 3, 4, 5, 6}, {5, kNoStdLoadOrder, 0, 5, kBig, 0});
  ResetLoadOrder(profile);
  EXPECT_EQ("C0 F0 A0 D0 E0 B0 ", Order(profile));
  profile = Profile({7});
  ResetLoadOrder(profile);
  EXPECT_EQ("A7 ", Order(profile)) << "one link keeps its number but not MenuLoaded";
}

// A move numbers the links first; the numbers stay with the positions. Past the ends a move
// only numbers.
TEST(LoadOrderTest, MovesNumberFirstAndPositionsKeepTheirNumbers) {
  const struct {
    bool up;
    int index;
    int result;
    const char* order;
  } rows[] = {{true, 2, 1, "A1* C2* B3* "},  {false, 0, 1, "B1* A2* C3* "},  {true, 0, 0, "A1* B2* C3* "},
              {false, 2, 2, "A1* B2* C3* "}, {true, -1, -1, "A1* B2* C3* "}, {false, -1, -1, "A1* B2* C3* "},
              {true, 3, 3, "A1* B2* C3* "},  {false, 3, 3, "A1* B2* C3* "},  {true, 99, 99, "A1* B2* C3* "}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    PMAcadProfile profile = Profile({0, 0, 0});
    int result = rows[i].up ? MoveLinkUp(profile, rows[i].index) : MoveLinkDown(profile, rows[i].index);
    EXPECT_EQ(rows[i].result, result) << "row " << i;
    EXPECT_EQ(rows[i].order, Order(profile)) << "row " << i;
    for (const PMAcadAppLink& link : profile.Links)  // each record moves whole
      EXPECT_EQ(link.Name[0] - 'A', link.Application) << "row " << i;
  }
  PMAcadProfile empty;
  EXPECT_EQ(0, MoveLinkUp(empty, 0));
  EXPECT_EQ(0, MoveLinkDown(empty, 0));
  PMAcadProfile profile = Profile({0, 5, 0, 0, 2, 0});
  NumberLinks(profile);
  EXPECT_EQ("A1* B5* C6* D7* E2* F3* ", Order(profile));
}

}  // namespace

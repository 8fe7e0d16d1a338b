// Reading a site standard from INI sections: values, lists, patterns and every kind of
// malformed input.
#include "engine/site_standard.h"

#include <gtest/gtest.h>

#include "engine/wildcard.h"

namespace {

IniSection Section(const std::string& name, std::vector<IniKey> keys) {
  return IniSection{name, std::move(keys)};
}

IniSection Office(std::vector<IniKey> extra = {}) {
  std::vector<IniKey> keys = {{"Products", "AutoCAD 20*;AutoCAD LT*     ; names as shown"},
                              {"Source", "\\\\server\\cad\\office.arg"}};
  keys.insert(keys.end(), extra.begin(), extra.end());
  return Section("Profile Office", keys);
}

TEST(SiteStandard, ReadsEveryKey) {
  SiteStandard site;
  const auto errors = ParseSiteStandard({Office({{"replace", "Always"},
                                                 {"Description", "\"Office; standard\"  ; quoted"},
                                                 {"Applications", "Alpha;Beta ; Gamma is a comment"},
                                                 {"CURRENT", "yes"}}),
                                         Section("remove", {{"Profiles", "Old *;Test?"}})},
                                        site);
  ASSERT_TRUE(errors.empty()) << errors[0].Key;
  ASSERT_EQ(1u, site.Profiles.size());
  const SiteProfile& office = site.Profiles[0];
  EXPECT_EQ("Office", office.Name);
  EXPECT_EQ(StringList({"AutoCAD 20*", "AutoCAD LT*"}), office.Products);
  EXPECT_EQ("\\\\server\\cad\\office.arg", office.Source);
  EXPECT_EQ(ReplaceRule::Always, office.Replace);
  EXPECT_TRUE(office.HasDescription);
  EXPECT_EQ("Office; standard", office.Description);
  EXPECT_TRUE(office.HasApplications);
  EXPECT_EQ(StringList({"Alpha", "Beta"}), office.Applications);
  EXPECT_TRUE(office.Current);
  EXPECT_EQ(StringList({"Old *", "Test?"}), site.RemovePatterns);
}

TEST(SiteStandard, OptionalKeysLeaveThingsAlone) {
  SiteStandard site;
  ASSERT_TRUE(ParseSiteStandard({Office({{"Applications", "  "}})}, site).empty());
  EXPECT_EQ(ReplaceRule::Missing, site.Profiles[0].Replace);
  EXPECT_FALSE(site.Profiles[0].HasDescription || site.Profiles[0].Current);
  EXPECT_TRUE(site.Profiles[0].HasApplications &&
              site.Profiles[0].Applications.empty());  // unlinks everything
}

// Each row gives one error: "kind|section|key|value" (kinds: 0 section, 1 key, 2 missing key, 3 value).
TEST(SiteStandard, MalformedInputIsNamed) {
  const std::string office = "|Profile Office|";
  const struct {
    std::vector<IniSection> sections;
    std::string error;
  } rows[] = {
      {{Office({{"Colour", "red"}})}, "1" + office + "Colour|"},
      {{Office({{"Current", "yes"}, {"current", "no"}})}, "1" + office + "current|"},
      {{Section("Profile Office", {{"Source", "a.arg"}})}, "2" + office + "Products|"},
      {{Section("Profile Office", {{"Products", "A*"}})}, "2" + office + "Source|"},
      {{Section("Profile Office", {{"Products", "A*"}, {"Source", " ; none"}})}, "2" + office + "Source|"},
      {{Section("Profile Office", {{"Products", ""}, {"Source", "a.arg"}})}, "2" + office + "Products|"},
      {{Section("Profile Office", {{"Products", "A [2010]"}, {"Source", "a"}})},
       "3" + office + "Products|A [2010]"},
      {{Section("Profile Office", {{"Products", "A*;;B*"}, {"Source", "a.arg"}})},
       "3" + office + "Products|"},
      {{Office({{"Replace", "sometimes"}})}, "3" + office + "Replace|sometimes"},
      {{Office({{"Current", "maybe"}})}, "3" + office + "Current|maybe"},
      {{Office({{"Applications", "Alpha;Alpha"}})}, "3" + office + "Applications|Alpha"},
      {{Office({{"Applications", "Alpha;a\\b"}})}, "3" + office + "Applications|a\\b"},
      {{Office({{"Description", std::string(600, 'd')}})},
       "3" + office + "Description|" + std::string(40, 'd') + "..."},
      {{Office(), Office()}, "0" + office + "|"},
      {{Section("Profile a\\b", {{"Products", "A"}, {"Source", "s"}})}, "0|Profile a\\b||"},
      {{Section("Profile Off*", {{"Products", "A"}, {"Source", "s"}})}, "0|Profile Off*||"},
      {{Section("Profiles", {})}, "0|Profiles||"},
      {{Section("Profile", {})}, "0|Profile||"},
      {{Section("Remove", {{"Profiles", "a\\*"}})}, "3|Remove|Profiles|a\\*"},
      {{Section("Remove", {{"Names", "x"}})}, "1|Remove|Names|"},
      {{Section("Remove", {}), Section("REMOVE", {})}, "0|REMOVE||"},
      {{Section("\x01\xff junk", {{"\x02", "\xfe"}})}, "0|\x01\xff junk||"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SiteStandard site;
    const auto errors = ParseSiteStandard(rows[i].sections, site);
    ASSERT_EQ(1u, errors.size()) << "row " << i;
    EXPECT_EQ(rows[i].error, std::to_string(static_cast<int>(errors[0].Kind)) + "|" + errors[0].Section +
                                 "|" + errors[0].Key + "|" + errors[0].Value)
        << "row " << i;
  }
}

TEST(SiteStandard, ValueTextAndLists) {
  const struct {
    const char* raw;
    StringList items;
  } rows[] = {
      {"a;b\t;comment", {"a", "b"}},
      {"\"x ; y\"", {"\"x"}},
      {"\"x;y\"", {"x", "y"}},
      {"\"\"", {}},
      {";a", {"", "a"}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].items, SplitSiteList(SiteValueText(rows[i].raw))) << "row " << i;
}

TEST(Wildcard, Matches) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } rows[] = {
      {"AutoCAD 20*", "AutoCAD 2010", true},
      {"AutoCAD 20*", "AutoCAD LT 2009", false},
      {"autocad lt*", "AutoCAD LT 2009", true},
      {"AutoCAD 20??", "AutoCAD 201", false},
      {"*a*b", "xaxbyb", true},
      {"*a*b", "xaxbyc", false},
      {"a**", "a", true},
      {"*", "", true},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].matches, MatchesWildcard(rows[i].pattern, rows[i].name)) << "row " << i;
  for (const char* bad : {"", "a[b", "]", "a\tb"}) EXPECT_FALSE(IsValidWildcard(bad)) << bad;
  EXPECT_TRUE(IsValidWildcard("AutoCAD LT*"));
}

}  // namespace

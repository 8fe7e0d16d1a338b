// Reading a site standard from INI sections: values, lists, patterns and every kind of
// malformed input.
#include "engine/site_standard.h"

#include <gtest/gtest.h>

#include "engine/wildcard.h"
#include "engine_test.h"

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

// "name|products|source|replace|description|applications|current|remove patterns"; a missing
// description or applications key shows as "-". Empty applications unlink everything.
std::string Describe(const SiteStandard& site) {
  std::string text;
  for (const SiteProfile& p : site.Profiles)
    text += p.Name + "|" + Joined(p.Products) + "|" + p.Source + "|" +
            std::to_string(static_cast<int>(p.Replace)) + "|" + (p.HasDescription ? p.Description : "-") +
            "|" + (p.HasApplications ? Joined(p.Applications) : "-") + "|" + std::to_string(p.Current) + "|";
  return text + Joined(site.RemovePatterns);
}

TEST(SiteStandard, ReadsEveryKey) {
  const std::string head = "Office|AutoCAD 20*;AutoCAD LT*;|\\\\server\\cad\\office.arg|";
  const struct {
    std::vector<IniSection> sections;
    std::string site;
  } rows[] = {
      {{Office({{"replace", "Always"},
                {"Description", "\"Office; standard\"  ; quoted"},
                {"Applications", "Alpha;Beta ; Gamma is a comment"},
                {"CURRENT", "yes"}}),
        Section("remove", {{"Profiles", "Old *;Test?"}})},
       head + "1|Office; standard|Alpha;Beta;|1|Old *;Test?;"},
      {{Office({{"Applications", "  "}})}, head + "0|-||0|"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SiteStandard site;
    const auto errors = ParseSiteStandard(rows[i].sections, site);
    EXPECT_TRUE(errors.empty()) << "row " << i;
    EXPECT_EQ(rows[i].site, Describe(site)) << "row " << i;
  }
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

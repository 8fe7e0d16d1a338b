// Comparing a configuration with a site standard, and the changes that need no profile
// file, against the registry and the recording registration library.
#include <gtest/gtest.h>

#include "engine/site_apply.h"
#include "engine_test.h"
#include "fake_library.h"

namespace {

PMAcad Product(const std::string& name, const std::string& key, const std::string& current) {
  PMAcad product = ProductWith({"Alpha", "Beta", "Gamma"});
  product.ProductName = name;
  product.Key = key;
  product.CurrentProfile = current;
  return product;
}

// A stored profile with the given applications linked in this order (the others are not).
PMAcadProfile Profile(const std::string& name, const std::string& description, const StringList& linked) {
  PMAcadProfile profile = NamedProfile(name);
  profile.Description = description;
  for (const std::string& app : linked)
    profile.Links.push_back(
        PMAcadAppLink{app, 0, static_cast<DWORD>(profile.Links.size() + 1), 0, -1, LinkLinked});
  return profile;
}

SiteProfile Standard(const std::string& name, const std::string& products) {
  SiteProfile standard;
  standard.Section = "Profile " + name;
  standard.Name = name;
  standard.Products = {products};
  standard.Source = name + ".arg";
  return standard;
}

std::string Describe(const SitePlan& plan) {
  static const char* const kinds[] = {"create",       "replace", "description",
                                      "applications", "current", "remove"};
  std::string text;
  for (const SiteChange& change : plan.Changes)
    text += change.ProductName + "|" + change.Profile + "|" + kinds[static_cast<int>(change.Kind)] + "|" +
            change.Have + "|" + change.Want + "\n";
  for (const SiteNote& note : plan.Notes) text += "note|" + note.ProductName + "|" + note.Application + "\n";
  for (const SiteError& error : plan.Errors) text += "error|" + error.Section + "|" + error.Value + "\n";
  return text;
}

TEST(SitePlan, ListsEveryDifference) {
  ConfigurationModel model = {
      Product("AutoCAD 2010", "Software\\Autodesk\\AutoCAD\\R1\\ACAD-1:409", "Standard"),
      Product("AutoCAD LT 2009", "Software\\Autodesk\\AutoCAD LT\\R1\\ACADLT-1:409", "office"),
      Product("Other 7", "Software\\Autodesk\\AutoCAD\\R2\\ACAD-2:409", "Standard")};
  model[0].Profiles = {Profile("Standard", "", {"Alpha"}), Profile("Old 1", "", {}),
                       Profile("Test1", "", {})};
  model[1].Profiles = {Profile("office", "Office standard", {"Beta", "Alpha"}), Profile("Old 2", "", {})};
  model[2].Profiles = {Profile("Old 3", "", {})};
  model[1].Applications.pop_back();  // Gamma is not registered for LT

  SiteStandard site;
  site.Profiles = {Standard("Office", "AutoCAD*"), Standard("Old keep", "AutoCAD 2010")};
  site.Profiles[0].HasDescription = true;
  site.Profiles[0].Description = "Office standard";
  site.Profiles[0].HasApplications = true;
  site.Profiles[0].Applications = {"Beta", "Alpha", "Gamma"};
  site.Profiles[0].Current = true;
  site.RemovePatterns = {"old*", "Test?"};
  model[0].Profiles.push_back(Profile("Old keep", "", {}));

  EXPECT_EQ(
      "AutoCAD 2010|Office|create||\n"
      "AutoCAD 2010|Office|current|Standard|Office\n"
      "AutoCAD 2010|Old 1|remove||\n"
      "AutoCAD 2010|Test1|remove||\n"
      "AutoCAD LT 2009|Old 2|remove||\n"
      "Other 7|Old 3|remove||\n"  // removals go for every product
      "note|AutoCAD LT 2009|Gamma\n",
      Describe(PlanSiteStandard(model, site, nullptr)));

  // LT's stored profile differs only in case from the standard's name: it is the same one.
  model[1].Profiles[0] = Profile("office", "Old text", {"Alpha", "Beta"});
  site.RemovePatterns.clear();
  const SitePlan plan = PlanSiteStandard(model, site, nullptr);
  EXPECT_EQ(
      "AutoCAD 2010|Office|create||\n"
      "AutoCAD 2010|Office|current|Standard|Office\n"
      "AutoCAD LT 2009|office|description|Old text|Office standard\n"
      "AutoCAD LT 2009|office|applications|Alpha;Beta|Beta;Alpha\n"
      "note|AutoCAD LT 2009|Gamma\n",
      Describe(plan));
  EXPECT_EQ(StringList({"Beta", "Alpha"}), plan.Changes[3].Applications);
}

TEST(SitePlan, ReplaceAlwaysAsksTheComparerAndTwoCurrentProfilesAreAnError) {
  ConfigurationModel model = {Product("AutoCAD 2010", "Software\\Autodesk\\AutoCAD\\R1\\ACAD-1:409", "A")};
  model.push_back(model[0]);  // the same product in the other registry view is planned once
  model[0].Profiles = {Profile("A", "", {}), Profile("B", "", {})};
  SiteStandard site;
  site.Profiles = {Standard("A", "*"), Standard("B", "*")};
  site.Profiles[0].Replace = site.Profiles[1].Replace = ReplaceRule::Always;
  StringList asked;
  const SourceComparer differs = [&](const PMAcad&, const PMAcadProfile& profile, const SiteProfile&) {
    asked.push_back(profile.Name);
    return profile.Name == "B";
  };
  EXPECT_EQ("AutoCAD 2010|B|replace||\n", Describe(PlanSiteStandard(model, site, differs)));
  EXPECT_EQ(StringList({"A", "B"}), asked);

  site.Profiles[0].Current = site.Profiles[1].Current = true;
  EXPECT_NE(std::string::npos,
            Describe(PlanSiteStandard(model, site, differs)).find("error|Profile B|yes: AutoCAD 2010"));
}

TEST(SiteChangeTest, LinksKeepTheMatchingStartAndRegisterTheRestInOrder) {
  RegistrySandbox sandbox;
  FakeRegistrationLibrary library_;
  const std::string key_ = kKey;
  PMAcad product = Product("AutoCAD 2010", key_, "P");
  seed::CreatePath(HKEY_CURRENT_USER, key_ + "\\Profiles\\P");
  const struct {
    StringList stored, wanted;
    StringList calls;  // +registered, -unregistered
  } rows[] = {
      {{"Alpha", "Beta"}, {"Alpha", "Beta"}, {}},
      {{"Alpha", "Gamma"}, {"Alpha", "Beta"}, {"-Gamma", "+Beta"}},
      {{"Beta", "Alpha"}, {"Alpha", "Beta"}, {"+Alpha", "+Beta"}},
      {{"Alpha", "Beta", "Gamma"}, {}, {"-Alpha", "-Beta", "-Gamma"}},
      {{}, {"Gamma"}, {"+Gamma"}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    product.Profiles = {Profile("P", "", rows[i].stored)};
    SiteChange change{
        SiteChangeKind::SetApplications, product.ProductName, key_, "p", 0, "", "", rows[i].wanted};
    library_.Reset();
    EXPECT_TRUE(ApplySiteChange(product, change, library_.Library())) << "row " << i;
    std::string expected;
    for (const std::string& call : rows[i].calls)
      expected += call[0] == '+'
                      ? "RegisterAppInProfileEx|AutoCAD\\R16.0\\ACAD-201:409|P|" + call.substr(1) + "|0\n"
                      : "UnregAppInProfile|AutoCAD\\R16.0\\ACAD-201:409|P|" + call.substr(1) + "\n";
    EXPECT_EQ(expected, library_.Log()) << "row " << i;
  }
}

}  // namespace

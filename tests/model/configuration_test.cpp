// The configuration model: stored links joined to the product's applications, and lookups.
#include "engine/configuration.h"

#include <gtest/gtest.h>

namespace {

PMAcadAppLink Stored(const char* name, DWORD loadOrder, DWORD menuLoaded = 0) {
  PMAcadAppLink link;
  link.Name = name;
  link.LoadOrder = loadOrder;
  link.MenuLoaded = menuLoaded;
  link.StdLoadOrder = 99;  // what was stored never counts
  link.State = LinkLinked;
  return link;
}

// Applications A, B and C (standard load orders 10 to 12) merged with the stored links, as
// "name application order menu state standard-order" per link.
std::string Merged(const std::vector<PMAcadAppLink>& stored) {
  std::vector<PMApplication> applications(3);
  for (int i = 0; i < 3; ++i) {
    applications[i].Name = std::string(1, static_cast<char>('A' + i));
    applications[i].StdLoadOrder = 10 + i;
  }
  std::string text;
  for (const PMAcadAppLink& link : MergeStoredLinks(applications, stored))
    text += link.Name + " " + std::to_string(link.Application) + " " + std::to_string(link.LoadOrder) + " " +
            std::to_string(link.MenuLoaded) + (link.State == LinkLinked ? " linked " : " not-linked ") +
            std::to_string(link.StdLoadOrder) + ", ";
  return text;
}

TEST(MergeStoredLinks, StoredLinksJoinTheirApplications) {
  const struct {
    std::vector<PMAcadAppLink> stored;
    const char* links;
  } rows[] = {
      // By load order, the unordered last.
      {{Stored("A", 3), Stored("B", 0), Stored("C", 1)},
       "C 2 1 0 linked 12, A 0 3 0 linked 10, B 1 0 0 linked 11, "},
      {{Stored("B", 5, 1)}, "B 1 5 1 linked 11, A 0 0 0 not-linked 10, C 2 0 0 not-linked 12, "},
      // Names match exactly; links of unknown applications are dropped.
      {{Stored("a", 1), Stored("Gone", 2)},
       "A 0 0 0 not-linked 10, B 1 0 0 not-linked 11, C 2 0 0 not-linked 12, "},
      // A later duplicate wins.
      {{Stored("A", 4, 0), Stored("A", 7, 1)},
       "A 0 7 1 linked 10, B 1 0 0 not-linked 11, C 2 0 0 not-linked 12, "},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].links, Merged(rows[row].stored)) << "row " << row;
  EXPECT_TRUE(MergeStoredLinks({}, {Stored("A", 1)}).empty());
}

TEST(ModelLookups, ProductsAndProfilesIgnoreCaseAndAcadIdsDropEveryAutodeskHead) {
  ConfigurationModel model(2);
  model[0].Key = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
  model[1].Profiles.resize(2);
  model[1].Profiles[1].Name = "Drafting";
  EXPECT_EQ(&model[0], FindProductByKey(model, "software\\autodesk\\autocad\\r16.0\\acad-201:409"));
  EXPECT_EQ(nullptr, FindProductByKey(model, "Software\\Autodesk\\AutoCAD\\R16.0"));
  EXPECT_EQ(&model[1].Profiles[1], FindProfileByName(model[1], "DRAFTING"));
  EXPECT_EQ(nullptr, FindProfileByName(model[1], "Draft"));
  EXPECT_EQ("AutoCAD\\R16.0\\ACAD-201:409", AcadIdFromKey(model[0].Key));
  EXPECT_EQ("xy", AcadIdFromKey("Software\\Autodesk\\xSoftware\\Autodesk\\y"));
  EXPECT_EQ("Software\\Autodesk\\A", KeyFromAcadId("A"));
}

}  // namespace

#include <gtest/gtest.h>

#include "engine/configuration.h"

namespace {

std::vector<PMApplication> Applications(std::initializer_list<const char*> names) {
  std::vector<PMApplication> applications;
  DWORD order = 10;
  for (const char* name : names) {
    PMApplication application;
    application.Name = name;
    application.StdLoadOrder = order++;
    applications.push_back(application);
  }
  return applications;
}

PMAcadAppLink Stored(const char* name, DWORD loadOrder, DWORD menuLoaded = 0) {
  PMAcadAppLink link;
  link.Name = name;
  link.LoadOrder = loadOrder;
  link.MenuLoaded = menuLoaded;
  link.State = LinkLinked;
  return link;
}

std::string Names(const std::vector<PMAcadAppLink>& links) {
  std::string names;
  for (const PMAcadAppLink& link : links) names += link.Name + ",";
  return names;
}

TEST(MergeStoredLinks, OrdersByLoadOrderWithUnorderedLast) {
  auto links = MergeStoredLinks(Applications({"A", "B", "C"}), {Stored("A", 3), Stored("B", 0), Stored("C", 1)});
  EXPECT_EQ("C,A,B,", Names(links));
  EXPECT_EQ(2, links[0].Application);
  EXPECT_EQ(0, links[1].Application);
  EXPECT_EQ(1, links[2].Application);
  EXPECT_EQ(12u, links[0].StdLoadOrder);  // always the application's, whatever was stored
}

TEST(MergeStoredLinks, UnstoredApplicationsAreNotLinked) {
  auto links = MergeStoredLinks(Applications({"A", "B"}), {Stored("B", 5, 1)});
  ASSERT_EQ(2u, links.size());
  EXPECT_EQ("B", links[0].Name);
  EXPECT_EQ(LinkLinked, links[0].State);
  EXPECT_EQ(1u, links[0].MenuLoaded);
  EXPECT_EQ("A", links[1].Name);
  EXPECT_EQ(LinkNotLinked, links[1].State);
  EXPECT_EQ(0u, links[1].LoadOrder);
  EXPECT_EQ(0u, links[1].MenuLoaded);
}

TEST(MergeStoredLinks, NamesMatchExactlyAndUnknownLinksAreDropped) {
  auto links = MergeStoredLinks(Applications({"App"}), {Stored("APP", 1), Stored("Gone", 2)});
  ASSERT_EQ(1u, links.size());
  EXPECT_EQ("App", links[0].Name);
  EXPECT_EQ(LinkNotLinked, links[0].State);
}

TEST(MergeStoredLinks, LaterDuplicateWins) {
  auto links = MergeStoredLinks(Applications({"A"}), {Stored("A", 4, 0), Stored("A", 7, 1)});
  ASSERT_EQ(1u, links.size());
  EXPECT_EQ(7u, links[0].LoadOrder);
  EXPECT_EQ(1u, links[0].MenuLoaded);
}

TEST(MergeStoredLinks, NoApplicationsNoLinks) {
  EXPECT_TRUE(MergeStoredLinks({}, {Stored("A", 1)}).empty());
}

TEST(ModelLookups, ProductsAndProfilesIgnoreCase) {
  ConfigurationModel model(2);
  model[0].Key = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
  model[1].Key = "Software\\Autodesk\\AutoCAD LT\\R9\\ACADLT-1:409";
  model[1].Profiles.resize(2);
  model[1].Profiles[0].Name = "Work";
  model[1].Profiles[1].Name = "Drafting";
  EXPECT_EQ(&model[0], FindProductByKey(model, "software\\autodesk\\autocad\\r16.0\\acad-201:409"));
  EXPECT_EQ(nullptr, FindProductByKey(model, "Software\\Autodesk\\AutoCAD\\R16.0"));
  EXPECT_EQ(&model[1].Profiles[1], FindProfileByName(model[1], "DRAFTING"));
  EXPECT_EQ(nullptr, FindProfileByName(model[1], "Draft"));
}

TEST(ModelLookups, AcadIdDropsEveryAutodeskHead) {
  EXPECT_EQ("AutoCAD\\R16.0\\ACAD-201:409", AcadIdFromKey("Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409"));
  EXPECT_EQ("xy", AcadIdFromKey("Software\\Autodesk\\xSoftware\\Autodesk\\y"));
  EXPECT_EQ("Software\\Autodesk\\A", KeyFromAcadId("A"));
}

}  // namespace

// The configuration report's exact bytes.
#include "app/report.h"

#include <gtest/gtest.h>

#include "engine_test.h"

namespace {

ConfigurationModel SampleModel() {
  PMAcad acad;
  acad.ProductName = "AutoCAD 2005";
  acad.Key = "Software\\Autodesk\\AutoCAD\\R16.1\\ACAD-301:409";
  acad.CurrentProfile = "Work";
  PMApplication full = NamedApplication("Full");  // no standard order: printed unsigned
  full.Loaders = {"a.arx", "b.arx"};
  full.CommandGroups = {"CMDS"};
  full.Modules = {"full.dll"};
  full.MenuGroups = {"FULL"};
  full.MenuFiles = {"C:\\Full\\full.mnu"};
  full.Template = "full.dwt";
  full.Unloadable = -5;
  full.LargeIconName = "not reported";
  acad.Applications = {full};
  PMAcadProfile work = NamedProfile("Work", ProfileStored, "not reported");
  // Links: name, standard order, load order, menu loaded, application, state.
  work.Links = {{"Full", 10, 2, 0xFFFFFFFF, -1, LinkLinked}, {"Bare", kNoStdLoadOrder, 0, 0, -1, LinkEnable}};
  PMAcadProfile idle = NamedProfile("Idle", ProfileDelete);
  idle.Links = {{"Full", 10, 0, 0, -1, LinkNotLinked}, {"Bare", kNoStdLoadOrder, 0, 0, -1, LinkEnable}};
  acad.Profiles = {work, idle};

  PMAcad lt;
  lt.ProductName = "AutoCAD LT 2005";
  lt.Key = "Software\\Autodesk\\AutoCAD LT\\R10\\ACADLT-301:409";
  return {acad, lt};
}

const char kSampleReport[] =
    "AutoCAD 2005: Software\\Autodesk\\AutoCAD\\R16.1\\ACAD-301:409\n"
    "Current Profile: Work\n"
    "Profiles:\n"
    "  Work\n"
    "    AppLinks:\n"
    "      Full\n"
    "        StdLoadOrder=10\n"
    "        LoadOrder=2\n"
    "        MenuLoaded=-1\n"
    "  Idle\n"
    "    AppLinks:\n"
    "Applications:\n"
    "  Full\n"
    "    Loaders\n"
    "      a.arx\n"
    "      b.arx\n"
    "    Modules\n"
    "      full.dll\n"
    "    CommandGroups\n"
    "      CMDS\n"
    "    MenuGroups\n"
    "      FULL\n"
    "    MenuFiles\n"
    "      C:\\Full\\full.mnu\n"
    "    Template\n"
    "      full.dwt\n"
    "    StdLoadOrder=4294967295\n"
    "    Unloadable=-5\n"
    "\n"
    "AutoCAD LT 2005: Software\\Autodesk\\AutoCAD LT\\R10\\ACADLT-301:409\n"
    "Current Profile: \n"
    "Profiles:\n"
    "Applications:\n"
    "\n";

// The file form only writes this text (the scripting whole-program test writes one); an empty
// model writes nothing.
TEST(ReportTest, WholeModelByteForByte) {
  std::string report = "kept ";
  WriteConfigurationReport(SampleModel(), report);
  EXPECT_EQ(std::string("kept ") + kSampleReport, report);
  WriteConfigurationReport(ConfigurationModel(), report);
  EXPECT_EQ(std::string("kept ") + kSampleReport, report);
}

}  // namespace

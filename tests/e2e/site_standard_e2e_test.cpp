// Site standards through Tarnwick.exe: -apply makes every matching product match, -check
// finds what differs, a second -apply changes nothing, and a malformed standard changes
// nothing at all.
#include <gtest/gtest.h>

#include "engine/backups.h"
#include "installation.h"
#include "program_driver.h"

namespace {

// The backups of a profile in every apply folder of the user's backups; "" when there is none.
std::string Backup(const std::string& product, const std::string& profile) {
  std::string text;
  for (const BackupEntry& entry : ListBackups(DefaultBackupRoot()))
    if (entry.ProductName == product && entry.Profile == profile) text += ReadWholeFile(entry.File);
  return text;
}

// Every key and value of every profile of the products, one line each.
std::string DumpProfiles(const std::vector<std::string>& profiles) {
  std::string text;
  for (const std::string& key : profiles) text += inspect::DumpTree(HKEY_CURRENT_USER, key);
  return text;
}

class SiteStandardE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteWholeFile(folder_.Parent() + "office.arg",
                   "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\Office]\r\n@=\"from the file\"\r\n\r\n"
                   "[HKEY_CURRENT_USER\\Profiles\\Office\\General]\r\n\"Color\"=\"blue\"\r\n\r\n");
    WriteWholeFile(
        folder_.Parent() + "standard.arg",
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\Standard]\r\n@=\"From the standard\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Profiles\\Standard\\General]\r\n\"Color\"=\"white\"\r\n\r\n");
    site_ = folder_.Parent() + "site.ini";
    WriteWholeFile(site_,
                   Worded("; the site's standard\r\n[Profile Office]\r\n"
                          "Products=AutoCAD 20* #;AutoCAD LT* #   ; three products\r\n"
                          "Source=office.arg\r\nDescription=Office standard\r\nApplications=Beta;Alpha\r\n"
                          "Current=yes\r\n\r\n[Profile Standard]\r\nProducts=* #\r\nSource=standard.arg\r\n"
                          "Replace=always\r\nApplications=\r\n\r\n[Remove]\r\nProfiles=Old *\r\n"));
  }

  // The text with every "#" replaced by the installation's word.
  std::string Worded(std::string text) const {
    for (size_t at = text.find('#'); at != std::string::npos; at = text.find('#')) text.replace(at, 1, word_);
    return text;
  }
  ProgramRun Site(const char* action, const std::string& file) {
    return folder_.Run(std::string(action) + " \"" + file + "\"");
  }
  std::string Summary(const char* action, const std::string& text) {
    return std::string(action) + " \"" + site_ + "\": " + text + "\r\n";
  }
  std::string Value(size_t product, const std::string& path, const char* name) {
    return inspect::Text(HKEY_CURRENT_USER, profiles_[product] + path, name);
  }
  std::string Links(size_t product, const std::string& profile) {
    return inspect::LinkOrder(HKEY_CURRENT_USER,
                              profiles_[product] + "\\" + profile + "\\Tarnwick\\Applications");
  }

  ProgramFolder folder_;
  Installation installation_;
  const std::string word_ = installation_.Word();
  const std::vector<std::string> profiles_ = SeedSiteProducts(installation_);
  std::string site_;
};

TEST_F(SiteStandardE2E, ApplyCheckAndApplyAgain) {
  const ProgramRun applied = Site("-apply", site_);
  EXPECT_EQ(0u, applied.ExitCode) << applied.Error;
  EXPECT_TRUE(applied.Boxes.empty()) << applied.Boxes[0].Text;
  EXPECT_NE(std::string::npos, applied.Error.find(Worded("AutoCAD LT 2009 #: profile \"Office\" is missing "
                                                         "(Source=office.arg)\r\n")));
  EXPECT_NE(std::string::npos, applied.Error.find(Summary("-apply", "done"))) << applied.Error;
  EXPECT_NE(std::string::npos, Backup("Other 1999 " + word_, "Old " + word_).find("@=\"to go\""));

  for (size_t i = 0; i < 4; ++i) {
    const bool office = i < 3;
    std::vector<std::string> expected = {"Standard"};
    if (office) expected.insert(expected.begin(), "Office");
    EXPECT_EQ(expected, inspect::SubkeyNames(HKEY_CURRENT_USER, profiles_[i])) << "product " << i;
    EXPECT_EQ(office ? "Office" : "Standard", Value(i, "", "")) << "product " << i;
    if (!office) continue;
    EXPECT_EQ("Beta=1 Alpha=2", Links(i, "Office")) << "product " << i;
    EXPECT_EQ("blue", Value(i, "\\Office\\General", "Color")) << "product " << i;
  }

  const std::string afterFirst = DumpProfiles(profiles_);
  const ProgramRun checked = Site("-check", site_);
  EXPECT_EQ(0u, checked.ExitCode);
  EXPECT_EQ(Summary("-check", "nothing to do, this workstation matches"), checked.Error);
  const ProgramRun again = Site("-apply", site_);
  EXPECT_EQ(0u, again.ExitCode);
  EXPECT_EQ(Summary("-apply", "nothing to do, this workstation matches"), again.Error);
  EXPECT_EQ(afterFirst, DumpProfiles(profiles_));

  // A user unlinks Alpha in the 64-bit product and changes the standard profile of the first.
  ::RegDeleteKeyA(HKEY_CURRENT_USER, (profiles_[1] + "\\Office\\Tarnwick\\Applications\\Alpha").c_str());
  seed::SetString(HKEY_CURRENT_USER, profiles_[0] + "\\Standard\\General", "Color", "red");
  const std::string changed = DumpProfiles(profiles_);
  const ProgramRun differences = Site("-check", site_);
  EXPECT_EQ(1u, differences.ExitCode);
  EXPECT_EQ(
      Worded("AutoCAD 2010 #: profile \"Standard\" differs from its source (Source=standard.arg)\r\n"
             "AutoCAD 2012 #: profile \"Office\": Applications is \"Beta\", wanted \"Beta;Alpha\"\r\n") +
          Summary("-check", "2 difference(s) found"),
      differences.Error);
  EXPECT_EQ(changed, DumpProfiles(profiles_));

  EXPECT_EQ(0u, Site("-apply", site_).ExitCode);
  EXPECT_EQ("white", Value(0, "\\Standard\\General", "Color"));  // re-created from its source
  EXPECT_NE(std::string::npos, Backup("AutoCAD 2010 " + word_, "Standard").find("\"Color\"=\"red\""));
  EXPECT_EQ("Beta=1 Alpha=2", Links(1, "Office"));
}

TEST_F(SiteStandardE2E, MalformedStandardChangesNothing) {
  const std::string head = "[Profile Office]\r\nProducts=* " + word_ + "\r\n";
  const struct {
    std::string text;  // the site file
    std::string error;
  } rows[] = {
      {head + "Source=office.arg\r\nColour=red\r\n",
       "section [Profile Office]: unknown or repeated key \"Colour\"\r\n"},
      {"[Profile Office]\r\nProducts=AutoCAD [20]*\r\nSource=office.arg\r\n",
       "section [Profile Office]: bad value of \"Products\": \"AutoCAD [20]*\"\r\n"},
      {head, "section [Profile Office]: the key \"Source\" is missing\r\n"},
      {head + "Source=nowhere.arg\r\n",
       "Error: Cannot read the file \"" + folder_.Parent() + "nowhere.arg\"\r\n"},
      {head + "Source=site.ini\r\n",
       "The file \"" + site_ + "\" is not a profile export: line 1 cannot be read.\r\n"},
      {"Products=* " + word_ + "\r\n", "section []: unknown or repeated section\r\n"},
  };
  const std::string before = DumpProfiles(profiles_);
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    WriteWholeFile(site_, rows[i].text);
    const ProgramRun run = Site("-apply", site_);
    EXPECT_EQ(2u, run.ExitCode) << "row " << i << ": " << run.Error;
    EXPECT_NE(std::string::npos, run.Error.find(rows[i].error)) << "row " << i << ": " << run.Error;
    EXPECT_NE(std::string::npos, run.Error.find("bad argument or file, nothing changed\r\n")) << "row " << i;
    EXPECT_EQ(before, DumpProfiles(profiles_)) << "row " << i;
  }
}

}  // namespace

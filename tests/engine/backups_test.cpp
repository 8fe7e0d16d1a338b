// Backups around an apply and an import: what is backed up, restoring it exactly, retention, and
// a backup folder that cannot be written stopping everything.
#include "engine/backups.h"

#include <gtest/gtest.h>

#include "engine/apply.h"
#include "engine/profile_import.h"
#include "engine/profiles.h"
#include "engine_test.h"
#include "fake_library.h"
#include "tests/support/scratch_folder.h"

namespace {

std::string Profile(const std::string& name) { return ProfileKeyPath(kKey, name); }
std::string Tree(const std::string& name) { return inspect::DumpTree(HKEY_CURRENT_USER, Profile(name)); }
int Int(BackupChange change) { return static_cast<int>(change); }
int Int(ImportStatus status) { return static_cast<int>(status); }

// now moved back by minutes.
SYSTEMTIME Before(const SYSTEMTIME& now, ULONGLONG minutes) {
  FILETIME fileTime;
  ::SystemTimeToFileTime(&now, &fileTime);
  ULARGE_INTEGER ticks = {{fileTime.dwLowDateTime, fileTime.dwHighDateTime}};
  ticks.QuadPart -= minutes * 600000000ULL;
  fileTime = {ticks.LowPart, ticks.HighPart};
  SYSTEMTIME time;
  ::FileTimeToSystemTime(&fileTime, &time);
  return time;
}

class BackupsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = folder_.Path() + "\\Brevent Software\\Tarnwick\\Backups";
    seed::SetString(HKEY_CURRENT_USER, ProfilesKeyPath(kKey), "", "Keep");
    product_.Key = kKey;
    product_.ProductName = "AutoCAD 2005";
    product_.CurrentProfile = "Keep";
    for (const std::string name : {"Keep", "Gone", "Old"}) {
      seed::SetString(HKEY_CURRENT_USER, Profile(name), "", "about " + name);
      seed::SetRaw(HKEY_CURRENT_USER, Profile(name) + "\\General", "Bytes", REG_BINARY,
                   std::string("\0\1", 2) + name);
      seed::SetDword(HKEY_CURRENT_USER, Profile(name) + "\\Tarnwick\\Applications\\App1", "LoadOrder", 1);
      product_.Profiles.push_back(NamedProfile(name));
      product_.Profiles.back().Description = "about " + name;
    }
  }
  // Deletes Gone and renames Old to New.
  ConfigurationModel DeleteAndRename() {
    ConfigurationModel model = {product_};
    model[0].Profiles[1].State = ProfileDelete;
    model[0].Profiles[2].NewName = "New";
    return model;
  }

  RegistrySandbox sandbox_;
  ScratchFolder folder_;
  FakeRegistrationLibrary fake_;
  std::string root_;
  PMAcad product_;
};

// Lost, so backed up: a deleted profile, a renamed one, one a creation merges onto. Not lost: one
// never stored, a change of letter case.
TEST_F(BackupsTest, AnApplyBacksUpWhatItDestroysAndEachRestoresExactly) {
  const std::string gone = Tree("Gone"), old = Tree("Old");
  ConfigurationModel model = DeleteAndRename();
  model[0].Profiles[0].NewName = "keep";
  model[0].Profiles.push_back(NamedProfile("KEEP", ProfileCreate));
  model[0].Profiles.push_back(NamedProfile("Never stored", ProfileDelete));
  BackupFailure failure;
  ASSERT_TRUE(ApplyChangesWithBackups(model, fake_.Library(), root_, failure));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Gone")));

  const std::vector<BackupEntry> entries = ListBackups(root_);
  std::string listed;
  for (const BackupEntry& entry : entries)
    listed += entry.Profile + ":" + std::to_string(Int(entry.Change)) +
              (entry.Folder == entries[0].Folder ? " " : "(elsewhere) ");
  EXPECT_EQ("Gone:0 KEEP:2 Old:1 ", listed);
  ASSERT_EQ(3u, entries.size());
  EXPECT_EQ(root_ + "\\" + entries[0].Folder + "\\AutoCAD 2005 - Gone.arg", entries[0].File);
  EXPECT_EQ("AutoCAD\\R16.0\\ACAD-201:409", entries[1].AcadId);
  EXPECT_EQ("AutoCAD 2005", entries[1].ProductName);

  ProfileFileError error;
  ASSERT_EQ(ERROR_SUCCESS, RestoreBackup(entries[0], "Gone", error));
  ASSERT_EQ(ERROR_SUCCESS, RestoreBackup(entries[2], "Old again", error));
  EXPECT_EQ(gone, Tree("Gone"));
  EXPECT_EQ(old, Tree("Old again"));
  EXPECT_EQ(ERROR_ALREADY_EXISTS, RestoreBackup(entries[0], "KEEP", error))
      << "a name in use is never overwritten";
}

TEST_F(BackupsTest, AnUnwritableBackupFolderStopsTheApplyBeforeAnythingChanges) {
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, ProfilesKeyPath(kKey));
  for (const std::string& root : {folder_.Write("blocker", "a file") + "\\Backups", std::string()}) {
    ConfigurationModel model = DeleteAndRename();
    BackupFailure failure;
    EXPECT_FALSE(ApplyChangesWithBackups(model, fake_.Library(), root, failure)) << root;
    EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), failure.Error) << root;
    EXPECT_EQ("Gone", failure.Profile) << root;
    EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, ProfilesKeyPath(kKey))) << root;
    EXPECT_EQ("", fake_.Log()) << root;
    EXPECT_EQ(3u, model[0].Profiles.size()) << root;
  }
}

TEST_F(BackupsTest, RetentionKeepsTheLastFiftyAppliesAndEverythingYoungerThanThirtyDays) {
  SYSTEMTIME now = {2026, 12, 0, 7, 12, 0, 0, 0};
  const struct {
    int count;
    ULONGLONG minutesApart;
    int removed;
  } rows[] = {
      {60, 1440, 10},  // ages 0..59 days: the ten beyond the fiftieth are old enough
      {60, 30, 0},     // sixty applies in one day: all young
      {70, 720, 10},   // ages 0..34.5 days: those beyond the fiftieth younger than 30 days stay
      {70, 500, 0},    // none beyond the fiftieth is 30 days old
      {50, 525600, 0},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ScratchFolder scratch;
    BackupFailure failure;
    for (int n = 0; n < rows[i].count; ++n)  // applies without profiles: only their folders count
      ASSERT_TRUE(BackupProfiles(scratch.Path(), {}, Before(now, n * rows[i].minutesApart), failure)) << i;
    scratch.Write("not an apply", "");
    EXPECT_EQ(rows[i].removed, PruneBackups(scratch.Path(), now)) << "row " << i;
    EXPECT_EQ(rows[i].count - rows[i].removed + 1u, scratch.Entries().size()) << "row " << i;
  }
}

TEST_F(BackupsTest, TwoAppliesInOneSecondGetTwoFoldersNewestFirst) {
  const SYSTEMTIME now = {2026, 12, 0, 7, 12, 0, 0, 0};
  BackupFailure failure;
  std::string first, second;
  ASSERT_TRUE(BackupProfiles(root_, {{kKey, "", "Keep", BackupChange::Deleted}}, now, failure, &first));
  ASSERT_TRUE(BackupProfiles(root_, {{kKey, "", "Old", BackupChange::Replaced}}, now, failure, &second));
  EXPECT_EQ(root_ + "\\2026-12-07 12-00-00", first);
  EXPECT_EQ(first + "-2", second);
  const std::vector<BackupEntry> entries = ListBackups(root_);
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(second + "\\AutoCAD_R16.0_ACAD-201_409 - Old.arg", entries[0].File);
}

TEST(BackupFileName, HoldsOnlyWhatAFileNameCan) {
  const char* rows[][3] = {
      {"AutoCAD 2005", "Work", "AutoCAD 2005 - Work.arg"},
      {"AutoCAD\\R16.0\\ACAD-201:409", "a/b*c?\"<>|", "AutoCAD_R16.0_ACAD-201_409 - a_b_c_____.arg"},
      {"P", "tab\there.", "P - tab_here_.arg"},
      {"P", "dots.. ", "P - dots___.arg"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i][2], BackupFileName(rows[i][0], rows[i][1])) << "row " << i;
  EXPECT_EQ(120u + 4, BackupFileName(std::string(200, 'p'), "x").size());
}

TEST_F(BackupsTest, ImportRefusesAnExistingProfileUnlessReplacingAndThenBacksItUpFirst) {
  const std::string file = folder_.Path() + "\\gone.arg";
  ASSERT_EQ(0u, ExportProfile(kKey, "Gone", file));
  const std::string keep = Tree("Keep");
  // Everything is well formed except the very last line.
  const std::string bad =
      folder_.Write("bad.arg",
                    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\Fresh]\r\n\"A\"=\"x\"\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Profiles\\Fresh\\Sub]\r\n\"B\"=dword:1\r\n");
  const std::string profiles = inspect::DumpTree(HKEY_CURRENT_USER, ProfilesKeyPath(kKey));
  const std::string blocked = folder_.Write("file", "x") + "\\Backups";  // for the one that replaces
  const struct {
    std::string file, name;
    bool replace;
    std::string outcome;  // "status|name|line of the file error"
  } refused[] = {
      {file, "keep", false, "3|keep|0"},  // name in use
      {file, "", false, "3|Gone|0"},      // the file's own name, which is taken
      {file, "a\\b", false, "2|a\\b|0"},  // a bad name
      {file, "Keep", true, "4|Keep|0"},   // the backup failed
      {bad, "", false, "1||7"},           // not a profile file
  };
  for (size_t i = 0; i < sizeof refused / sizeof refused[0]; ++i) {
    const ImportOutcome outcome = ImportProfile(refused[i].file, product_, refused[i].name,
                                                refused[i].replace, refused[i].replace ? blocked : root_);
    EXPECT_EQ(refused[i].outcome, std::to_string(Int(outcome.Status)) + "|" + outcome.Name + "|" +
                                      std::to_string(outcome.FileError.Line))
        << "row " << i;
    EXPECT_EQ(profiles, inspect::DumpTree(HKEY_CURRENT_USER, ProfilesKeyPath(kKey))) << "row " << i;
  }
  EXPECT_TRUE(ListBackups(root_).empty());

  EXPECT_EQ(Int(ImportStatus::Imported), Int(ImportProfile(file, product_, "Keep", true, root_).Status));
  EXPECT_EQ(Tree("Gone"), Tree("Keep"));
  const std::vector<BackupEntry> entries = ListBackups(root_);
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ(Int(BackupChange::Replaced), Int(entries[0].Change));
  ProfileFileError error;
  ASSERT_EQ(ERROR_SUCCESS, RestoreBackup(entries[0], "Keep restored", error));
  EXPECT_EQ(keep, Tree("Keep restored"));
}

}  // namespace

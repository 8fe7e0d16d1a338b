// Backups around an apply and an import: what is backed up, restoring it exactly, retention, and
// a backup folder that cannot be written stopping everything.
#include "engine/backups.h"

#include <gtest/gtest.h>

#include "engine/apply.h"
#include "engine/profile_import.h"
#include "engine/profiles.h"
#include "fake_library.h"
#include "registry_sandbox.h"
#include "tests/support/scratch_folder.h"

namespace {

const char kKey[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";
const char kId[] = "AutoCAD\\R16.0\\ACAD-201:409";

std::string Profile(const std::string& name) { return ProfileKeyPath(kKey, name); }

void SeedProfile(const std::string& name) {
  const std::string path = Profile(name);
  seed::SetString(HKEY_CURRENT_USER, path, "", "about " + name);
  seed::SetRaw(HKEY_CURRENT_USER, path + "\\General", "Bytes", REG_BINARY, std::string("\0\1", 2) + name);
  seed::SetDword(HKEY_CURRENT_USER, path + "\\Tarnwick\\Applications\\App1", "LoadOrder", 1);
  seed::SetDword(HKEY_CURRENT_USER, path + "\\Tarnwick\\Applications\\App1", "MenuLoaded", 1);
}

SYSTEMTIME Day(int year, int month, int day, int hour = 12) {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  return time;
}

// now moved back by days (and minutes).
SYSTEMTIME Before(const SYSTEMTIME& now, int days, int minutes = 0) {
  FILETIME fileTime;
  ::SystemTimeToFileTime(&now, &fileTime);
  ULARGE_INTEGER ticks = {{fileTime.dwLowDateTime, fileTime.dwHighDateTime}};
  ticks.QuadPart -= (days * 1440ULL + minutes) * 600000000ULL;
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
    for (const char* name : {"Keep", "Gone", "Old"}) SeedProfile(name);
    product_.Key = kKey;
    product_.ProductName = "AutoCAD 2005";
    product_.CurrentProfile = "Keep";
    for (const char* name : {"Keep", "Gone", "Old"}) {
      PMAcadProfile profile;
      profile.Name = name;
      profile.Description = "about " + profile.Name;
      product_.Profiles.push_back(profile);
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

TEST_F(BackupsTest, AnApplyBacksUpTheDeletedAndTheRenamedProfileAndEachRestoresExactly) {
  const std::string gone = inspect::DumpTree(HKEY_CURRENT_USER, Profile("Gone"));
  const std::string old = inspect::DumpTree(HKEY_CURRENT_USER, Profile("Old"));
  ConfigurationModel model = DeleteAndRename();
  BackupFailure failure;
  ASSERT_TRUE(ApplyChangesWithBackups(model, fake_.Library(), root_, failure));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Gone")));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Profile("Old")));

  const std::vector<BackupEntry> entries = ListBackups(root_);
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(entries[0].Folder, entries[1].Folder);  // one folder per apply
  EXPECT_EQ(root_ + "\\" + entries[0].Folder + "\\AutoCAD 2005 - Gone.arg", entries[0].File);
  EXPECT_EQ("Gone", entries[0].Profile);
  EXPECT_EQ(static_cast<int>(BackupChange::Deleted), static_cast<int>(entries[0].Change));
  EXPECT_EQ("Old", entries[1].Profile);
  EXPECT_EQ(static_cast<int>(BackupChange::Renamed), static_cast<int>(entries[1].Change));
  EXPECT_EQ(kId, entries[1].AcadId);
  EXPECT_EQ("AutoCAD 2005", entries[1].ProductName);

  ProfileFileError error;
  ASSERT_EQ(ERROR_SUCCESS, RestoreBackup(entries[0], "Gone", error));
  ASSERT_EQ(ERROR_SUCCESS, RestoreBackup(entries[1], "Old again", error));
  EXPECT_EQ(gone, inspect::DumpTree(HKEY_CURRENT_USER, Profile("Gone")));
  EXPECT_EQ(old, inspect::DumpTree(HKEY_CURRENT_USER, Profile("Old again")));
  // A name in use is never overwritten by a restore.
  EXPECT_EQ(ERROR_ALREADY_EXISTS, RestoreBackup(entries[0], "KEEP", error));
}

TEST_F(BackupsTest, AnUnwritableBackupFolderStopsTheApplyBeforeAnythingChanges) {
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, ProfilesKeyPath(kKey));
  const std::string blocker = folder_.Write("blocker", "a file where the folder should be");
  const std::string roots[] = {blocker + "\\Backups", ""};
  for (const std::string& root : roots) {
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

TEST_F(BackupsTest, OnlyExistingProfilesThatAnApplyDestroysAreBackedUp) {
  ConfigurationModel model = DeleteAndRename();
  PMAcadProfile created;
  created.Name = "KEEP";  // a creation that would merge onto an existing profile
  created.State = ProfileCreate;
  model[0].Profiles.push_back(created);
  PMAcadProfile neverStored;
  neverStored.Name = "Never stored";
  neverStored.State = ProfileDelete;
  model[0].Profiles.push_back(neverStored);
  model[0].Profiles[0].NewName = "keep";  // a change of letter case only: nothing is lost
  std::string text;
  for (const BackupRequest& request : ProfilesToBackUp(model))
    text += request.Profile + ":" + std::to_string(static_cast<int>(request.Change)) + " ";
  EXPECT_EQ("Gone:0 Old:1 KEEP:2 ", text);
}

TEST_F(BackupsTest, RetentionKeepsTheLastFiftyAppliesAndEverythingYoungerThanThirtyDays) {
  const SYSTEMTIME now = Day(2026, 12, 7);
  const struct {
    int count;
    int daysApart;
    int minutesApart;
    int removed;
  } rows[] = {
      {60, 1, 0, 10},    // ages 0..59 days: the ten beyond the fiftieth are old enough
      {60, 0, 30, 0},    // sixty applies in one day: all young
      {70, 0, 720, 10},  // ages 0..34.5 days: the ten beyond the fiftieth younger than 30 days stay
      {70, 0, 500, 0},   // none beyond the fiftieth is 30 days old
      {55, 100, 0, 5},
      {50, 365, 0, 0},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ScratchFolder scratch;
    const std::string root = scratch.Path() + "\\Backups";
    // Applies without profiles: only their folders count.
    BackupFailure failure;
    for (int n = 0; n < rows[i].count; ++n)
      ASSERT_TRUE(BackupProfiles(root, {}, Before(now, n * rows[i].daysApart, n * rows[i].minutesApart), failure))
          << "row " << i << " apply " << n;
    ::CreateDirectoryA((root + "\\not an apply").c_str(), nullptr);
    const int expected = rows[i].removed;
    EXPECT_EQ(expected, PruneBackups(root, now)) << "row " << i;
    WIN32_FIND_DATAA found;
    int left = 0;
    fw::FindHandle find(::FindFirstFileA((root + "\\*").c_str(), &found));
    if (find) do left += isdigit(static_cast<unsigned char>(found.cFileName[0])) ? 1 : 0; while (::FindNextFileA(find.get(), &found));
    EXPECT_EQ(rows[i].count - expected, left) << "row " << i;
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY,
              ::GetFileAttributesA((root + "\\not an apply").c_str()) & FILE_ATTRIBUTE_DIRECTORY)
        << "row " << i;
  }
}

TEST_F(BackupsTest, TwoAppliesInOneSecondGetTwoFoldersNewestFirst) {
  const SYSTEMTIME now = Day(2026, 12, 7);
  BackupFailure failure;
  std::string first, second;
  ASSERT_TRUE(BackupProfiles(root_, {{kKey, "", "Keep", BackupChange::Deleted}}, now, failure, &first));
  ASSERT_TRUE(BackupProfiles(root_, {{kKey, "", "Old", BackupChange::Replaced}}, now, failure, &second));
  EXPECT_EQ(root_ + "\\2026-12-07 12-00-00", first);
  EXPECT_EQ(first + "-2", second);
  const std::vector<BackupEntry> entries = ListBackups(root_);
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ("Old", entries[0].Profile);
  EXPECT_EQ(second + "\\AutoCAD_R16.0_ACAD-201_409 - Old.arg", entries[0].File);
}

TEST_F(BackupsTest, FileNamesHoldOnlyWhatAFileNameCan) {
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
  const std::string keep = inspect::DumpTree(HKEY_CURRENT_USER, Profile("Keep"));

  ImportOutcome outcome = ImportProfile(file, product_, "keep", false, root_);
  EXPECT_EQ(static_cast<int>(ImportStatus::NameInUse), static_cast<int>(outcome.Status));
  EXPECT_EQ(keep, inspect::DumpTree(HKEY_CURRENT_USER, Profile("Keep")));
  EXPECT_TRUE(ListBackups(root_).empty());

  outcome = ImportProfile(file, product_, "Keep", true, folder_.Write("file", "x") + "\\Backups");
  EXPECT_EQ(static_cast<int>(ImportStatus::BackupFailed), static_cast<int>(outcome.Status));
  EXPECT_EQ(keep, inspect::DumpTree(HKEY_CURRENT_USER, Profile("Keep")));

  outcome = ImportProfile(file, product_, "Keep", true, root_);
  EXPECT_EQ(static_cast<int>(ImportStatus::Imported), static_cast<int>(outcome.Status));
  EXPECT_EQ(inspect::DumpTree(HKEY_CURRENT_USER, Profile("Gone")), inspect::DumpTree(HKEY_CURRENT_USER, Profile("Keep")));
  const std::vector<BackupEntry> entries = ListBackups(root_);
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ(static_cast<int>(BackupChange::Replaced), static_cast<int>(entries[0].Change));
  ProfileFileError error;
  ASSERT_EQ(ERROR_SUCCESS, RestoreBackup(entries[0], "Keep restored", error));
  EXPECT_EQ(keep, inspect::DumpTree(HKEY_CURRENT_USER, Profile("Keep restored")));

  outcome = ImportProfile(file, product_, "", false, root_);  // the file's own name, which is taken
  EXPECT_EQ(static_cast<int>(ImportStatus::NameInUse), static_cast<int>(outcome.Status));
  EXPECT_EQ("Gone", outcome.Name);
  outcome = ImportProfile(file, product_, "a\\b", false, root_);
  EXPECT_EQ(static_cast<int>(ImportStatus::BadName), static_cast<int>(outcome.Status));
}

TEST_F(BackupsTest, AFileThatIsNotAnExportWritesNothing) {
  // Everything is well formed except the very last line.
  const std::string file = folder_.Write(
      "bad.arg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\Fresh]\r\n\"A\"=\"x\"\r\n\r\n"
                 "[HKEY_CURRENT_USER\\Profiles\\Fresh\\Sub]\r\n\"B\"=dword:1\r\n");
  const std::string before = inspect::DumpTree(HKEY_CURRENT_USER, ProfilesKeyPath(kKey));
  const ImportOutcome outcome = ImportProfile(file, product_, "", false, root_);
  EXPECT_EQ(static_cast<int>(ImportStatus::NotProfileFile), static_cast<int>(outcome.Status));
  EXPECT_EQ(7, outcome.FileError.Line);
  EXPECT_EQ(before, inspect::DumpTree(HKEY_CURRENT_USER, ProfilesKeyPath(kKey)));
}

}  // namespace

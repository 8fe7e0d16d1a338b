// The run mode's registry steps: parking, marking and restoring, also for overlapping runs and
// parked values that are not what a run writes.
#include "engine/run_profile.h"

#include <gtest/gtest.h>

#include "engine_test.h"

namespace {

const std::string kProfiles = std::string(kKey) + "\\Profiles";

StoredValue Value(const std::string& path, const char* name) {
  return inspect::Value(HKEY_CURRENT_USER, path, name);
}

class RunProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "Before");
    for (const char* profile : {"Before", "A", "B", "Run"})
      seed::CreatePath(HKEY_CURRENT_USER, kProfiles + "\\" + profile);
  }
  RegistrySandbox sandbox_;
};

TEST_F(RunProfileTest, OverlappingRunsRestoreTheProfileCurrentBeforeTheFirst) {
  for (bool firstEndsFirst : {true, false}) {
    seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "Before");
    std::string parkedA = "stale", parkedB = "stale";
    ASSERT_TRUE(ParkCurrentProfile(kKey, "A", parkedA));
    EXPECT_EQ(Sz("A"), Value(kProfiles, ""));
    ASSERT_TRUE(ParkCurrentProfile(kKey, "B", parkedB));
    EXPECT_EQ(Sz("B"), Value(kProfiles, ""));
    EXPECT_EQ(Sz("Before"), Value(kProfiles, "Tarnwikc")) << "the second run re-parked";
    EXPECT_EQ("Before", parkedA);
    EXPECT_EQ("Before", parkedB);
    ASSERT_TRUE(RestoreParkedProfile(kKey, firstEndsFirst ? parkedA : parkedB));
    EXPECT_EQ(Sz("Before"), Value(kProfiles, ""));
    ASSERT_TRUE(RestoreParkedProfile(kKey, firstEndsFirst ? parkedB : parkedA));
    EXPECT_EQ(Sz("Before"), Value(kProfiles, "")) << (firstEndsFirst ? "first" : "second") << " ended first";
    EXPECT_EQ(Missing(), Value(kProfiles, "Tarnwikc"));
  }
}

TEST_F(RunProfileTest, AParkedValueThatNoRunWroteCountsAsNone) {
  struct Row {
    DWORD type;
    std::string bytes;
  };
  const Row rows[] = {
      {REG_DWORD, std::string("\1\0\0\0", 4)},
      {REG_BINARY, "Home"},
      {REG_SZ, std::string(300, 'p') + '\0'},  // longer than a profile name
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    seed::SetString(HKEY_CURRENT_USER, kProfiles, "", "Before");
    seed::SetRaw(HKEY_CURRENT_USER, kProfiles, "Tarnwikc", rows[row].type, rows[row].bytes);
    std::string parked;
    ASSERT_TRUE(ParkCurrentProfile(kKey, "Run", parked)) << "row " << row;
    EXPECT_EQ("Before", parked) << "row " << row;
    EXPECT_EQ(Sz("Before"), Value(kProfiles, "Tarnwikc")) << "row " << row;
    // Spoilt again while AutoCAD runs: the profile read at the start comes back.
    seed::SetRaw(HKEY_CURRENT_USER, kProfiles, "Tarnwikc", rows[row].type, rows[row].bytes);
    ASSERT_TRUE(RestoreParkedProfile(kKey, parked)) << "row " << row;
    EXPECT_EQ(Sz("Before"), Value(kProfiles, "")) << "row " << row;
    EXPECT_EQ(Missing(), Value(kProfiles, "Tarnwikc")) << "row " << row;
  }
}

TEST_F(RunProfileTest, AParkedProfileDeletedMeanwhileLeavesTheCurrentOne) {
  std::string parked;
  ASSERT_TRUE(ParkCurrentProfile(kKey, "Run", parked));
  RemoveTree(HKEY_CURRENT_USER, kProfiles + "\\Before");
  ASSERT_TRUE(RestoreParkedProfile(kKey, parked));
  EXPECT_EQ(Sz("Run"), Value(kProfiles, ""));
  EXPECT_EQ(Missing(), Value(kProfiles, "Tarnwikc"));
}

TEST_F(RunProfileTest, MarksTheProfileAndNeedsTheProfilesKey) {
  const std::string marker = kProfiles + "\\Home\\Tarnwick";
  ASSERT_TRUE(MarkProfileStarted(kKey, "Home", ""));
  EXPECT_EQ(Dword(1), Value(marker, "RunPM"));
  EXPECT_EQ(Missing(), Value(marker, "PipeName"));
  ASSERT_TRUE(MarkProfileStarted(kKey, "Home", "\\\\.\\pipe\\x@y"));
  EXPECT_EQ(Sz("\\\\.\\pipe\\x@y"), Value(marker, "PipeName"));

  RemoveTree(HKEY_CURRENT_USER, kProfiles);
  std::string parked = "untouched";
  EXPECT_FALSE(ParkCurrentProfile(kKey, "Home", parked));
  EXPECT_FALSE(RestoreParkedProfile(kKey, "Home"));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, kProfiles));
}

}  // namespace

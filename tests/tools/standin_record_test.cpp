// What the AutoCAD stand-ins record: command line, product key, current profile, the markers
// Tarnwick leaves in the profile, and the profile's Menus values.
#include <gtest/gtest.h>

#include "tests/tools/standin_harness.h"

using standin::Dword;
using standin::RawValue;
using standin::Sz;

namespace {

class StandInRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch_ = "Software\\TarnwickTests\\tools-" + std::to_string(GetCurrentProcessId());
    key_ = scratch_ + "\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:409";
    record_ = folder_.path() + "record.txt";
  }
  void TearDown() override { standin::DeleteTree(HKEY_CURRENT_USER, scratch_); }

  std::string Profiles() const { return key_ + "\\Profiles"; }
  std::string Marker(const std::string& profile) const { return Profiles() + "\\" + profile + "\\Tarnwick"; }

  standin::EnvVars Env(standin::EnvVars more = {}) const {
    more.insert(more.begin(), {{"TW_ACAD_KEY", key_}, {"TW_ACAD_RECORD", record_}});
    return more;
  }

  // Runs the stand-in to its end and returns its record.
  std::vector<std::string> Run(const standin::EnvVars& env, const std::string& arguments = "",
                               DWORD* exitCode = nullptr, const char* exe = "acad.exe") {
    DWORD code = 0xDEAD;
    EXPECT_TRUE(standin::RunToEnd(standin::BinFolder() + exe, arguments, env, code)) << exe;
    if (exitCode) *exitCode = code;
    return standin::ReadRecord(record_);
  }

  std::string CommandLineOf(const char* exe, const std::string& arguments) const {
    return "commandline=\"" + standin::BinFolder() + exe + "\"" + arguments;
  }

  standin::ScratchFolder folder_{"tw-tools-record"};
  std::string scratch_, key_, record_;
};

TEST_F(StandInRecordTest, RecordsEverythingAutoCadFindsInItsFixedOrder) {
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, Profiles(), "", Sz("Drafting")));
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, Profiles(), "Tarnwikc", Sz("<<Unnamed Profile>>")));
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, Marker("Drafting"), "RunPM", Dword(1)));
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, Marker("Drafting"), "PipeName", Sz("")));
  std::string menus = Profiles() + "\\Drafting\\Menus";
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, menus, "Group1", Sz("ACAD C:\\acad\\acad.mnc")));
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, menus, "Group2", Sz("ORVANE C:\\orvane\\orvane")));
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, menus, "Pop1", Sz("ACAD Pop1")));
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, menus, "Pop2", Sz("ORVANE Pop1")));
  // Another profile's markers must not leak into the record.
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, Marker("3D Modeling"), "RunPM", Dword(7)));

  const std::string arguments = " /t \"my template.dwt\" /b script";
  DWORD exitCode = 0xDEAD;
  std::vector<std::string> lines = Run(Env(), arguments, &exitCode);
  std::vector<std::string> expected = {CommandLineOf("acad.exe", arguments),
                                       "key=" + key_,
                                       "profile=Drafting",
                                       "Tarnwikc=<<Unnamed Profile>>",
                                       "RunPM=dword:1",
                                       "PipeName=",
                                       "Menus\\Group1=ACAD C:\\acad\\acad.mnc",
                                       "Menus\\Group2=ORVANE C:\\orvane\\orvane",
                                       "Menus\\Pop1=ACAD Pop1",
                                       "Menus\\Pop2=ORVANE Pop1",
                                       "exit=0"};
  EXPECT_EQ(expected, lines) << standin::Joined(lines);
  EXPECT_EQ(0u, exitCode);
}

// Values of every type and shape, as a program under test might leave them.
TEST_F(StandInRecordTest, MarkerValuesOfAnyTypeAndSize) {
  struct Row {
    const char* profilesValue;  // value below {Key}\Profiles, or null for one below the marker key
    const char* name;
    RawValue value;
    std::string expected;
  };
  const std::string big(100000, 'x');
  const Row rows[] = {
      {nullptr, "RunPM", Sz("1"), "RunPM=1"},
      {nullptr, "RunPM", RawValue{REG_BINARY, std::string("\1\0\0\0", 4)}, "RunPM=?type=3,size=4"},
      {nullptr, "RunPM", RawValue{REG_DWORD, std::string("\1\0", 2)}, "RunPM=?type=4,size=2"},
      {nullptr, "RunPM", Dword(0xFFFFFFFF), "RunPM=dword:4294967295"},
      {nullptr, "PipeName", RawValue{REG_SZ, "no terminator"}, "PipeName=no terminator"},
      {nullptr, "PipeName", Sz("a\tb\r\nc\x7f"), "PipeName=a\\x09b\\x0D\\x0Ac\\x7F"},
      {nullptr, "PipeName", RawValue{REG_MULTI_SZ, std::string("a\0b\0\0", 5)}, "PipeName=?type=7,size=5"},
      {nullptr, "PipeName", RawValue{REG_SZ, std::string("cut\0hidden\0", 11)}, "PipeName=cut"},
      {nullptr, "PipeName", RawValue{REG_EXPAND_SZ, Sz("%TEMP%\\x").bytes}, "PipeName=%TEMP%\\x"},
      {"", "Tarnwikc", Sz(big), "Tarnwikc=" + big},
      {"", "Tarnwikc", RawValue{REG_NONE, ""}, "Tarnwikc=?type=0,size=0"},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    standin::DeleteTree(HKEY_CURRENT_USER, scratch_);
    ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, Profiles(), "", Sz("P")));
    ASSERT_TRUE(standin::CreateKey(HKEY_CURRENT_USER, Marker("P")));
    std::string path = row.profilesValue ? Profiles() : Marker("P");
    ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, path, row.name, row.value)) << "row " << i;
    std::vector<std::string> lines = Run(Env());
    bool found = false;
    for (const std::string& line : lines) found = found || line == row.expected;
    EXPECT_TRUE(found) << "row " << i << ", expected " << standin::Joined({row.expected}) << "got:\n"
                       << standin::Joined(lines);
    ASSERT_FALSE(lines.empty()) << "row " << i;
    EXPECT_EQ("exit=0", lines.back()) << "row " << i << " (a non-string PipeName must not be served)";
  }
}

// A product that AutoCAD never started, or a profile tree in any broken state.
TEST_F(StandInRecordTest, MissingOrBrokenProfileTrees) {
  struct Row {
    const char* what;
    void (*prepare)(const std::string& profiles);
    std::vector<std::string> expected;  // lines after the key line, before exit
  };
  const Row rows[] = {
      {"no product key", [](const std::string&) {}, {"profile", "Tarnwikc", "RunPM", "PipeName"}},
      {"Profiles without a current profile",
       [](const std::string& p) {
         standin::WriteValue(HKEY_CURRENT_USER, p, "Tarnwikc", Sz("Old"));
         standin::WriteValue(HKEY_CURRENT_USER, p + "\\Old\\Tarnwick", "RunPM", Dword(1));
       },
       {"profile", "Tarnwikc=Old", "RunPM", "PipeName"}},
      {"empty current profile",
       [](const std::string& p) { standin::WriteValue(HKEY_CURRENT_USER, p, "", Sz("")); },
       {"profile=", "Tarnwikc", "RunPM", "PipeName"}},
      {"current profile that does not exist",
       [](const std::string& p) { standin::WriteValue(HKEY_CURRENT_USER, p, "", Sz("Gone")); },
       {"profile=Gone", "Tarnwikc", "RunPM", "PipeName"}},
      {"current profile of the wrong type",
       [](const std::string& p) { standin::WriteValue(HKEY_CURRENT_USER, p, "", Dword(5)); },
       {"profile=dword:5", "Tarnwikc", "RunPM", "PipeName"}},
      {"profile without marker key but with an empty Menus key",
       [](const std::string& p) {
         standin::WriteValue(HKEY_CURRENT_USER, p, "", Sz("Plain"));
         standin::CreateKey(HKEY_CURRENT_USER, p + "\\Plain\\Menus");
       },
       {"profile=Plain", "Tarnwikc", "RunPM", "PipeName"}},
      {"Menus values of odd types and names",
       [](const std::string& p) {
         standin::WriteValue(HKEY_CURRENT_USER, p, "", Sz("M"));
         standin::WriteValue(HKEY_CURRENT_USER, p + "\\M\\Menus", "Group1", Dword(3));
         standin::WriteValue(HKEY_CURRENT_USER, p + "\\M\\Menus", "Pop\t9", Sz("X y"));
       },
       {"profile=M", "Tarnwikc", "RunPM", "PipeName", "Menus\\Group1=dword:3", "Menus\\Pop\\x099=X y"}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    standin::DeleteTree(HKEY_CURRENT_USER, scratch_);
    rows[i].prepare(Profiles());
    std::vector<std::string> expected = {CommandLineOf("acad.exe", ""), "key=" + key_};
    expected.insert(expected.end(), rows[i].expected.begin(), rows[i].expected.end());
    expected.push_back("exit=0");
    std::vector<std::string> lines = Run(Env());
    EXPECT_EQ(expected, lines) << "row " << i << " (" << rows[i].what << "):\n" << standin::Joined(lines);
  }
}

TEST_F(StandInRecordTest, ExitCodeAndMalformedSwitches) {
  struct Row {
    standin::EnvVars env;
    DWORD exitCode;
    std::vector<std::string> tail;  // the record's last lines
  };
  const Row rows[] = {
      {{{"TW_ACAD_EXIT_CODE", "7"}}, 7, {"PipeName", "exit=7"}},
      {{{"TW_ACAD_EXIT_CODE", "2147483647"}}, 2147483647, {"PipeName", "exit=2147483647"}},
      {{{"TW_ACAD_EXIT_CODE", ""}}, 0, {"PipeName", "exit=0"}},
      {{{"TW_ACAD_EXIT_CODE", "abc"}}, 0, {"error=bad TW_ACAD_EXIT_CODE 'abc'", "exit=0"}},
      {{{"TW_ACAD_EXIT_CODE", "-1"}}, 0, {"error=bad TW_ACAD_EXIT_CODE '-1'", "exit=0"}},
      {{{"TW_ACAD_EXIT_CODE", " 5"}}, 0, {"error=bad TW_ACAD_EXIT_CODE ' 5'", "exit=0"}},
      {{{"TW_ACAD_EXIT_CODE", "2147483648"}}, 0, {"error=bad TW_ACAD_EXIT_CODE '2147483648'", "exit=0"}},
      {{{"TW_ACAD_EXIT_CODE", "99999999999999999999"}},
       0,
       {"error=bad TW_ACAD_EXIT_CODE '99999999999999999999'", "exit=0"}},
      {{{"TW_ACAD_MESSAGES", "1001"}}, 0, {"error=bad TW_ACAD_MESSAGES '1001'", "exit=0"}},
      {{{"TW_ACAD_PIPE_TIMEOUT_MS", "1e3"}}, 0, {"error=bad TW_ACAD_PIPE_TIMEOUT_MS '1e3'", "exit=0"}},
      {{{"TW_ACAD_SERVE_PIPE", "yes"}}, 0, {"error=bad TW_ACAD_SERVE_PIPE 'yes'", "exit=0"}},
      {{{"TW_ACAD_SERVE_PIPE", "0"}}, 0, {"PipeName", "exit=0"}},
      {{{"TW_ACAD_EXIT_CODE", "3\x01"}}, 0, {"error=bad TW_ACAD_EXIT_CODE '3\\x01'", "exit=0"}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    DWORD exitCode = 0xDEAD;
    std::vector<std::string> lines = Run(Env(rows[i].env), "", &exitCode);
    EXPECT_EQ(rows[i].exitCode, exitCode) << "row " << i;
    ASSERT_GE(lines.size(), rows[i].tail.size()) << "row " << i;
    std::vector<std::string> tail(lines.end() - rows[i].tail.size(), lines.end());
    EXPECT_EQ(rows[i].tail, tail) << "row " << i << ":\n" << standin::Joined(lines);
  }
}

TEST_F(StandInRecordTest, WaitsForTheWaitFileBeforeEnding) {
  ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, Profiles(), "", Sz("Drafting")));
  const std::string waitFile = folder_.path() + "go";
  standin::StandInProcess process(standin::BinFolder() + "acadlt.exe", "",
                                  Env({{"TW_ACAD_WAIT_FILE", waitFile}}));
  ASSERT_TRUE(process.started());
  std::vector<std::string> lines = standin::WaitForRecordLines(record_, 6, 20000);
  ASSERT_EQ(6u, lines.size()) << standin::Joined(lines);
  // The header is out; without the file the stand-in cannot have ended (its own limit is 60 s).
  EXPECT_TRUE(process.IsRunning());
  EXPECT_EQ(std::vector<std::string>({CommandLineOf("acadlt.exe", ""), "key=" + key_, "profile=Drafting",
                                      "Tarnwikc", "RunPM", "PipeName"}),
            lines);
  fw::FileHandle go(CreateFileA(waitFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  ASSERT_TRUE(static_cast<bool>(go));
  go.reset();
  DWORD exitCode = 0xDEAD;
  ASSERT_TRUE(process.WaitExit(20000, exitCode));
  EXPECT_EQ(0u, exitCode);
  lines = standin::ReadRecord(record_);
  ASSERT_EQ(7u, lines.size()) << standin::Joined(lines);
  EXPECT_EQ("exit=0", lines.back());
}

TEST_F(StandInRecordTest, UnwritableRecordPathStillRunsAndExits) {
  DWORD exitCode = 0xDEAD;
  standin::EnvVars env = {{"TW_ACAD_KEY", key_},
                          {"TW_ACAD_RECORD", folder_.path() + "no such folder\\record.txt"},
                          {"TW_ACAD_EXIT_CODE", "4"}};
  ASSERT_TRUE(standin::RunToEnd(standin::BinFolder() + "aclt.exe", "", env, exitCode));
  EXPECT_EQ(4u, exitCode);
}

}  // namespace

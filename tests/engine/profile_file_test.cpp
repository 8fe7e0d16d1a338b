// Profile files: exact text, round trips of every value type through the registry, and the reader's
// refusals of whatever an export would not have written.
#include "engine/profile_file.h"

#include <gtest/gtest.h>

#include "engine/profiles.h"
#include "engine_test.h"
#include "tests/support/scratch_folder.h"

namespace {

const char kOtherKey[] = "Software\\Autodesk\\AutoCAD LT\\R11\\ACLT-301:409";

std::string Path(const char* key, const std::string& profile) { return ProfileKeyPath(key, profile); }

void SeedEveryType(const std::string& path) {
  seed::SetString(HKEY_CURRENT_USER, path, "", "Default \"quoted\" C:\\dir\\ \xE4\xF6\xFC\xDF");
  seed::SetString(HKEY_CURRENT_USER, path, "Na\"me\\", "tab\there");
  seed::SetRaw(HKEY_CURRENT_USER, path, "Empty", REG_SZ, std::string("\0", 1));
  seed::SetRaw(HKEY_CURRENT_USER, path, "NoBytes", REG_SZ, "");
  seed::SetRaw(HKEY_CURRENT_USER, path, "Unterminated", REG_SZ, "abc");
  seed::SetRaw(HKEY_CURRENT_USER, path, "Lines", REG_SZ, std::string("a\r\nb\0", 5));
  seed::SetString(HKEY_CURRENT_USER, path, "Long", std::string(3000, 'L'));
  seed::SetDword(HKEY_CURRENT_USER, path, "Number", 0xDEADBEEF);
  seed::SetRaw(HKEY_CURRENT_USER, path, "ShortDword", REG_DWORD, "ab");
  seed::SetRaw(HKEY_CURRENT_USER, path, "Bytes", REG_BINARY, std::string("\0\x01\xff\x80", 4));
  seed::SetRaw(HKEY_CURRENT_USER, path, "NoBinary", REG_BINARY, "");
  seed::SetRaw(HKEY_CURRENT_USER, path, "Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9));
  seed::SetRaw(HKEY_CURRENT_USER, path, "Multi", REG_MULTI_SZ, std::string("one\0two \"2\"\0\0", 13));
  seed::SetRaw(HKEY_CURRENT_USER, path, "Quad", REG_QWORD, std::string("12345678", 8));
  seed::SetRaw(HKEY_CURRENT_USER, path, "None", REG_NONE, "z");
  seed::SetRaw(HKEY_CURRENT_USER, path, "Odd", 0x12345, "odd");
  seed::SetDword(HKEY_CURRENT_USER, path + "\\Tarnwick\\Applications\\App One", "LoadOrder", 1);
  seed::SetString(HKEY_CURRENT_USER, path + "\\General]", "Color", "red");
  seed::CreatePath(HKEY_CURRENT_USER, path + "\\Empty\\Deeper");
}

class ProfileFileTest : public ::testing::Test {
 protected:
  RegistrySandbox sandbox_;
  ScratchFolder folder_;
};

TEST_F(ProfileFileTest, WritesRegedit4TextRelativeToTheProfileAndRefusesControlCharacters) {
  ProfileTree tree;
  tree.Name = "Work";
  tree.Notes = {"Product: AutoCAD 2005"};
  tree.Keys = {{"",
                {{"", REG_SZ, std::string("A \"b\" c:\\d\0", 11)},
                 {"N", REG_DWORD, std::string("\x2a\0\0\0", 4)},
                 {"B", REG_BINARY, std::string(30, '\x11')},
                 {"E", REG_EXPAND_SZ, std::string("%A%\0", 4)},
                 {"M", REG_MULTI_SZ, std::string("a\0\0", 3)},
                 {"Q", REG_QWORD, std::string(8, '\0')},
                 {"Z", REG_NONE, ""}}},
               {"Sub\\Inner", {{"S", REG_SZ, std::string("x\0", 2)}}}};
  std::string text = "unchanged";
  ASSERT_TRUE(FormatProfileFile(tree, text));
  EXPECT_EQ(
      "REGEDIT4\r\n\r\n"
      "; Product: AutoCAD 2005\r\n\r\n"
      "[HKEY_CURRENT_USER\\Profiles\\Work]\r\n"
      "@=\"A \\\"b\\\" c:\\\\d\"\r\n"
      "\"N\"=dword:0000002a\r\n"
      "\"B\"=hex:11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,\\\r\n"
      "  11,11,11,11,11,11,11\r\n"
      "\"E\"=hex(2):25,41,25,00\r\n"
      "\"M\"=hex(7):61,00,00\r\n"
      "\"Q\"=hex(b):00,00,00,00,00,00,00,00\r\n"
      "\"Z\"=hex(0):\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Profiles\\Work\\Sub\\Inner]\r\n"
      "\"S\"=\"x\"\r\n"
      "\r\n",
      text);

  // Names with control characters cannot be written.
  const char* rows[][3] = {{"A\nB", "", ""}, {"A", "Sub\rKey", ""}, {"A", "", "Val\x01"}};
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    tree.Name = rows[i][0];
    tree.Keys = {{rows[i][1], {{rows[i][2], REG_SZ, std::string("x\0", 2)}}}};
    text = "unchanged";
    EXPECT_FALSE(FormatProfileFile(tree, text)) << "row " << i;
    EXPECT_EQ("unchanged", text) << "row " << i;
  }
}

// Putting a tree replaces the whole profile: what the copy had before is gone.
TEST_F(ProfileFileTest, EveryValueTypeRoundTripsUnderAnotherNameAndIntoAnotherProduct) {
  SeedEveryType(Path(kKey, "Source"));
  seed::SetString(HKEY_CURRENT_USER, Path(kKey, "Copy") + "\\Old", "Stale", "x");
  seed::SetString(HKEY_CURRENT_USER, Path(kKey, "Copy"), "Stale", "x");
  const std::string file = folder_.Path() + "\\source.arg";
  ASSERT_EQ(0u, ExportProfile(kKey, "Source", file));
  ProfileTree tree;
  ProfileFileError error;
  ASSERT_TRUE(LoadProfileFile(file, tree, error))
      << static_cast<int>(error.Problem) << " line " << error.Line;
  EXPECT_EQ("Source", tree.Name);
  ASSERT_EQ(ERROR_SUCCESS, PutProfileTree(kKey, "Copy", tree));
  ASSERT_EQ(ERROR_SUCCESS, PutProfileTree(kOtherKey, "Elsewhere", tree));
  const std::string original = inspect::DumpTree(HKEY_CURRENT_USER, Path(kKey, "Source"));
  EXPECT_EQ(original, inspect::DumpTree(HKEY_CURRENT_USER, Path(kKey, "Copy")));
  EXPECT_EQ(original, inspect::DumpTree(HKEY_CURRENT_USER, Path(kOtherKey, "Elsewhere")));

  EXPECT_EQ(ERROR_INVALID_NAME, PutProfileTree(kKey, "A\\B", tree));
  // A profile that cannot be read whole is not replaced.
  seed::SetString(HKEY_CURRENT_USER, Path(kKey, "Locked") + "\\Closed", "Kept", "x");
  seed::DenyReading(HKEY_CURRENT_USER, Path(kKey, "Locked") + "\\Closed");
  EXPECT_EQ(ERROR_ACCESS_DENIED, PutProfileTree(kKey, "Locked", tree));
  EXPECT_TRUE(inspect::KeyExists(HKEY_CURRENT_USER, Path(kKey, "Locked") + "\\Closed"));
  EXPECT_FALSE(inspect::KeyExists(HKEY_CURRENT_USER, Path(kKey, "A")));
}

TEST_F(ProfileFileTest, ExportFailuresLeaveNoFile) {
  const std::string file = folder_.Path() + "\\missing.arg";
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ExportProfile(kKey, "Missing", file));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(file.c_str()));
  seed::SetString(HKEY_CURRENT_USER, Path(kKey, "Work"), "Bad\nName", "x");
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_NAME), ExportProfile(kKey, "Work", file));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(file.c_str()));
  EXPECT_NE(0u, ExportProfile(kKey, "Work", folder_.Path() + "\\no\\such\\folder.arg"));
}

TEST_F(ProfileFileTest, RefusesWhatAnExportNeverHoldsAndNamesTheLine) {
  using P = ProfileFileProblem;
  const std::string head = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\W]\r\n";
  const struct {
    std::string text;
    P problem;
    int line;
  } rows[] = {
      {"", P::NoHeader, 1},
      {"Windows Registry Editor Version 5.00\r\n\r\n", P::NoHeader, 1},
      {"\xEF\xBB\xBFREGEDIT4\r\n", P::NoHeader, 1},
      {"REGEDIT4", P::Truncated, 1},
      {"REGEDIT4\r\n\r\n", P::Truncated, 3},
      {head + "\"A\"=\"abc", P::Truncated, 4},
      {head + "\"A\"=\"abc\r\n", P::Truncated, 4},
      {head + "\"A\"=hex:00,01,\\\r\n", P::Truncated, 4},
      {head + "\"A\"=hex:00,01,\\\r\n  02,0", P::Truncated, 5},
      {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n", P::OutsideProfile, 2},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\Profiles]\r\n", P::OutsideProfile, 2},
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Profiles\\W]\r\n", P::OutsideProfile, 2},
      {head + "[HKEY_CURRENT_USER\\Profiles\\Other\\X]\r\n", P::OutsideProfile, 4},
      {head + "[HKEY_CURRENT_USER\\Profiles\\w\\Sub\\\\X]\r\n", P::BadKeyName, 4},
      {head + "[HKEY_CURRENT_USER\\Profiles\\w\\" + std::string(256, 'k') + "]\r\n", P::BadKeyName, 4},
      {head + "[-HKEY_CURRENT_USER\\Profiles\\W]\r\n", P::Syntax, 4},
      {head + "[HKEY_CURRENT_USER\\Profiles\\W\r\n", P::Syntax, 4},
      {"REGEDIT4\r\n\"A\"=\"x\"\r\n", P::Syntax, 2},
      {head + "\"A\"=\"a\\nb\"\r\n", P::BadEscape, 4},
      {head + "\"A\\t\"=\"ab\"\r\n", P::BadEscape, 4},
      {head + "\"A\"=\"ab\" junk\r\n", P::Syntax, 4},
      {head + "\"\"=\"ab\"\r\n", P::Syntax, 4},
      {head + "\"A\"=-\r\n", P::Syntax, 4},
      {head + "A=\"ab\"\r\n", P::Syntax, 4},
      {head + "\"A\"=dword:123\r\n", P::Syntax, 4},
      {head + "\"A\"=dword:1234567g\r\n", P::Syntax, 4},
      {head + "\"A\"=hex:0,1\r\n", P::Syntax, 4},
      {head + "\"A\"=hex:00,01,\r\n", P::Syntax, 4},
      {head + "\"A\"=hex:00;01\r\n", P::Syntax, 4},
      {head + "\"A\"=hex(q):00\r\n", P::Syntax, 4},
      {head + "\"A\"=hex(123456789):00\r\n", P::Syntax, 4},
      {head + "\"A\"=hex:00,01\\\r\n02\r\n", P::Syntax, 4},
      {head + "\"A\"=\"" + std::string(100 * 1024, 'x') + "\"\r\n", P::LineTooLong, 4},
      {head + std::string(100 * 1024, ';'), P::LineTooLong, 4},
      {head + std::string("\"A\"=\"a\0b\"\r\n", 11), P::NotText, 4},
      {head + std::string("\x7f"
                          "ELF\x01\x01\x00\x00\r\n",
                          10),
       P::NotText, 4},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    ProfileTree tree;
    tree.Name = "untouched";
    ProfileFileError error;
    EXPECT_FALSE(ParseProfileFile(rows[i].text, tree, error)) << "row " << i;
    EXPECT_EQ(static_cast<int>(rows[i].problem), static_cast<int>(error.Problem)) << "row " << i;
    EXPECT_EQ(rows[i].line, error.Line) << "row " << i;
    EXPECT_EQ("untouched", tree.Name) << "row " << i;
    EXPECT_TRUE(tree.Keys.empty()) << "row " << i;
  }
}

TEST_F(ProfileFileTest, AcceptsWhatTheRegistryEditorWritesToo) {
  ProfileTree tree;
  ProfileFileError error;
  ASSERT_TRUE(
      ParseProfileFile("REGEDIT4\n"
                       "; comment\n"
                       "\n"
                       "[hkey_current_user\\profiles\\Work]  \n"
                       "\"A\"=hex:0A, 0b ,\\\n"
                       "   0C\n"
                       "[HKEY_CURRENT_USER\\Profiles\\WORK\\Sub]\n"
                       "\"D\"=dword:FFFFFFFF\n",
                       tree, error))
      << error.Line;
  ASSERT_EQ(2u, tree.Keys.size());
  EXPECT_EQ("Work", tree.Name);
  EXPECT_EQ("Sub", tree.Keys[1].Path);
  EXPECT_EQ(std::string("\x0a\x0b\x0c"), tree.Keys[0].Values[0].Data);
  EXPECT_EQ(std::string("\xff\xff\xff\xff"), tree.Keys[1].Values[0].Data);
}

TEST_F(ProfileFileTest, UnreadableAndOversizedFiles) {
  const std::string big = folder_.Path() + "\\big.arg";
  {
    fw::FileHandle file(::CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    LARGE_INTEGER size;
    size.QuadPart = kMaxProfileFileBytes + 1;
    ASSERT_TRUE(::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.get()));
  }
  const std::pair<std::string, ProfileFileProblem> rows[] = {
      {folder_.Path() + "\\absent.arg", ProfileFileProblem::Unreadable},
      {folder_.Path() + "\\", ProfileFileProblem::Unreadable},  // a folder
      {big, ProfileFileProblem::TooLarge},
  };
  for (const auto& row : rows) {
    ProfileTree tree;
    ProfileFileError error;
    EXPECT_FALSE(LoadProfileFile(row.first, tree, error)) << row.first;
    EXPECT_EQ(static_cast<int>(row.second), static_cast<int>(error.Problem)) << row.first;
  }
}

}  // namespace

// File-system functions: information, copy, delete, rename, folders, the current folder and
// writable probes.
#include "fio/fileutil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_test_util.h"
#include "tests/support/scratch_folder.h"

namespace {

using Entries = std::vector<std::string>;

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(FileInfo, WildcardsAnswerForTheFirstMatch) {
  ScratchFolder dir;
  dir.Write("notes.txt", std::string(3, 't'));
  dir.Write("data.bin", std::string(5, 'b'));
  const struct {
    std::string name;
    int size;   // of the match
    int error;  // when nothing matches
  } rows[] = {
      {dir / "*.txt", 3, 0},
      {dir / "data.bi?", 5, 0},
      {dir / "notes.tx", 0, FIOERR_FILE_NOT_FOUND},
      {dir / "no\\such\\folder.txt", 0, FIOERR_BAD_PATH},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    SCOPED_TRACE(row);
    const char* name = rows[row].name.c_str();
    EXPECT_EQ(rows[row].error == 0, Fio_IsFileExist(name) != FALSE);
    FioFileInfo info = {};
    if (!rows[row].error) {
      Fio_GetFileInfo(name, &info);
      EXPECT_EQ(rows[row].size, info.size);
    } else {
      EXPECT_FILE_ERROR(Fio_GetFileInfo(name, &info), rows[row].error, FIOOP_FILE_INFO, rows[row].name);
    }
  }
  EXPECT_FILE_ERROR(Fio_GetFileInfo(rows[0].name.c_str(), nullptr), FIOERR_GENERIC, FIOOP_FILE_INFO);
  const std::string tooLong(2000, 'q');
  for (const char* name : {"", tooLong.c_str(), static_cast<const char*>(nullptr)})
    EXPECT_FALSE(Fio_IsFileExist(name)) << (name ? name : "null");
}

TEST(FileActions, CopyDeleteRename) {
  ScratchFolder dir;
  const std::string a = dir.Write("a.txt", "alpha");
  const std::string b = dir / "b.txt";
  Fio_CopyFile(a.c_str(), b.c_str(), TRUE);
  EXPECT_EQ("alpha", ReadWholeFile(b));
  dir.Write("a.txt", "ALPHA");
  EXPECT_FILE_ERROR(Fio_CopyFile(a.c_str(), b.c_str(), TRUE), FIOERR_OTHER, FIOOP_COPY, a);
  Fio_CopyFile(a.c_str(), b.c_str(), FALSE);
  EXPECT_EQ("ALPHA", ReadWholeFile(b));

  const std::string c = dir / "c.txt";
  Fio_RenameFile(b.c_str(), c.c_str());
  EXPECT_EQ((Entries{"a.txt", "c.txt"}), dir.Entries());
  EXPECT_FILE_ERROR(Fio_RenameFile(b.c_str(), (dir / "d.txt").c_str()), FIOERR_FILE_NOT_FOUND, FIOOP_RENAME,
                    b);

  Fio_DeleteFile(c.c_str());
  EXPECT_EQ(Entries{"a.txt"}, dir.Entries());
  EXPECT_FILE_ERROR(Fio_DeleteFile(c.c_str()), FIOERR_FILE_NOT_FOUND, FIOOP_DELETE, c);
  EXPECT_FILE_ERROR(Fio_DeleteFile(nullptr), FIOERR_BAD_PATH, FIOOP_DELETE);
  EXPECT_FILE_ERROR(Fio_CopyFile(nullptr, c.c_str(), FALSE), FIOERR_BAD_PATH, FIOOP_COPY);
  EXPECT_FILE_ERROR(Fio_RenameFile(a.c_str(), nullptr), FIOERR_BAD_PATH, FIOOP_RENAME, a);
}

TEST(Folders, CreateEveryMissingLevel) {
  ScratchFolder dir;
  const struct {
    std::string name;
    std::vector<std::string> made;
  } rows[] = {
      {dir / "a\\b\\c", {dir / "a", dir / "a\\b", dir / "a\\b\\c"}},
      {dir / "a\\b\\c", {dir / "a\\b\\c"}},  // exists: nothing to do
      {dir / "x/y\\z/", {dir / "x", dir / "x/y", dir / "x/y\\z"}},
      {dir / "a\\\\d", {dir / "a\\d"}},  // a doubled delimiter names no folder of its own
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    Fio_CreateDirectory(rows[i].name.c_str());
    for (const std::string& made : rows[i].made) EXPECT_TRUE(IsFolder(made)) << "row " << i << ": " << made;
  }
  EXPECT_EQ((Entries{"a", "x"}), dir.Entries());
  Fio_CreateDirectory("");
  Fio_CreateDirectory(nullptr);

  // A file in the way: the prefix that failed is reported.
  dir.Write("file", "");
  const std::string blocked = dir / "file\\sub";
  EXPECT_FILE_ERROR(Fio_CreateDirectory((blocked + "\\deeper").c_str()), FIOERR_BAD_PATH, FIOOP_CREATE_DIR,
                    blocked);
}

TEST(Folders, CurrentFolderAndWritableProbes) {
  ScratchFolder dir;
  char saved[MAX_PATH];  // the process's current folder, put back at the end
  GetCurrentDirectoryA(MAX_PATH, saved);
  const std::string readOnly = dir.Write("ro.txt", "r");
  ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  Fio_SetCurrentDirectory(dir.Path().c_str());
  const struct {
    std::string name;
    BOOL file, folder;
  } rows[] = {
      {dir.Path(), TRUE, TRUE},        // a folder that is not read-only, in a writable folder
      {dir / "missing", TRUE, FALSE},  // a new file in a writable folder
      {dir / "missing\\new.txt", FALSE, FALSE},
      {readOnly, FALSE, FALSE},
      {"new.txt", TRUE, FALSE},  // no folder part: the current folder
      {".", TRUE, TRUE},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    EXPECT_EQ(rows[i].file, Fio_IsWritableFile(rows[i].name.c_str())) << "row " << i << ": " << rows[i].name;
    EXPECT_EQ(rows[i].folder, Fio_IsWritableDir(rows[i].name.c_str())) << "row " << i << ": " << rows[i].name;
  }
  EXPECT_FALSE(Fio_IsWritableFile(nullptr));
  EXPECT_FALSE(Fio_IsWritableDir(nullptr));
  EXPECT_EQ(Entries{"ro.txt"}, dir.Entries()) << "the probes are gone";

  char current[MAX_PATH], small[4] = {'X', 'X', 'X', 'X'};
  Fio_GetCurrentDirectory(small, sizeof small);
  EXPECT_STREQ("", small) << "a buffer that is too small is handed back empty";
  Fio_GetCurrentDirectory(nullptr, 10);
  const std::string missing = dir / "missing\\deeper";
  EXPECT_FILE_ERROR(Fio_SetCurrentDirectory(missing.c_str()), FIOERR_BAD_PATH, FIOOP_SET_CURDIR, missing);
  Fio_GetCurrentDirectory(current, sizeof current);
  EXPECT_STREQ(dir.Path().c_str(), current);
  SetCurrentDirectoryA(saved);
}

}  // namespace

// Output files: written beside the target, committed over it, the target locked meanwhile; and the
// process-wide file locks they take.
#include <gtest/gtest.h>

#include <string>

#include "file_test_util.h"
#include "fio/fileutil.h"
#include "fio/xfile.h"
#include "tests/support/scratch_folder.h"

namespace {

using Entries = std::vector<std::string>;

TEST(OutFile, CommitReplacesTheLockedTargetAndLeavesNothingElse) {
  // A temporary output (deleted by the system on close) must not take the output with it.
  for (int mode : {0, static_cast<int>(FIO_TEMPORARY)}) {
    SCOPED_TRACE(mode);
    ScratchFolder dir;
    const std::string target = dir.Write("target.txt", "old content that is longer");
    {
      FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), mode));
      EXPECT_STREQ(target.c_str(), out->GetFileName());
      EXPECT_EQ(0, out->GetLength()) << "without keep mode the output starts empty";
      out->WriteString("new");
      out->WriteString(nullptr);  // writes nothing, not even the end
      EXPECT_EQ(2u, dir.Entries().size()) << "the target and the temporary file beside it";
      EXPECT_EQ(1, Fio_LockCount(target.c_str()));
      EXPECT_FILE_ERROR(Fio_Open(target.c_str(), 0), FIOERR_SHARING, FIOOP_READ, target);
      out->Commit();
      EXPECT_EQ(0, Fio_LockCount(target.c_str()));
      EXPECT_EQ(std::string("new\0", 4), ReadWholeFile(target));
      out->Commit();  // a second commit has nothing left to do
    }
    EXPECT_EQ(Entries{"target.txt"}, dir.Entries());
  }
}

TEST(OutFile, ReleasedWithoutCommitLeavesTheTargetUnchanged) {
  ScratchFolder dir;
  const std::string target = dir.Write("target.txt", "old");
  const std::string fresh = dir / "fresh.txt";
  for (const std::string& name : {target, fresh}) {
    FileRef<IXOutFile> out(Fio_OpenOut(name.c_str(), 0));
    out->Write("replacement", 11);
  }
  EXPECT_EQ("old", ReadWholeFile(target));
  EXPECT_EQ(Entries{"target.txt"}, dir.Entries()) << "the temporary files are removed";
  EXPECT_EQ(0, Fio_LockCount(target.c_str()));
}

TEST(OutFile, RefusedTargetsLeaveNoTemporaryFileAndNoLock) {
  ScratchFolder dir;
  const std::string readOnly = dir.Write("locked.txt", "keep");
  ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string busy = dir.Write("busy.txt", "old");
  FileRef<IXFile> other(Fio_Open(busy.c_str(), FIO_READWRITE | FIO_KEEP));  // another writer, no sharing
  const std::string folder = dir / "sub";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const struct {
    std::string name;
    int mode, code, operation;
  } rows[] = {
      {readOnly, FIO_KEEP, FIOERR_ACCESS_DENIED, kPlainError},
      {"", 0, FIOERR_BAD_PATH, kPlainError},
      {dir / std::string(600, 'n'), 0, FIOERR_BAD_PATH, kPlainError},
      {busy, 0, FIOERR_SHARING, FIOOP_LOCK},
      {folder, 0, FIOERR_ACCESS_DENIED, FIOOP_LOCK},  // a folder in place of the target
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    SCOPED_TRACE(row);
    const char* name = rows[row].name.c_str();
    EXPECT_FILE_ERROR(Fio_OpenOut(name, rows[row].mode), rows[row].code, rows[row].operation,
                      rows[row].operation == FIOOP_LOCK ? rows[row].name : "");
    EXPECT_EQ(0, Fio_LockCount(name));
  }
  EXPECT_FILE_ERROR(Fio_OpenOut(nullptr, 0), FIOERR_BAD_PATH, kPlainError);
  EXPECT_EQ((Entries{"busy.txt", "locked.txt", "sub"}), dir.Entries());
}

TEST(OutFile, CommitThatCannotReplaceTheTargetThrowsAndKeepsIt) {
  ScratchFolder dir;
  const std::string target = dir.Write("held.txt", "old");
  Fio_LockFile(target.c_str());  // held open by someone else for the whole time
  {
    FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), 0));
    EXPECT_EQ(2, Fio_LockCount(target.c_str()));
    out->Write("new", 3);
    EXPECT_FILE_ERROR(out->Commit(), FIOERR_ACCESS_DENIED, FIOOP_RENAME, target);
    EXPECT_EQ(1, Fio_LockCount(target.c_str()));
  }
  Fio_UnlockFile(target.c_str());
  EXPECT_EQ("old", ReadWholeFile(target)) << "the target is neither deleted nor changed";
  EXPECT_EQ(Entries{"held.txt"}, dir.Entries()) << "the temporary file is removed";
}

TEST(Locking, NestedLocksCountPerFileAndFailuresThrow) {
  ScratchFolder dir;
  const std::string paths[] = {dir.Write("1.txt", "1"), dir.Write("2.txt", "2"), dir.Write("3.txt", "3")};
  for (const std::string& path : paths) Fio_LockFile(path.c_str());
  Fio_LockFile(paths[2].c_str());
  // Unlocking from the middle, the front and the end of the list, and a file no longer locked.
  const struct {
    int unlock;
    int counts[3];
  } steps[] = {{1, {1, 0, 2}}, {0, {0, 0, 2}}, {2, {0, 0, 1}}, {2, {0, 0, 0}}, {2, {0, 0, 0}}};
  for (size_t step = 0; step < sizeof steps / sizeof steps[0]; ++step) {
    Fio_UnlockFile(paths[steps[step].unlock].c_str());
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(steps[step].counts[i], Fio_LockCount(paths[i].c_str())) << "step " << step << " file " << i;
      EXPECT_EQ(steps[step].counts[i] == 0, CanOpenForReading(paths[i])) << "step " << step << " file " << i;
    }
  }
  Fio_LockFile(paths[1].c_str());  // the list works after being emptied
  EXPECT_EQ(1, Fio_LockCount(paths[1].c_str()));
  Fio_UnlockFile(paths[1].c_str());

  // Failures (a target held by another writer is refused through the output file above).
  const std::string missing = dir / "missing.txt";
  EXPECT_FILE_ERROR(Fio_LockFile(missing.c_str()), FIOERR_FILE_NOT_FOUND, FIOOP_LOCK, missing);
  EXPECT_FILE_ERROR(Fio_LockFile(nullptr), FIOERR_BAD_PATH, FIOOP_LOCK);
  EXPECT_FILE_ERROR(Fio_LockFile(std::string(700, 'a').c_str()), FIOERR_BAD_PATH, FIOOP_LOCK);
  EXPECT_EQ(0, Fio_LockCount(missing.c_str()));
  EXPECT_EQ(0, Fio_LockCount(nullptr));
  Fio_UnlockFile(nullptr);
}

}  // namespace

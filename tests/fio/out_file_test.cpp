// Output files: written beside the target, committed over it, the target locked meanwhile.
#include <gtest/gtest.h>

#include <string>

#include "file_test_util.h"
#include "fio/fileutil.h"
#include "fio/xfile.h"
#include "tests/support/scratch_folder.h"

namespace {

using Entries = std::vector<std::string>;

TEST(OutFile, CommitReplacesTheTargetAndLeavesNothingElse) {
  ScratchFolder dir;
  const std::string target = dir.Write("target.txt", "old content that is longer");
  {
    FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), 0));
    EXPECT_STREQ(target.c_str(), out->GetFileName());
    EXPECT_EQ(0, out->GetLength()) << "without keep mode the output starts empty";
    out->WriteString("new");
    EXPECT_EQ(2u, dir.Entries().size()) << "the target and the temporary file beside it";
    out->Commit();
    EXPECT_EQ(std::string("new\0", 4), ReadWholeFile(target));
    out->Commit();  // a second commit has nothing left to do
  }
  EXPECT_EQ(Entries{"target.txt"}, dir.Entries());
}

TEST(OutFile, ReleasedWithoutCommitLeavesTheTargetUnchanged) {
  ScratchFolder dir;
  const std::string target = dir.Write("target.txt", "old");
  {
    FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), 0));
    out->Write("replacement", 11);
  }
  EXPECT_EQ("old", ReadWholeFile(target));
  EXPECT_EQ(Entries{"target.txt"}, dir.Entries()) << "the temporary file is removed";
  EXPECT_EQ(0, Fio_LockCount(target.c_str()));
  EXPECT_TRUE(CanOpenForReading(target));

  // A new target that was never committed does not appear.
  const std::string fresh = dir / "fresh.txt";
  { FileRef<IXOutFile> out(Fio_OpenOut(fresh.c_str(), 0)); }
  EXPECT_EQ(Entries{"target.txt"}, dir.Entries());
}

TEST(OutFile, TheTargetIsLockedWhileWriting) {
  ScratchFolder dir;
  const std::string target = dir.Write("target.txt", "old");
  FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), 0));
  EXPECT_EQ(1, Fio_LockCount(target.c_str()));
  EXPECT_FALSE(CanOpenForReading(target));
  EXPECT_FILE_ERROR(Fio_Open(target.c_str(), 0), FIOERR_SHARING, FIOOP_READ, target);
  out->Write("new", 3);
  out->Commit();
  EXPECT_EQ(0, Fio_LockCount(target.c_str()));
  EXPECT_TRUE(CanOpenForReading(target));
  EXPECT_EQ("new", ReadWholeFile(target));
}

TEST(OutFile, ReadOnlyTargetIsRefusedWithoutTemporaryFile) {
  ScratchFolder dir;
  const std::string target = dir.Write("locked.txt", "keep");
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_PLAIN_ERROR(Fio_OpenOut(target.c_str(), 0), FIOERR_ACCESS_DENIED);
  EXPECT_PLAIN_ERROR(Fio_OpenOut(target.c_str(), FIO_KEEP), FIOERR_ACCESS_DENIED);
  EXPECT_EQ(Entries{"locked.txt"}, dir.Entries());
  EXPECT_EQ("keep", ReadWholeFile(target));
}

TEST(OutFile, UnwritableFolderOrBadNameIsRefused) {
  ScratchFolder dir;
  const std::string inMissingFolder = dir / "missing\\out.txt";
  EXPECT_PLAIN_ERROR(Fio_OpenOut(inMissingFolder.c_str(), 0), FIOERR_ACCESS_DENIED);
  EXPECT_PLAIN_ERROR(Fio_OpenOut("", 0), FIOERR_BAD_PATH);
  EXPECT_PLAIN_ERROR(Fio_OpenOut(nullptr, 0), FIOERR_BAD_PATH);
  EXPECT_PLAIN_ERROR(Fio_OpenOut((dir / std::string(600, 'n')).c_str(), 0), FIOERR_BAD_PATH);
  EXPECT_EQ(Entries{}, dir.Entries());
}

TEST(OutFile, TargetThatCannotBeLockedLeavesNoTemporaryFile) {
  ScratchFolder dir;
  const std::string target = dir.Write("busy.txt", "old");
  {
    // Another writer holds the target without sharing.
    FileRef<IXFile> other(Fio_Open(target.c_str(), FIO_READWRITE | FIO_KEEP));
    EXPECT_FILE_ERROR(Fio_OpenOut(target.c_str(), 0), FIOERR_SHARING, FIOOP_LOCK, target);
    EXPECT_EQ(0, Fio_LockCount(target.c_str()));
    EXPECT_EQ(Entries{"busy.txt"}, dir.Entries());
  }
  // A folder in place of the target cannot be locked either.
  const std::string folder = dir / "sub";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_FILE_ERROR(Fio_OpenOut(folder.c_str(), 0), FIOERR_ACCESS_DENIED, FIOOP_LOCK, folder);
  EXPECT_EQ((Entries{"busy.txt", "sub"}), dir.Entries());
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

TEST(OutFile, TemporaryModeDoesNotLoseTheOutput) {
  ScratchFolder dir;
  const std::string target = dir / "out.txt";
  {
    FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), FIO_TEMPORARY));
    out->Write("kept", 4);
    out->Commit();
  }
  EXPECT_EQ("kept", ReadWholeFile(target));
}

}  // namespace

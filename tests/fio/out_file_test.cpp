// Output files: written beside the target, committed over it, the target locked meanwhile.
#include <gtest/gtest.h>

#include <string>

#include "file_test_util.h"
#include "fio/fileutil.h"
#include "fio/xfile.h"
#include "scratch_folder.h"

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

TEST(OutFile, NewTargetIsCreatedOnCommit) {
  ScratchFolder dir;
  const std::string target = dir / "new.bin";
  FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), FIO_KEEP));
  EXPECT_EQ(0, out->GetLength()) << "nothing to keep";
  EXPECT_EQ(0, Fio_LockCount(target.c_str())) << "no target, no lock";
  out->WriteDword(0x64636261);
  out->Commit();
  EXPECT_EQ("abcd", ReadWholeFile(target));
  EXPECT_EQ(Entries{"new.bin"}, dir.Entries());
  EXPECT_FILE_ERROR(out->Write("x", 1), FIOERR_GENERIC, FIOOP_NONE, target);
  EXPECT_FILE_ERROR(out->GetLength(), FIOERR_GENERIC, FIOOP_NONE, target);
}

TEST(OutFile, KeepModeStartsAtTheEndOfTheTargetsContent) {
  ScratchFolder dir;
  const std::string target = dir.Write("log.txt", "line 1\r\n");
  {
    FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), FIO_KEEP));
    EXPECT_EQ(8, out->GetPosition());
    EXPECT_EQ(8, out->GetLength());
    out->Write("line 2\r\n", 8);
    out->Seek(0, FIO_SEEK_SET);
    char line[16];
    EXPECT_EQ(7, out->ReadLine(line, sizeof line));
    EXPECT_STREQ("line 1\r\n", line);
    out->Commit();
  }
  EXPECT_EQ("line 1\r\nline 2\r\n", ReadWholeFile(target));
  EXPECT_EQ(Entries{"log.txt"}, dir.Entries());
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

TEST(OutFile, WithLockingOffTheTargetStaysOpenToOthers) {
  ScratchFolder dir;
  const std::string target = dir.Write("target.txt", "old");
  const BOOL previous = Fio_EnableLocking(FALSE);
  {
    FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), 0));
    EXPECT_EQ(0, Fio_LockCount(target.c_str()));
    EXPECT_TRUE(CanOpenForReading(target));
    Fio_EnableLocking(TRUE);
    Fio_LockFile(target.c_str());  // someone else's lock, taken meanwhile
    out->Write("new", 3);
  }
  EXPECT_EQ(1, Fio_LockCount(target.c_str())) << "the output file must not give back a lock it never took";
  Fio_UnlockFile(target.c_str());
  Fio_EnableLocking(previous);
  EXPECT_EQ("old", ReadWholeFile(target));
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

TEST(OutFile, WritesCrossingWindowsCommitExactBytes) {
  ScratchFolder dir;
  const std::string target = dir.Write("big.bin", "x");
  std::string bytes(300000, 0);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 253);
  {
    FileRef<IXOutFile> out(Fio_OpenOut(target.c_str(), 0));
    out->Write(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(300000, out->GetLength());
    out->Commit();
  }
  EXPECT_EQ(bytes, ReadWholeFile(target));
}

TEST(OutFile, AnswersAsAFileToo) {
  ScratchFolder dir;
  FileRef<IXOutFile> out(Fio_OpenOut((dir / "x.txt").c_str(), 0));
  IXFile* file = nullptr;
  EXPECT_TRUE(out->QueryInterface(typeid(IXFile), reinterpret_cast<void**>(&file)));
  EXPECT_EQ(static_cast<IXFile*>(out.get()), file);
  IXOutFile* same = nullptr;
  EXPECT_TRUE(out->QueryInterface(typeid(IXOutFile), reinterpret_cast<void**>(&same)));
  EXPECT_EQ(out.get(), same);
  EXPECT_EQ(2, same->Release());
  EXPECT_EQ(1, file->Release());
}

}  // namespace

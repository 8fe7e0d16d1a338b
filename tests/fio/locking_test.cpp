// The process-wide file locks: nested counts, several files, failures.
#include <gtest/gtest.h>

#include <string>

#include "file_test_util.h"
#include "fio/fileutil.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(Locking, NestedLocksCount) {
  ScratchFolder dir;
  const std::string path = dir.Write("a.txt", "x");
  Fio_LockFile(path.c_str());
  Fio_LockFile(path.c_str());
  EXPECT_EQ(2, Fio_LockCount(path.c_str()));
  Fio_UnlockFile(path.c_str());
  EXPECT_EQ(1, Fio_LockCount(path.c_str()));
  EXPECT_FALSE(CanOpenForReading(path)) << "still locked";
  Fio_UnlockFile(path.c_str());
  EXPECT_EQ(0, Fio_LockCount(path.c_str()));
  EXPECT_TRUE(CanOpenForReading(path));
  Fio_UnlockFile(path.c_str());  // not locked: nothing happens
  EXPECT_EQ(0, Fio_LockCount(path.c_str()));
}

TEST(Locking, SeveralFilesAreKeptApart) {
  ScratchFolder dir;
  const std::string paths[] = {dir.Write("1.txt", "1"), dir.Write("2.txt", "2"), dir.Write("3.txt", "3")};
  for (const std::string& path : paths) Fio_LockFile(path.c_str());
  Fio_LockFile(paths[2].c_str());
  // Removing from the middle, the front and the end of the list.
  Fio_UnlockFile(paths[1].c_str());
  EXPECT_EQ(1, Fio_LockCount(paths[0].c_str()));
  EXPECT_EQ(0, Fio_LockCount(paths[1].c_str()));
  EXPECT_EQ(2, Fio_LockCount(paths[2].c_str()));
  Fio_UnlockFile(paths[0].c_str());
  Fio_UnlockFile(paths[2].c_str());
  Fio_UnlockFile(paths[2].c_str());
  for (const std::string& path : paths) {
    EXPECT_EQ(0, Fio_LockCount(path.c_str())) << path;
    EXPECT_TRUE(CanOpenForReading(path)) << path;
  }
  Fio_LockFile(paths[1].c_str());  // the list works after being emptied
  EXPECT_EQ(1, Fio_LockCount(paths[1].c_str()));
  Fio_UnlockFile(paths[1].c_str());
}

TEST(Locking, FailuresThrowWithTheLockOperation) {
  ScratchFolder dir;
  const std::string missing = dir / "missing.txt";
  EXPECT_FILE_ERROR(Fio_LockFile(missing.c_str()), FIOERR_FILE_NOT_FOUND, FIOOP_LOCK, missing);
  EXPECT_EQ(0, Fio_LockCount(missing.c_str()));
  const std::string busy = dir.Write("busy.txt", "x");
  {
    FileRef<IXFile> writer(Fio_Open(busy.c_str(), FIO_READWRITE | FIO_KEEP));
    EXPECT_FILE_ERROR(Fio_LockFile(busy.c_str()), FIOERR_SHARING, FIOOP_LOCK, busy);
  }
  EXPECT_FILE_ERROR(Fio_LockFile(nullptr), FIOERR_BAD_PATH, FIOOP_LOCK);
  EXPECT_FILE_ERROR(Fio_LockFile(std::string(700, 'a').c_str()), FIOERR_BAD_PATH, FIOOP_LOCK);
  EXPECT_EQ(0, Fio_LockCount(nullptr));
  Fio_UnlockFile(nullptr);
}

}  // namespace

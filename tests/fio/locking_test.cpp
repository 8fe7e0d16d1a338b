// The process-wide file locks: nested counts, several files, failures.
#include <gtest/gtest.h>

#include <string>

#include "file_test_util.h"
#include "fio/fileutil.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(Locking, NestedLocksCountPerFile) {
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

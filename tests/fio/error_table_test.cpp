// The table from system errors to the library's file exception codes.
#include <gtest/gtest.h>

#include <vector>

#include "base/exceptions.h"
#include "fio/file_errors.h"
#include "fio/xfile.h"

namespace {

TEST(ErrorTable, EverySystemErrorOfTheTable) {
  const struct {
    int code;
    std::vector<DWORD> errors;
  } rows[] = {
      {FIOERR_GENERIC, {8, 14, 84, 1130}},
      {FIOERR_DISK_FULL, {39, 112}},
      {FIOERR_END_OF_FILE, {38}},
      {FIOERR_FILE_NOT_FOUND, {2}},
      {FIOERR_BAD_PATH, {3, 15, 20, 55, 67, 123, 161, 206, 1203, 1214}},
      {FIOERR_SHARING, {32, 33, 108}},
      {FIOERR_ACCESS_DENIED, {5, 19, 65}},
      {FIOERR_DEVICE, {21, 23, 25, 27, 30, 132, 267, 1006, 1117, 1126, 1127, 1128, 1392, 1393}},
      {FIOERR_NETWORK, {50, 53, 54, 58, 64, 70, 88, 1201, 1204, 1206, 1222, 6118}},
      {FIOERR_TOO_MANY_OPEN, {4}},
      // Neighbours of listed numbers and numbers no row names.
      {FIOERR_OTHER,
       {0, 1, 6, 7, 9, 13, 16, 22, 31, 34, 40, 66, 80, 111, 183, 223, 1005, 1131, 6117, 0xFFFFFFFF}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    for (DWORD error : rows[i].errors)
      EXPECT_EQ(rows[i].code, FioCodeFromSystemError(error)) << "row " << i << ", system error " << error;
}

}  // namespace

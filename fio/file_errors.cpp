#include "fio/file_errors.h"

#include "base/exceptions.h"
#include "fio/xfile.h"

namespace {

struct ErrorRow {
  DWORD error;
  int code;
};

const ErrorRow kErrorTable[] = {
    {8, FIOERR_GENERIC},       {14, FIOERR_GENERIC},       {84, FIOERR_GENERIC},
    {1130, FIOERR_GENERIC},    {39, FIOERR_DISK_FULL},     {112, FIOERR_DISK_FULL},
    {38, FIOERR_END_OF_FILE},  {2, FIOERR_FILE_NOT_FOUND}, {3, FIOERR_BAD_PATH},
    {15, FIOERR_BAD_PATH},     {20, FIOERR_BAD_PATH},      {55, FIOERR_BAD_PATH},
    {67, FIOERR_BAD_PATH},     {123, FIOERR_BAD_PATH},     {161, FIOERR_BAD_PATH},
    {206, FIOERR_BAD_PATH},    {1203, FIOERR_BAD_PATH},    {1214, FIOERR_BAD_PATH},
    {32, FIOERR_SHARING},      {33, FIOERR_SHARING},       {108, FIOERR_SHARING},
    {5, FIOERR_ACCESS_DENIED}, {19, FIOERR_ACCESS_DENIED}, {65, FIOERR_ACCESS_DENIED},
    {21, FIOERR_DEVICE},       {23, FIOERR_DEVICE},        {25, FIOERR_DEVICE},
    {27, FIOERR_DEVICE},       {30, FIOERR_DEVICE},        {132, FIOERR_DEVICE},
    {267, FIOERR_DEVICE},      {1006, FIOERR_DEVICE},      {1117, FIOERR_DEVICE},
    {1126, FIOERR_DEVICE},     {1127, FIOERR_DEVICE},      {1128, FIOERR_DEVICE},
    {1392, FIOERR_DEVICE},     {1393, FIOERR_DEVICE},      {50, FIOERR_NETWORK},
    {53, FIOERR_NETWORK},      {54, FIOERR_NETWORK},       {58, FIOERR_NETWORK},
    {64, FIOERR_NETWORK},      {70, FIOERR_NETWORK},       {88, FIOERR_NETWORK},
    {1201, FIOERR_NETWORK},    {1204, FIOERR_NETWORK},     {1206, FIOERR_NETWORK},
    {1222, FIOERR_NETWORK},    {6118, FIOERR_NETWORK},     {4, FIOERR_TOO_MANY_OPEN},
};

}  // namespace

int FioCodeFromSystemError(DWORD error) {
  for (const ErrorRow& row : kErrorTable)
    if (row.error == error) return row.code;
  return FIOERR_OTHER;
}

void FioThrowSystemError(int operation, const char* name, DWORD error) {
  throw CXFileException(FioCodeFromSystemError(error), operation, name);
}

void FioThrowLastError(int operation, const char* name) {
  FioThrowSystemError(operation, name, GetLastError());
}

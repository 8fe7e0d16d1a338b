// File layer benchmark: sequential reading of a 100 MB local file in 4 KB blocks through
// IXFile::Read (the sliding mapped window) against ReadFile. Prints figures and the ratio
// measured in one run; asserts nothing.
#include <stdio.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/exceptions.h"
#include "base/handles.h"
#include "bench/stopwatch.h"
#include "fio/xfile.h"

namespace {

const int kFileSize = 100 * 1024 * 1024;
const int kBlockSize = 4096;
const int kRounds = 5;

volatile unsigned g_sink;  // keeps the checksums alive so no loop is optimised away

// One word of every block, so that the bytes are really looked at.
unsigned Checksum(const char* block, int size) {
  unsigned sum = 0;
  for (int i = 0; i < size; i += 64) sum += static_cast<unsigned char>(block[i]);
  return sum;
}

bool WriteTestFile(const std::string& path) {
  fw::FileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::vector<char> chunk(1024 * 1024);
  for (size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 31 + i / 4096);
  for (int written = 0; written < kFileSize; written += static_cast<int>(chunk.size())) {
    DWORD done = 0;
    if (!WriteFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &done, nullptr)) return false;
  }
  return true;
}

// Seconds for one pass; the bytes read go to total.
double ReadWithReadFile(const std::string& path, long long& total) {
  Stopwatch watch;
  fw::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  char block[kBlockSize];
  DWORD got = 0;
  unsigned sum = 0;
  total = 0;
  while (ReadFile(file.get(), block, kBlockSize, &got, nullptr) && got > 0) {
    sum += Checksum(block, static_cast<int>(got));
    total += got;
  }
  g_sink += sum;
  return watch.Seconds();
}

double ReadWithXFile(const std::string& path, long long& total) {
  Stopwatch watch;
  IXFile* file = Fio_Open(path.c_str(), 0);
  char block[kBlockSize];
  unsigned sum = 0;
  total = 0;
  for (int got; (got = file->Read(block, kBlockSize)) > 0;) {
    sum += Checksum(block, got);
    total += got;
  }
  file->Release();
  g_sink += sum;
  return watch.Seconds();
}

}  // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path =
      std::string(temp) + "tw-bench-fio-" + std::to_string(GetCurrentProcessId()) + ".bin";
  if (!WriteTestFile(path)) {
    printf("cannot write %s\n", path.c_str());
    return 1;
  }
  try {
    long long bytes = 0;
    ReadWithReadFile(path, bytes);  // one pass to bring the file into the cache
    double bestReadFile = 1e9, bestXFile = 1e9;
    long long readFileBytes = 0, xfileBytes = 0;
    for (int round = 0; round < kRounds; ++round) {
      const double a = ReadWithReadFile(path, readFileBytes);
      const double b = ReadWithXFile(path, xfileBytes);
      if (a < bestReadFile) bestReadFile = a;
      if (b < bestXFile) bestXFile = b;
    }
    const double megabytes = kFileSize / (1024.0 * 1024.0);
    printf("Sequential reading of a %.0f MB file in %d-byte blocks, best of %d passes:\n", megabytes,
           kBlockSize, kRounds);
    printf("  ReadFile        %8.1f ms  %8.1f MB/s  (%lld bytes)\n", bestReadFile * 1000,
           megabytes / bestReadFile, readFileBytes);
    printf("  IXFile::Read    %8.1f ms  %8.1f MB/s  (%lld bytes)\n", bestXFile * 1000, megabytes / bestXFile,
           xfileBytes);
    printf("  ratio IXFile::Read / ReadFile (time): %.2f  (goal: at most 1.5)\n", bestXFile / bestReadFile);
  } catch (const CXException& e) {
    printf("file layer error, code %d\n", e.GetCode());
    DeleteFileA(path.c_str());
    return 1;
  }
  DeleteFileA(path.c_str());
  return 0;
}

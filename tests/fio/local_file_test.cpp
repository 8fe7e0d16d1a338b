// Local files: opening, the sliding window, seeking, lines and closing.
#include <gtest/gtest.h>

#include <string>

#include "file_test_util.h"
#include "fio/xfile.h"
#include "tests/support/scratch_folder.h"

namespace {

// Bytes that differ from one position to the next, so a misplaced window shows.
std::string Pattern(size_t size) {
  std::string bytes(size, 0);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

long WindowSize() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return 2 * static_cast<long>(info.dwAllocationGranularity);
}

TEST(LocalFile, OpenFailuresCreateNothing) {
  ScratchFolder dir;
  const std::string empty = dir.Write("empty.bin", "");
  const std::string missing = dir / "missing.bin";
  const struct {
    std::string name;
    int mode, code, operation;
  } rows[] = {
      {empty, 0, FIOERR_DEVICE, FIOOP_READ},  // an empty file cannot be mapped for reading
      {missing, 0, FIOERR_FILE_NOT_FOUND, FIOOP_READ},
      {missing, FIO_READWRITE | FIO_KEEP, FIOERR_FILE_NOT_FOUND, FIOOP_WRITE},
      {dir / "no-folder\\x.bin", FIO_READWRITE, FIOERR_BAD_PATH, FIOOP_WRITE},
      {dir / std::string(600, 'n'), 0, FIOERR_BAD_PATH, FIOOP_READ},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    SCOPED_TRACE(row);
    EXPECT_FILE_ERROR(Fio_Open(rows[row].name.c_str(), rows[row].mode), rows[row].code, rows[row].operation,
                      rows[row].name.size() < MAX_PATH ? rows[row].name : "");
  }
  EXPECT_EQ(std::vector<std::string>{"empty.bin"}, dir.Entries());
}

TEST(LocalFile, WritesAndReadsCrossWindowsWithExactSizes) {
  ScratchFolder dir;
  const long window = WindowSize();
  const std::string bytes = Pattern(2 * window + 100);
  // Whole-buffer writes, byte-sized pieces around a window border, and a write ending on it.
  const size_t sizes[] = {bytes.size(), static_cast<size_t>(window), static_cast<size_t>(window) + 1, 1};
  for (size_t row = 0; row < sizeof sizes / sizeof sizes[0]; ++row) {
    const std::string path = dir / std::to_string(row);
    const std::string expected = bytes.substr(0, sizes[row]);
    {
      FileRef<IXFile> file(Fio_Open(path.c_str(), FIO_READWRITE));
      for (size_t done = 0; done < expected.size(); done += 4093)
        file->Write(expected.data() + done, static_cast<int>(std::min<size_t>(expected.size() - done, 4093)));
      EXPECT_EQ(static_cast<long>(expected.size()), file->GetLength()) << "row " << row;
    }
    EXPECT_EQ(expected, ReadWholeFile(path)) << "row " << row << ": exactly the bytes written";
  }

  FileRef<IXFile> file(Fio_Open((dir / "0").c_str(), 0));
  std::string got(bytes.size() + 50, 'X');
  EXPECT_EQ(static_cast<int>(bytes.size()), file->Read(&got[0], static_cast<int>(got.size())));
  EXPECT_EQ(bytes + std::string(50, 'X'), got) << "nothing written past the count";
  EXPECT_EQ(0, file->Read(&got[0], 10)) << "at the end";
  // Across a window border, then backwards into the first window.
  char piece[8];
  for (long at : {window - 4, 3L}) {
    EXPECT_EQ(at, file->Seek(at, FIO_SEEK_SET));
    EXPECT_EQ(8, file->Read(piece, 8));
    EXPECT_EQ(bytes.substr(at, 8), std::string(piece, 8)) << "at " << at;
  }
  EXPECT_EQ(0, file->Read(piece, -5)) << "a negative count reads nothing";
}

TEST(LocalFile, SeekRulesForReading) {
  ScratchFolder dir;
  const std::string path = dir.Write("in.bin", "0123456789");
  FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
  const struct {
    long offset;
    int origin;
    long expected;  // -1: bad seek, which leaves the position
  } rows[] = {
      {4, FIO_SEEK_SET, 4},
      {2, FIO_SEEK_CUR, 6},
      {-3, FIO_SEEK_END, 7},
      {-100, FIO_SEEK_CUR, 0},  // a negative target is 0
      {10, FIO_SEEK_SET, 10},
      {10, FIO_SEEK_END, -1},
      {0, FIO_SEEK_END, 10},
      {11, FIO_SEEK_SET, -1},
      {0, 3, -1},  // an unknown origin
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    SCOPED_TRACE(i);
    const long before = file->GetPosition();
    if (rows[i].expected >= 0)
      EXPECT_EQ(rows[i].expected, file->Seek(rows[i].offset, rows[i].origin));
    else
      EXPECT_FILE_ERROR(file->Seek(rows[i].offset, rows[i].origin), FIOERR_BAD_SEEK, FIOOP_READ, path);
    EXPECT_EQ(rows[i].expected >= 0 ? rows[i].expected : before, file->GetPosition());
  }
}

TEST(LocalFile, ReadLineKeepsLineEndsAndCutsLongLines) {
  ScratchFolder dir;
  const std::string path = dir.Write("lines.txt", "ab\r\nabcdef\nxy\nlast\nend");
  FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
  const struct {
    int size;
    int result;
    const char* text;  // null: the buffer is not touched
    long position;
  } rows[] = {
      {0, 0, nullptr, 0}, {16, 3, "ab\r\n", 4}, {5, 4, "abcd", 11}, {5, 2, "xy\n", 14},
      {1, 0, "", 19},     {16, 3, "end", 22},   {5, 0, "", 22},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    char buffer[16];
    memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(rows[row].result, file->ReadLine(buffer, rows[row].size)) << "row " << row;
    const std::string expected = rows[row].text ? std::string(rows[row].text) + '\0' + 'X' : "XX";
    EXPECT_EQ(expected, std::string(buffer, expected.size())) << "row " << row << ": line, end and no more";
    EXPECT_EQ(rows[row].position, file->GetPosition()) << "row " << row;
  }
  EXPECT_EQ(0, file->ReadLine(nullptr, 5));
}

TEST(LocalFile, WritesInPlaceAndPastTheEnd) {
  ScratchFolder dir;
  const std::string path = dir.Write("data.bin", "0123456789");
  {
    FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
    EXPECT_FILE_ERROR(file->Write("zz", 2), FIOERR_ACCESS_DENIED, FIOOP_WRITE, path);
  }
  const long distant = 3 * WindowSize() + 5;  // far past the current window
  {
    FileRef<IXFile> file(Fio_Open(path.c_str(), FIO_READWRITE | FIO_KEEP | FIO_RANDOM));
    char buffer[4] = {};
    EXPECT_EQ(3, file->Read(buffer, 3));
    file->Write("ab", 2);
    EXPECT_EQ(10, file->GetLength()) << "the mapped window is not the file's size";
    EXPECT_EQ(20, file->Seek(10, FIO_SEEK_END));
    EXPECT_EQ(10, file->GetLength()) << "seeking alone does not extend";
    file->Write("cd", 2);
    EXPECT_EQ(22, file->GetLength());
    file->Seek(distant, FIO_SEEK_SET);
    file->WriteByte('z');
    EXPECT_FILE_ERROR(file->Seek(0, 7), FIOERR_BAD_SEEK, FIOOP_WRITE, path);
  }
  EXPECT_EQ("012ab56789" + std::string(10, '\0') + "cd" + std::string(distant - 22, '\0') + "z",
            ReadWholeFile(path));
}

}  // namespace

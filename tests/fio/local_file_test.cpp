// Local files: opening, the sliding window, seeking, typed access, lines and closing.
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

TEST(LocalFile, EmptyFileCannotBeMappedForReading) {
  ScratchFolder dir;
  const std::string path = dir.Write("empty.bin", "");
  EXPECT_FILE_ERROR(Fio_Open(path.c_str(), 0), FIOERR_DEVICE, FIOOP_READ, path);
}

TEST(LocalFile, MissingFilesAndBadNames) {
  ScratchFolder dir;
  const std::string missing = dir / "missing.bin";
  const std::string noFolder = dir / "no-folder\\x.bin";
  const std::string tooLong = dir / std::string(600, 'n');
  EXPECT_FILE_ERROR(Fio_Open(missing.c_str(), 0), FIOERR_FILE_NOT_FOUND, FIOOP_READ, missing);
  EXPECT_FILE_ERROR(Fio_Open(missing.c_str(), FIO_READWRITE | FIO_KEEP), FIOERR_FILE_NOT_FOUND, FIOOP_WRITE,
                    missing);
  EXPECT_FILE_ERROR(Fio_Open(noFolder.c_str(), FIO_READWRITE), FIOERR_BAD_PATH, FIOOP_WRITE, noFolder);
  EXPECT_FILE_ERROR(Fio_Open(tooLong.c_str(), 0), FIOERR_BAD_PATH, FIOOP_READ);
  EXPECT_EQ((std::vector<std::string>{}), dir.Entries()) << "nothing may be created";
}

TEST(LocalFile, WritesCrossingWindowsLeaveExactSizes) {
  const long window = WindowSize();
  const std::string bytes = Pattern(300000);
  // Whole-buffer writes, byte-sized pieces around a window border, and a write ending on it.
  const size_t sizes[] = {300000, static_cast<size_t>(window), static_cast<size_t>(window) + 1, 1};
  for (size_t row = 0; row < sizeof sizes / sizeof sizes[0]; ++row) {
    ScratchFolder dir;
    const std::string path = dir / "out.bin";
    const std::string expected = bytes.substr(0, sizes[row]);
    {
      FileRef<IXFile> file(Fio_Open(path.c_str(), FIO_READWRITE));
      size_t done = 0;
      while (done < expected.size()) {
        const size_t piece = std::min<size_t>(expected.size() - done, 4093);
        file->Write(expected.data() + done, static_cast<int>(piece));
        done += piece;
      }
      EXPECT_EQ(static_cast<long>(expected.size()), file->GetLength()) << "row " << row;
      EXPECT_EQ(static_cast<long>(expected.size()), file->GetPosition()) << "row " << row;
    }
    EXPECT_EQ(expected, ReadWholeFile(path)) << "row " << row << ": exactly the bytes written";
  }
}

TEST(LocalFile, ReadsCrossWindowsAndStopAtTheEnd) {
  ScratchFolder dir;
  const long window = WindowSize();
  const std::string bytes = Pattern(2 * window + 100);
  const std::string path = dir.Write("in.bin", bytes);
  FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
  EXPECT_EQ(static_cast<long>(bytes.size()), file->GetLength());

  std::string got(bytes.size() + 50, 'X');
  EXPECT_EQ(static_cast<int>(bytes.size()), file->Read(&got[0], static_cast<int>(got.size())));
  EXPECT_EQ(bytes, got.substr(0, bytes.size()));
  EXPECT_EQ(std::string(50, 'X'), got.substr(bytes.size())) << "nothing written past the count";
  EXPECT_EQ(0, file->Read(&got[0], 10)) << "at the end";

  // Backwards across a window border.
  char piece[8];
  EXPECT_EQ(window - 4, file->Seek(window - 4, FIO_SEEK_SET));
  EXPECT_EQ(8, file->Read(piece, 8));
  EXPECT_EQ(bytes.substr(window - 4, 8), std::string(piece, 8));
  EXPECT_EQ(3, file->Seek(3, FIO_SEEK_SET));
  EXPECT_EQ(8, file->Read(piece, 8));
  EXPECT_EQ(bytes.substr(3, 8), std::string(piece, 8));
  EXPECT_EQ(0, file->Read(piece, -5)) << "a negative count reads nothing";
  EXPECT_EQ(11, file->GetPosition());
}

TEST(LocalFile, SeekRulesForReading) {
  ScratchFolder dir;
  const std::string path = dir.Write("in.bin", "0123456789");
  FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
  struct Row {
    long offset;
    int origin;
    long expected;  // -1: bad seek
  } rows[] = {
      {4, FIO_SEEK_SET, 4},
      {2, FIO_SEEK_CUR, 6},
      {-3, FIO_SEEK_END, 7},
      {-100, FIO_SEEK_CUR, 0},
      {10, FIO_SEEK_SET, 10},
      {0, FIO_SEEK_END, 10},
      {10, FIO_SEEK_END, -1},
      {11, FIO_SEEK_SET, -1},
      {0, 3, -1},
      {0, -1, -1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    if (rows[i].expected >= 0) {
      EXPECT_EQ(rows[i].expected, file->Seek(rows[i].offset, rows[i].origin)) << "row " << i;
    } else {
      const long before = file->GetPosition();
      EXPECT_FILE_ERROR(file->Seek(rows[i].offset, rows[i].origin), FIOERR_BAD_SEEK, FIOOP_READ, path);
      EXPECT_EQ(before, file->GetPosition()) << "row " << i << ": a bad seek leaves the position";
    }
  }
}

TEST(LocalFile, SeekPastTheEndForWritingExtendsWithZeros) {
  ScratchFolder dir;
  const std::string path = dir / "out.bin";
  {
    FileRef<IXFile> file(Fio_Open(path.c_str(), FIO_READWRITE));
    file->Write("ab", 2);
    EXPECT_EQ(12, file->Seek(10, FIO_SEEK_END));
    EXPECT_EQ(2, file->GetLength()) << "seeking alone does not extend";
    file->Write("cd", 2);
    EXPECT_EQ(14, file->GetLength());
    EXPECT_FILE_ERROR(file->Seek(0, 7), FIOERR_BAD_SEEK, FIOOP_WRITE, path);
  }
  EXPECT_EQ(std::string("ab") + std::string(10, '\0') + "cd", ReadWholeFile(path));

  // Far past the current window as well.
  const long distant = 3 * WindowSize() + 5;
  {
    FileRef<IXFile> file(Fio_Open(path.c_str(), FIO_READWRITE | FIO_KEEP));
    EXPECT_EQ(14, file->GetLength());
    file->Seek(distant, FIO_SEEK_SET);
    file->WriteByte('z');
  }
  const std::string content = ReadWholeFile(path);
  ASSERT_EQ(static_cast<size_t>(distant + 1), content.size());
  EXPECT_EQ('z', content[distant]);
  EXPECT_EQ(std::string("ab") + std::string(10, '\0') + "cd", content.substr(0, 14));
}

TEST(LocalFile, ReadLineKeepsCarriageReturnAndLineFeed) {
  ScratchFolder dir;
  const std::string path = dir.Write("lines.txt", "ab\r\ncd");
  FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
  char buffer[32];
  memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(3, file->ReadLine(buffer, sizeof buffer));
  EXPECT_EQ(0, memcmp(buffer, "ab\r\n\0", 5));
  EXPECT_EQ('X', buffer[5]) << "nothing past the terminator";
  EXPECT_EQ(2, file->ReadLine(buffer, sizeof buffer));
  EXPECT_STREQ("cd", buffer);
  EXPECT_EQ(0, file->ReadLine(buffer, sizeof buffer));
  EXPECT_STREQ("", buffer);
}

TEST(LocalFile, ReadLineCutsLongLinesAndDropsTheirRest) {
  ScratchFolder dir;
  const std::string path = dir.Write("lines.txt", "abcdef\nxy\nlast");
  FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
  const struct {
    int size;
    int result;
    const char* text;  // null: the buffer is not touched
    long position;
  } rows[] = {
      {0, 0, nullptr, 0}, {5, 4, "abcd", 7}, {5, 2, "xy\n", 10}, {1, 0, "", 14}, {5, 0, "", 14},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    char buffer[8];
    memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(rows[row].result, file->ReadLine(buffer, rows[row].size)) << "row " << row;
    if (rows[row].text)
      EXPECT_STREQ(rows[row].text, buffer) << "row " << row;
    else
      EXPECT_EQ('X', buffer[0]) << "row " << row;
    EXPECT_EQ(rows[row].position, file->GetPosition()) << "row " << row;
  }
  EXPECT_EQ(0, file->ReadLine(nullptr, 5));
}

TEST(LocalFile, TypedValuesAreLittleEndianWithNaturalWidths) {
  ScratchFolder dir;
  const std::string path = dir / "typed.bin";
  {
    FileRef<IXFile> file(Fio_Open(path.c_str(), FIO_READWRITE));
    file->WriteByte(0x81);
    file->WriteWord(0x1234);
    file->WriteDword(0xA1B2C3D4);
    file->WriteDouble(1.5);
    file->WriteString("x");
    file->WriteString("");
    file->WriteString(nullptr);
  }
  const std::string expected = std::string("\x81\x34\x12\xD4\xC3\xB2\xA1", 7) +
                               std::string("\0\0\0\0\0\0\xF8\x3F", 8) + std::string("x\0\0", 3);
  EXPECT_EQ(expected, ReadWholeFile(path));

  FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
  EXPECT_EQ(0x81, file->ReadByte());
  EXPECT_EQ(0x1234, file->ReadWord());
  EXPECT_EQ(0xA1B2C3D4ul, file->ReadDword());
  EXPECT_EQ(1.5, file->ReadDouble());
  EXPECT_EQ('x', file->ReadByte());
  EXPECT_FILE_ERROR(file->ReadDword(), FIOERR_END_OF_FILE, FIOOP_READ, path);
  EXPECT_FILE_ERROR(file->ReadWord(), FIOERR_END_OF_FILE, FIOOP_READ, path);
}

TEST(LocalFile, WritingAReadOnlyFileIsRefused) {
  ScratchFolder dir;
  const std::string path = dir.Write("in.bin", "keep");
  {
    FileRef<IXFile> file(Fio_Open(path.c_str(), 0));
    EXPECT_FILE_ERROR(file->Write("zz", 2), FIOERR_ACCESS_DENIED, FIOOP_WRITE, path);
    EXPECT_FILE_ERROR(file->WriteDword(1), FIOERR_ACCESS_DENIED, FIOOP_WRITE, path);
    EXPECT_TRUE(file->Flush());
  }
  EXPECT_EQ("keep", ReadWholeFile(path));
}

TEST(LocalFile, KeepModeOpensExistingContentAndCutsBackOnClose) {
  ScratchFolder dir;
  const std::string path = dir.Write("data.bin", "0123456789");
  {
    FileRef<IXFile> file(Fio_Open(path.c_str(), FIO_READWRITE | FIO_KEEP | FIO_RANDOM));
    EXPECT_EQ(10, file->GetLength());
    EXPECT_EQ(0, file->GetPosition());
    char buffer[4] = {};
    EXPECT_EQ(3, file->Read(buffer, 3));
    EXPECT_STREQ("012", buffer);
    file->Write("ab", 2);
    EXPECT_TRUE(file->Flush());
    EXPECT_EQ(10, file->GetLength());
  }
  EXPECT_EQ("012ab56789", ReadWholeFile(path)) << "the mapped window must not stay in the file";
}

}  // namespace

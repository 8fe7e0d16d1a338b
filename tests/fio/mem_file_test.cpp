// Memory files: names over a caller's block, and the growable file in a private heap.
#include "fio/mem_file.h"

#include <gtest/gtest.h>

#include <string>

#include "file_test_util.h"
#include "fio/fileutil.h"
#include "fio/xfile.h"

namespace {

std::string MemName(const void* block, size_t size, const std::string& prefix = "fmem::") {
  return prefix + std::to_string(reinterpret_cast<uintptr_t>(block)) + "," + std::to_string(size);
}

TEST(MemFileName, AddressAndSizeFields) {
  const struct {
    const char* name;
    unsigned long address, size;
  } rows[] = {
      {"fmem::1245064,300", 1245064, 300},
      {"fmem::12.34", 12, 34},
      {"fmem::,,12,.,34,56", 12, 34},  // empty fields are skipped, a third is ignored
      {"fmem::12", 12, 0},
      {"fmem::", 0, 0},
      {"fmem::12abc,7x", 12, 7},  // as atoi: digits up to the first other character
      {"fmem:: 12, +7", 12, 7},
      {"fmem::-12,-7", 0, 0},
      {"fmem::abc,def", 0, 0},
      {"fmem::4294967295,1", 4294967295ul, 1},  // addresses above 2 GB are addresses too
      {"fmem::4294967296,99999999999999999999", 0, 0},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    unsigned long address = 1, size = 1;
    FioParseMemFileName(rows[i].name, &address, &size);
    EXPECT_EQ(rows[i].address, address) << "row " << i;
    EXPECT_EQ(rows[i].size, size) << "row " << i;
  }
}

TEST(MemFile, ReadsTheBlockUpToItsSize) {
  const char block[] = "0123456789ABCDEF";
  const std::string name = MemName(block, 10, "FMEM::");
  FileRef<IXFile> file(Fio_Open(name.c_str(), FIO_READWRITE));  // the mode is ignored
  EXPECT_STREQ(name.c_str(), file->GetFileName());
  EXPECT_EQ(10, file->GetLength());
  char buffer[21];
  memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(10, file->Read(buffer, 20));
  EXPECT_EQ("0123456789XX", std::string(buffer, 12));
  EXPECT_EQ(0, file->Read(buffer, 20));
  EXPECT_EQ(3, file->Seek(3, FIO_SEEK_SET));
  EXPECT_EQ(0x3433u, file->ReadWord());
  EXPECT_EQ(10, file->Seek(0, FIO_SEEK_END));
  EXPECT_FILE_ERROR(file->ReadByte(), FIOERR_END_OF_FILE, FIOOP_READ, name);
  EXPECT_FILE_ERROR(file->Seek(11, FIO_SEEK_SET), FIOERR_BAD_SEEK, FIOOP_READ, name);

  // The longest name its buffer holds, and one byte more.
  const std::string longest = name + std::string(511 - name.size(), 'x');
  EXPECT_STREQ(longest.c_str(), FileRef<IXFile>(Fio_Open(longest.c_str(), 0))->GetFileName());
  EXPECT_FILE_ERROR(Fio_Open((longest + "x").c_str(), 0), FIOERR_BAD_PATH, FIOOP_READ);
}

TEST(MemFile, OutputChangesNothingAndMissingBlocksAreRefused) {
  char block[] = "unchanged";
  FileRef<IXOutFile> out(Fio_OpenOut(MemName(block, 9).c_str(), FIO_KEEP));
  out->Write("xxxx", 4);
  out->WriteString("yy");
  EXPECT_EQ(0, out->GetPosition());
  out->Commit();
  EXPECT_STREQ("unchanged", block);

  for (const std::string name : {"fmem::0,10", "fmem::x.10", "fmem::4294967295,2"})
    EXPECT_FILE_ERROR(Fio_Open(name.c_str(), 0), FIOERR_FILE_NOT_FOUND, FIOOP_READ, name);
  char c;
  EXPECT_EQ(0, FileRef<IXFile>(Fio_Open("fmem::", 0))->Read(&c, 1)) << "no block and no size: an empty file";
}

TEST(QVMemFileTest, GrowsInWholeStepsOfZeros) {
  FileRef<QVMemFile> file(new QVMemFile(1024));
  EXPECT_EQ(0, file->GetLength());
  file->Write("0123456789", 10);
  EXPECT_EQ(1024, file->GetLength());
  // Writing past the capacity grows by as many steps as needed, keeping what was there.
  file->Seek(1020, FIO_SEEK_SET);
  const std::string more(2000, 'm');
  file->Write(more.data(), 2000);
  EXPECT_EQ(3072, file->GetLength());
  file->Seek(0, FIO_SEEK_SET);
  std::string all(3100, 'X');
  EXPECT_EQ(3072, file->Read(&all[0], 3100));
  EXPECT_EQ("0123456789" + std::string(1010, '\0') + more + std::string(52, '\0'), all.substr(0, 3072));
  EXPECT_EQ(0, file->Read(&all[0], 1)) << "at the capacity";
}

}  // namespace

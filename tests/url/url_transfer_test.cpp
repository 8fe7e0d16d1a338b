// Downloads, uploads, deletion, folder creation and file information against the FTP server.
#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "fio/fileutil.h"
#include "fio/url.h"
#include "url_servers.h"

namespace {

using namespace url_test;

const char kHello[] = "Hello from the FTP server\r\nsecond line\r\n";

class UrlTransfer : public ServerTest {
 protected:
  LocalFolder local_;
};

TEST_F(UrlTransfer, DownloadGivesTheExactBytes) {
  const std::string target = local_.Write("hello.txt", "old content that is longer than the new one....");
  const size_t mark = CommandLogMark();
  ASSERT_TRUE(Fio_DownloadToFile(FtpUrl("pub/hello.txt").c_str(), target.c_str()));
  EXPECT_EQ(kHello, ReadLocalFile(target));
  const std::vector<std::string> commands = CommandsSince(mark);
  EXPECT_TRUE(AnyCommandStartsWith(commands, "USER tarnwick"));
  EXPECT_TRUE(AnyCommandStartsWith(commands, "TYPE I")) << "binary transfer";
  EXPECT_TRUE(AnyCommandStartsWith(commands, "RETR /pub/hello.txt"));
}

TEST_F(UrlTransfer, FailedDownloadsAnswerFalse) {
  const std::string target = local_ / "missing.txt";
  EXPECT_FALSE(Fio_DownloadToFile(FtpUrl("pub/missing.txt").c_str(), target.c_str()));
  EXPECT_NE(0u, GetLastError());
  std::string wrongPassword = FtpUrl("pub/hello.txt");
  wrongPassword.replace(wrongPassword.find(":s3cret@"), 8, ":wrong@");
  EXPECT_FALSE(Fio_DownloadToFile(wrongPassword.c_str(), target.c_str()));
}

TEST_F(UrlTransfer, UploadCreatesTheFolderAndStoresTheBytes) {
  std::string bytes = "line one\r\n";
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  const std::string source = local_.Write("up.bin", bytes);
  ASSERT_FALSE(ServerFolderExists("pub/upload"));
  ASSERT_TRUE(Fio_UrlPutFile(FtpUrl("pub/upload/new.bin").c_str(), source.c_str()));
  EXPECT_TRUE(ServerFolderExists("pub/upload"));
  EXPECT_EQ(bytes, ReadServerFile("pub/upload/new.bin"));

  // A second upload replaces the file.
  const std::string shorter = local_.Write("short.bin", "short");
  ASSERT_TRUE(Fio_UrlPutFile(FtpUrl("pub/upload/new.bin").c_str(), shorter.c_str()));
  EXPECT_EQ("short", ReadServerFile("pub/upload/new.bin"));
}

TEST_F(UrlTransfer, UploadRefusals) {
  const size_t mark = CommandLogMark();
  EXPECT_FALSE(Fio_UrlPutFile(FtpUrl("pub/never.txt").c_str(), (local_ / "absent.txt").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_FALSE(AnyCommandStartsWith(CommandsSince(mark), "USER")) << "no connection for a missing local file";
  EXPECT_FALSE(ServerFileExists("pub/never.txt"));

  const std::string source = local_.Write("ro.txt", "x");
  EXPECT_FALSE(Fio_UrlPutFile(FtpUrl("ro/new.txt").c_str(), source.c_str()));
  EXPECT_FALSE(ServerFileExists("ro/new.txt"));
  EXPECT_TRUE(ServerNames("ro", "*.tmp").empty()) << "no probe left behind";
  EXPECT_TRUE(ServerNames("", "*.tmp").empty()) << "no probe left behind";
}

TEST_F(UrlTransfer, DeleteRemovesTheFileOnce) {
  WriteServerFile("pub/doomed.txt", "bye");
  ASSERT_TRUE(Fio_UrlDeleteFile(FtpUrl("pub/doomed.txt").c_str()));
  EXPECT_FALSE(ServerFileExists("pub/doomed.txt"));
  EXPECT_FALSE(Fio_UrlDeleteFile(FtpUrl("pub/doomed.txt").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());

  // The file-system function throws with the delete operation and the URL.
  const std::string url = FtpUrl("pub/doomed.txt");
  try {
    Fio_DeleteFile(url.c_str());
    ADD_FAILURE() << "no exception";
  } catch (const CXFileException& e) {
    EXPECT_EQ(FIOERR_FILE_NOT_FOUND, e.GetCode());
    EXPECT_EQ(FIOOP_DELETE, e.GetOperation());
    EXPECT_STREQ(url.c_str(), e.GetFileName());
  }
  WriteServerFile("pub/doomed2.txt", "bye");
  EXPECT_NO_THROW(Fio_DeleteFile(FtpUrl("pub/doomed2.txt").c_str()));
  EXPECT_FALSE(ServerFileExists("pub/doomed2.txt"));
}

TEST_F(UrlTransfer, FileInformationFromTheListing) {
  FioFileInfo info;
  memset(&info, 0x55, sizeof info);
  Fio_GetFileInfo(FtpUrl("pub/hello.txt").c_str(), &info);
  // The listing gives the date of a file older than half a year, not its time of day.
  EXPECT_EQ(static_cast<int>(sizeof kHello - 1), info.size);
  EXPECT_EQ(2021, info.year);
  EXPECT_EQ(3, info.month);
  EXPECT_EQ(4, info.day);
  EXPECT_EQ(4, info.dayOfWeek) << "a Thursday";
  EXPECT_EQ(0, info.minute);
  EXPECT_EQ(0, info.second);
  EXPECT_TRUE(Fio_IsFileExist(FtpUrl("pub/hello.txt").c_str()));
  EXPECT_TRUE(Fio_IsFileExist(FtpUrl("pub/HELLO.TXT").c_str())) << "names compare without case";
}

TEST_F(UrlTransfer, MissingFileInformationThrows) {
  const std::string url = FtpUrl("pub/missing.txt");
  FioFileInfo info;
  try {
    Fio_GetFileInfo(url.c_str(), &info);
    ADD_FAILURE() << "no exception";
  } catch (const CXFileException& e) {
    EXPECT_EQ(FIOERR_FILE_NOT_FOUND, e.GetCode());
    EXPECT_EQ(FIOOP_FILE_INFO, e.GetOperation());
    EXPECT_STREQ(url.c_str(), e.GetFileName());
  }
  try {
    Fio_UrlGetFileInfo(FtpUrl("pub/hello.txt").c_str(), nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const CXFileException& e) {
    EXPECT_EQ(FIOOP_FILE_INFO, e.GetOperation());
  }
  EXPECT_FALSE(Fio_IsFileExist(url.c_str()));
  EXPECT_FALSE(Fio_IsFileExist(FtpUrl("").c_str())) << "the root has no entry";
}

}  // namespace

// Downloads, uploads, deletion, file information and writability probes against the FTP server,
// downloads through the internet cache from the HTTP server, a server that stops part-way, and
// CXUrlFile and CXUrlOutFile through Fio_Open and Fio_OpenOut.
#include <gtest/gtest.h>

#include <string>

#include "fio/fileutil.h"
#include "fio/url.h"
#include "fio/url_entry.h"
#include "fio/xfile.h"
#include "param/param_ref.h"
#include "url_servers.h"

namespace {

using namespace url_test;

const char kHello[] = "Hello from the FTP server\r\nsecond line\r\n";

class UrlTransfer : public ServerTest {};

TEST_F(UrlTransfer, DownloadGivesTheExactBytes) {
  const std::string target = local_.Write("hello.txt", "old content that is longer than the new one....");
  const CommandLog log;
  ASSERT_TRUE(Fio_DownloadToFile(FtpUrl("pub/hello.txt").c_str(), target.c_str()));
  EXPECT_EQ(kHello, ReadWholeFile(target));
  EXPECT_TRUE(log.Has("USER tarnwick"));
  EXPECT_TRUE(log.Has("TYPE I")) << "binary transfer";
  EXPECT_TRUE(log.Has("RETR /pub/hello.txt"));
}

TEST_F(UrlTransfer, UploadCreatesTheFolderAndReplacesTheFile) {
  std::string bytes = "line one\r\n";
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  ASSERT_TRUE(Fio_UrlPutFile(FtpUrl("pub/upload/new.bin").c_str(), local_.Write("up.bin", bytes).c_str()));
  EXPECT_EQ(bytes, ReadServerFile("pub/upload/new.bin"));
  ASSERT_TRUE(
      Fio_UrlPutFile(FtpUrl("pub/upload/new.bin").c_str(), local_.Write("short.bin", "short").c_str()));
  EXPECT_EQ("short", ReadServerFile("pub/upload/new.bin"));
}

TEST_F(UrlTransfer, UploadRefusals) {
  const CommandLog log;
  EXPECT_FALSE(Fio_UrlPutFile(FtpUrl("pub/never.txt").c_str(), (local_ / "absent.txt").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  EXPECT_FALSE(log.Has("USER")) << "no connection for a missing local file";

  EXPECT_FALSE(Fio_UrlPutFile(FtpUrl("ro/new.txt").c_str(), local_.Write("ro.txt", "x").c_str()));
  EXPECT_EQ("<missing>", ReadServerFile("ro/new.txt"));
  EXPECT_TRUE(NoProbesLeft());
}

TEST_F(UrlTransfer, DeleteRemovesTheFileOnce) {
  const std::string url = FtpUrl("pub/doomed.txt");
  WriteServerFile("pub/doomed.txt", "bye");
  ASSERT_TRUE(Fio_UrlDeleteFile(url.c_str()));
  EXPECT_EQ("<missing>", ReadServerFile("pub/doomed.txt"));
  EXPECT_FALSE(Fio_UrlDeleteFile(url.c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
  // The file-system function throws with the delete operation and the URL.
  ExpectFileException([&] { Fio_DeleteFile(url.c_str()); }, FIOOP_DELETE, FIOERR_FILE_NOT_FOUND, url);
}

TEST_F(UrlTransfer, FileInformationFromTheListing) {
  FioFileInfo info;
  memset(&info, 0x55, sizeof info);
  Fio_GetFileInfo(FtpUrl("pub/hello.txt").c_str(), &info);
  // The listing gives the date of a file older than half a year, not its time of day.
  EXPECT_EQ(static_cast<int>(sizeof kHello - 1), info.size);
  EXPECT_EQ((std::vector<int>{2021, 3, 4, 4, 0, 0}),
            (std::vector<int>{info.year, info.month, info.day, info.dayOfWeek, info.minute, info.second}));
  EXPECT_TRUE(Fio_IsFileExist(FtpUrl("pub/HELLO.TXT").c_str())) << "names compare without case";

  const std::string missing = FtpUrl("pub/missing.txt");
  ExpectFileException([&] { Fio_GetFileInfo(missing.c_str(), &info); }, FIOOP_FILE_INFO,
                      FIOERR_FILE_NOT_FOUND, missing);
  const std::string hello = FtpUrl("pub/hello.txt");
  ExpectFileException([&] { Fio_UrlGetFileInfo(hello.c_str(), nullptr); }, FIOOP_FILE_INFO, -1, hello);
  EXPECT_FALSE(Fio_IsFileExist(FtpUrl("").c_str())) << "the root has no entry";
}

std::vector<std::string> Stores(const CommandLog& log) {
  std::vector<std::string> stores;
  for (const std::string& command : log.Since())
    if (command.compare(0, 5, "STOR ") == 0) stores.push_back(command.substr(5));
  return stores;
}

TEST_F(UrlTransfer, AWritableFolderTakesAProbeThatIsRemoved) {
  const CommandLog log;
  EXPECT_TRUE(Fio_UrlIsWritableDir(FtpUrl("pub").c_str()));
  const std::vector<std::string> stores = Stores(log);
  ASSERT_EQ(1u, stores.size());
  // "/pub/<tick count>.tmp": in the folder itself, not a name with a backslash beside it.
  EXPECT_EQ(0u, stores[0].find("/pub/"));
  EXPECT_EQ(stores[0].size() - 4, stores[0].rfind(".tmp"));
  EXPECT_TRUE(log.Has("DELE " + stores[0]));
  EXPECT_TRUE(NoProbesLeft());

  EXPECT_FALSE(Fio_UrlIsWritableDir(FtpUrl("ro").c_str()));
  EXPECT_FALSE(Fio_UrlIsWritableFile(FtpUrl("ro/kept.txt").c_str()));
  EXPECT_FALSE(Fio_IsWritableFile(FtpUrl("ro/new.txt").c_str()));
  EXPECT_EQ("kept\r\n", ReadServerFile("ro/kept.txt"));
  EXPECT_TRUE(NoProbesLeft());
}

TEST_F(UrlTransfer, AReadOnlyEntryIsRefusedWithoutAProbe) {
  WIN32_FIND_DATAA entry;
  ASSERT_TRUE(FioUrlFindEntry(FtpUrl("pub/readonly.txt").c_str(), &entry));
  EXPECT_STREQ("readonly.txt", entry.cFileName);
  EXPECT_EQ(8u, entry.nFileSizeLow);
  // Whether a listing line such as "-r--r--r--" comes back marked read-only is the
  // system's matter (Wine's FTP client marks nothing); the rule once it is marked is ours.
  entry.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
  const CommandLog log;
  EXPECT_FALSE(FioUrlIsWritableWithEntry(FtpUrl("pub/readonly.txt").c_str(), &entry));
  EXPECT_TRUE(log.Since().empty()) << "the server was asked nothing";
  entry.dwFileAttributes &= ~FILE_ATTRIBUTE_READONLY;
  EXPECT_TRUE(FioUrlIsWritableWithEntry(FtpUrl("pub/readonly.txt").c_str(), &entry));
  EXPECT_EQ(1u, Stores(log).size()) << "one probe in the folder";
}

TEST_F(UrlTransfer, CacheDownloadGivesTheBodyOrNull) {
  const char* name = Fio_DownloadToCacheFile(HttpUrl("page.txt").c_str());
  ASSERT_NE(nullptr, name);
  EXPECT_EQ("cached body\r\n", ReadWholeFile(name));
  // An HTTP error page is not the file, the first time or the next.
  EXPECT_EQ(nullptr, Fio_DownloadToCacheFile(HttpUrl("missing.txt").c_str()));
  EXPECT_EQ(nullptr, Fio_DownloadToCacheFile(HttpUrl("missing.txt").c_str()));
  EXPECT_EQ(nullptr, Fio_DownloadToCacheFile("http://127.0.0.1:1/closed.txt"));
}

class UrlFile : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    temporaries_ = TemporaryFiles();
  }
  // Every test leaves the temporary folder as it found it.
  void TearDown() override { EXPECT_EQ(temporaries_, TemporaryFiles()) << "a temporary file was left"; }

 private:
  std::vector<std::string> temporaries_;
};

void WriteText(IXFile* file, const std::string& text) {
  file->Write(text.data(), static_cast<int>(text.size()));
}

TEST_F(UrlFile, ReadsTheDownloadedCopy) {
  const std::string url = FtpUrl("pub/hello.txt");
  QVRef<IXFile> file(Fio_Open(url.c_str(), 0));
  EXPECT_STREQ(url.c_str(), file->GetFileName());
  EXPECT_EQ(40, file->GetLength());
  char bytes[64];
  EXPECT_EQ(40, file->Read(bytes, sizeof bytes));
  EXPECT_EQ(kHello, std::string(bytes, 40));
}

TEST_F(UrlFile, UploadsOnlyOnCommit) {
  const std::string url = FtpUrl("pub/out.txt");
  {
    QVRef<IXOutFile> out(Fio_OpenOut(url.c_str(), 0));
    WriteText(out.Get(), "never sent");
  }
  EXPECT_EQ("<missing>", ReadServerFile("pub/out.txt"));

  const CommandLog log;
  QVRef<IXOutFile> out(Fio_OpenOut(url.c_str(), 0));
  EXPECT_STREQ(url.c_str(), out->GetFileName());
  WriteText(out.Get(), "line 1\r\n");
  out->WriteDword(0x01020304);
  EXPECT_EQ("<missing>", ReadServerFile("pub/out.txt")) << "nothing before Commit";
  out->Commit();
  EXPECT_EQ(std::string("line 1\r\n\x04\x03\x02\x01", 12), ReadServerFile("pub/out.txt"));
  EXPECT_TRUE(log.Has("STOR /pub/out.txt"));
  ExpectFileException([&] { WriteText(out.Get(), "late"); }, FIOOP_NONE, -1, url);
  out->Commit();  // a second Commit does nothing
  EXPECT_EQ(12u, ReadServerFile("pub/out.txt").size());
}

TEST_F(UrlFile, FailedUploadIsReportedByCommit) {
  // A folder where the file should go: the server refuses the upload.
  CreateDirectoryA(ServerPath("pub/taken.txt").c_str(), nullptr);
  const std::string url = FtpUrl("pub/taken.txt");
  QVRef<IXOutFile> out(Fio_OpenOut(url.c_str(), 0));
  WriteText(out.Get(), "lost?");
  ExpectFileException([&] { out->Commit(); }, FIOOP_WRITE, -1, url);
}

// Retrieving dying.bin makes the test server end its process part-way through; run.sh starts it again.
TEST_F(UrlFile, AServerThatStopsPartWayIsAFailure) {
  const std::string url = FtpUrl("pub/dying.bin");
  ExpectFileException([&] { Fio_Open(url.c_str(), 0)->Release(); }, FIOOP_NONE, -1, url);
  ASSERT_TRUE(WaitForFtpServer()) << "the server did not come back";
  EXPECT_TRUE(Fio_DownloadToFile(FtpUrl("pub/hello.txt").c_str(), (local_ / "after.txt").c_str()));
}

}  // namespace

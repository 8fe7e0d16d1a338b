// CXUrlFile and CXUrlOutFile through Fio_Open and Fio_OpenOut.
#include <gtest/gtest.h>

#include <string>

#include "fio/url.h"
#include "fio/xfile.h"
#include "param/param_ref.h"
#include "url_servers.h"

namespace {

using namespace url_test;

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
  char line[64];
  EXPECT_EQ(26, file->ReadLine(line, sizeof line));
  EXPECT_STREQ("Hello from the FTP server\r\n", line);
  EXPECT_EQ(12, file->ReadLine(line, sizeof line));
  EXPECT_STREQ("second line\r\n", line);
  EXPECT_EQ(0, file->Read(line, sizeof line));
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

}  // namespace

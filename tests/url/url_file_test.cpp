// CXUrlFile and CXUrlOutFile through Fio_Open and Fio_OpenOut.
#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "fio/url.h"
#include "fio/xfile.h"
#include "param/ini.h"
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

TEST_F(UrlFile, FailedDownloadThrowsWithTheUrl) {
  for (const std::string& url : {FtpUrl("pub/missing.txt"), FtpUrl("nowhere/x.txt")}) {
    try {
      Fio_Open(url.c_str(), 0)->Release();
      ADD_FAILURE() << url << " opened";
    } catch (const CXFileException& e) {
      // The FTP client's error numbers are not in the system-error table.
      EXPECT_EQ(FIOERR_OTHER, e.GetCode()) << url;
      EXPECT_EQ(FIOOP_NONE, e.GetOperation()) << url;
      EXPECT_STREQ(url.c_str(), e.GetFileName());
    }
  }
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
  try {
    WriteText(out.Get(), "late");
    ADD_FAILURE() << "written after Commit";
  } catch (const CXFileException& e) {
    EXPECT_STREQ(url.c_str(), e.GetFileName());
  }
  out->Commit();  // a second Commit does nothing
  EXPECT_EQ(12u, ReadServerFile("pub/out.txt").size());
}

TEST_F(UrlFile, FailedUploadIsReportedByCommit) {
  // A folder where the file should go: the server refuses the upload.
  CreateDirectoryA(ServerPath("pub/taken.txt").c_str(), nullptr);
  const std::string url = FtpUrl("pub/taken.txt");
  QVRef<IXOutFile> out(Fio_OpenOut(url.c_str(), 0));
  WriteText(out.Get(), "lost?");
  try {
    out->Commit();
    ADD_FAILURE() << "Commit reported nothing";
  } catch (const CXFileException& e) {
    EXPECT_EQ(FIOOP_WRITE, e.GetOperation());
    EXPECT_STREQ(url.c_str(), e.GetFileName());
  }
  EXPECT_TRUE(ServerFolderExists("pub/taken.txt"));
}

TEST_F(UrlFile, ParameterFilesOnTheServer) {
  QVRef<IParam> tree(new_MemParam());
  const CQVVariant seven(7);
  QVRef<IParam>(tree->CreateChild("a"))->SetValue("v", &seven);
  ASSERT_TRUE(Param_Param2IniFile(tree.Get(), FtpUrl("pub/tree.ini").c_str()));
  EXPECT_EQ("\r\n[\\]\r\n\r\n[\\a]\r\nv=i7\r\n", ReadServerFile("pub/tree.ini"));

  QVRef<IParam> back(new_MemParam());
  ASSERT_TRUE(Param_IniFile2Param(FtpUrl("pub/tree.ini").c_str(), back.Get()));
  CQVVariant value;
  ASSERT_TRUE(back->GetValue("a\\v", &value));
  EXPECT_EQ(7, static_cast<int>(value));
}

}  // namespace

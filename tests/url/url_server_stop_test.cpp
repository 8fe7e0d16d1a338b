// A server that stops in the middle of a transfer: the documented failure, not a hang.
// Retrieving dying.bin makes the test server end its process part-way through; run.sh
// starts it again.
#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "fio/url.h"
#include "url_servers.h"

namespace {

using namespace url_test;

class ServerStops : public ServerTest {};

TEST_F(ServerStops, DownloadAnswersFalse) {
  LocalFolder local;
  const std::string target = local / "dying.bin";
  EXPECT_FALSE(Fio_DownloadToFile(FtpUrl("pub/dying.bin").c_str(), target.c_str()));
  EXPECT_NE(0u, GetLastError());
  ASSERT_TRUE(WaitForFtpServer()) << "the server did not come back";
}

TEST_F(ServerStops, OpeningThrowsWithTheUrlAndLeavesNoTemporaryFile) {
  const std::vector<std::string> before = TemporaryFiles();
  const std::string url = FtpUrl("pub/dying.bin");
  try {
    Fio_Open(url.c_str(), 0)->Release();
    ADD_FAILURE() << "opened";
  } catch (const CXFileException& e) {
    EXPECT_EQ(FIOOP_NONE, e.GetOperation());
    EXPECT_STREQ(url.c_str(), e.GetFileName());
  }
  EXPECT_EQ(before, TemporaryFiles());
  ASSERT_TRUE(WaitForFtpServer()) << "the server did not come back";
  // The next connection works as before.
  LocalFolder local;
  EXPECT_TRUE(Fio_DownloadToFile(FtpUrl("pub/hello.txt").c_str(), (local / "after.txt").c_str()));
}

}  // namespace

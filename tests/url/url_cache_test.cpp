// Downloads through the system's internet cache from the HTTP server.
#include <gtest/gtest.h>

#include <string>

#include "fio/url.h"
#include "url_servers.h"

namespace {

using namespace url_test;

class CacheDownload : public ServerTest {};

TEST_F(CacheDownload, GivesTheCacheFileWithTheBody) {
  const char* name = Fio_DownloadToCacheFile(HttpUrl("page.txt").c_str());
  ASSERT_NE(nullptr, name);
  bool exists = false;
  EXPECT_EQ("cached body\r\n", ReadLocalFile(name, &exists));
  EXPECT_TRUE(exists) << name;
}

TEST_F(CacheDownload, FailuresGiveNull) {
  // An HTTP error page is not the file.
  EXPECT_EQ(nullptr, Fio_DownloadToCacheFile(HttpUrl("missing.txt").c_str()));
  EXPECT_EQ(nullptr, Fio_DownloadToCacheFile(HttpUrl("missing.txt").c_str()))
      << "nothing kept from the first try";
  EXPECT_EQ(nullptr, Fio_DownloadToCacheFile("http://127.0.0.1:1/closed.txt"));
  EXPECT_EQ(nullptr, Fio_DownloadToCacheFile("c:\\local.txt"));
  EXPECT_EQ(nullptr, Fio_DownloadToCacheFile(""));
}

}  // namespace

// The writability probes of URL files and folders.
#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "fio/fileutil.h"
#include "fio/url.h"
#include "fio/url_entry.h"
#include "url_servers.h"

namespace {

using namespace url_test;

class UrlWritable : public ServerTest {};

std::vector<std::string> Stores(const std::vector<std::string>& commands) {
  std::vector<std::string> stores;
  for (const std::string& command : commands)
    if (command.compare(0, 5, "STOR ") == 0) stores.push_back(command.substr(5));
  return stores;
}

TEST_F(UrlWritable, WritableFolderTakesAProbeThatIsRemoved) {
  const size_t mark = CommandLogMark();
  EXPECT_TRUE(Fio_UrlIsWritableDir(FtpUrl("pub").c_str()));
  const std::vector<std::string> commands = CommandsSince(mark);
  const std::vector<std::string> stores = Stores(commands);
  ASSERT_EQ(1u, stores.size());
  // "/pub/<tick count>.tmp": in the folder itself, not a name with a backslash beside it.
  EXPECT_EQ(0u, stores[0].find("/pub/"));
  EXPECT_EQ(stores[0].size() - 4, stores[0].rfind(".tmp"));
  EXPECT_TRUE(AnyCommandStartsWith(commands, "DELE " + stores[0]));
  EXPECT_TRUE(ServerNames("pub", "*.tmp").empty());
  EXPECT_TRUE(ServerNames("", "*.tmp").empty());
}

TEST_F(UrlWritable, ReadOnlyFolderRefusesTheProbe) {
  EXPECT_FALSE(Fio_UrlIsWritableDir(FtpUrl("ro").c_str()));
  EXPECT_FALSE(Fio_UrlIsWritableFile(FtpUrl("ro/kept.txt").c_str()));
  EXPECT_FALSE(Fio_IsWritableFile(FtpUrl("ro/new.txt").c_str()));
  EXPECT_EQ("kept\r\n", ReadServerFile("ro/kept.txt"));
  EXPECT_TRUE(ServerNames("ro", "*.tmp").empty());
  EXPECT_TRUE(ServerNames("", "*.tmp").empty());
}

TEST_F(UrlWritable, ReadOnlyEntryIsRefusedWithoutAProbe) {
  WIN32_FIND_DATAA entry;
  ASSERT_TRUE(FioUrlFindEntry(FtpUrl("pub/readonly.txt").c_str(), &entry));
  EXPECT_STREQ("readonly.txt", entry.cFileName);
  EXPECT_EQ(8u, entry.nFileSizeLow);

  // Whether a listing line such as "-r--r--r--" comes back marked read-only is the
  // system's matter (Wine's FTP client marks nothing); the rule once it is marked is ours.
  entry.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
  size_t mark = CommandLogMark();
  EXPECT_FALSE(FioUrlIsWritableWithEntry(FtpUrl("pub/readonly.txt").c_str(), &entry));
  EXPECT_TRUE(CommandsSince(mark).empty()) << "the server was asked nothing";

  entry.dwFileAttributes &= ~FILE_ATTRIBUTE_READONLY;
  mark = CommandLogMark();
  EXPECT_TRUE(FioUrlIsWritableWithEntry(FtpUrl("pub/readonly.txt").c_str(), &entry));
  EXPECT_EQ(1u, Stores(CommandsSince(mark)).size()) << "one probe in the folder";
}

}  // namespace

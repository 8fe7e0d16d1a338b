// A site standard and its profile file read from the FTP test server.
#include <gtest/gtest.h>

#include "installation.h"
#include "program_driver.h"
#include "url_servers.h"

namespace {

class SiteUrlE2E : public url_test::ServerTest {};

TEST_F(SiteUrlE2E, StandardFromFtpServer) {
  ProgramFolder folder;
  Installation installation;
  const std::vector<std::string> profiles = SeedSiteProducts(installation);
  const std::string& word = installation.Word();
  const std::string site = "pub/site-" + word + ".ini";
  url_test::WriteServerFile(
      "pub/office-" + word + ".arg",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\Office]\r\n@=\"from the server\"\r\n\r\n");
  url_test::WriteServerFile(
      site, "[Profile Office]\r\nProducts=AutoCAD LT* " + word + "\r\nSource=office-" + word + ".arg\r\n");
  const std::string url = url_test::FtpUrl(site);

  const ProgramRun applied = folder.Run("-apply \"" + url + "\"");
  EXPECT_EQ(0u, applied.ExitCode) << applied.Error;
  EXPECT_EQ("from the server", inspect::Text(HKEY_CURRENT_USER, profiles[2] + "\\Office", ""));
  const std::string none = url_test::FtpUrl("pub/none.ini");
  const ProgramRun missing = folder.Run("-check \"" + none + "\"");
  EXPECT_EQ(2u, missing.ExitCode);
  EXPECT_EQ(0u, missing.Error.find("Error: Cannot read the file \"" + none + "\"\r\n")) << missing.Error;
}

}  // namespace

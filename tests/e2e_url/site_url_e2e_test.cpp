// A site standard and its profile file read from the FTP test server.
#include <gtest/gtest.h>

#include "script_driver.h"
#include "site_seed.h"
#include "url_servers.h"

namespace {

class SiteUrlE2E : public url_test::ServerTest {};

TEST_F(SiteUrlE2E, StandardFromFtpServer) {
  ProgramFolder folder;
  SiteInstallation installation;
  const std::string site = "pub/site-" + installation.Word() + ".ini";
  url_test::WriteServerFile("pub/office-" + installation.Word() + ".arg",
                            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Profiles\\Office]\r\n@=\"from the server\"\r\n\r\n");
  url_test::WriteServerFile(site, "[Profile Office]\r\nProducts=AutoCAD LT* " + installation.Word() +
                                      "\r\nSource=office-" + installation.Word() + ".arg\r\nApplications=Gamma\r\n");
  const std::string url = url_test::FtpUrl(site);

  const ScriptRun applied = RunScripted(folder, "-apply \"" + url + "\"");
  EXPECT_EQ(0u, applied.ExitCode) << applied.Error;
  std::string description;
  EXPECT_TRUE(ReadString(HKEY_CURRENT_USER, installation.Profiles(2) + "\\Office", "", &description));
  EXPECT_EQ("from the server", description);
  EXPECT_EQ(std::vector<std::string>({"Gamma"}), installation.Links(2, "Office"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, installation.Profiles(0) + "\\Office"));

  const ScriptRun checked = RunScripted(folder, "-check \"" + url + "\"");
  EXPECT_EQ(0u, checked.ExitCode) << checked.Error;
  const ScriptRun missing = RunScripted(folder, "-check \"" + url_test::FtpUrl("pub/none.ini") + "\"");
  EXPECT_EQ(2u, missing.ExitCode) << missing.Error;
}

}  // namespace

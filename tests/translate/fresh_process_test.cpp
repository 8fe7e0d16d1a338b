// What the set-up does before any dictionary is loaded, in a process of its own: the test
// program starts itself again with only the FreshProcess tests.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/scratch_folder.h"
#include "base/handles.h"
#include "translate/supp.h"
#include "translate/supp_state.h"
#include "translate_fixture.h"

namespace {

const char kFreshVariable[] = "TW_TRANSLATE_FRESH_PROCESS";

bool InFreshProcess() { return ::GetEnvironmentVariableA(kFreshVariable, nullptr, 0) > 0; }

TEST(FreshProcess, AddWldBeforeInitActsAsInit) {
  if (!InFreshProcess()) GTEST_SKIP() << "runs in the process that SetUpRunsInAProcessOfItsOwn starts";
  ASSERT_FALSE(TranslationDictionary().IsLoaded());
  EXPECT_EQ(1, Supp_IsTranslationEnable()) << "the switch starts on";
  EXPECT_TRUE(TranslationDictionary().IsCustomFont()) << "the default font is in use before any dictionary";
  ScratchFolder folder;
  EXPECT_EQ(1, Supp_AddWld(folder.Write("fresh.wld", "\"Open\"\n\"Auf\"\n").c_str()));
  EXPECT_TRUE(TranslationDictionary().IsLoaded());
  EXPECT_STREQ("Auf", Supp_Translate("Open"));
  // A second Supp_Init reads nothing more.
  EXPECT_EQ(1, Supp_Init(folder.Write("second.wld", "\"Close\"\n\"Zu\"\n").c_str()));
  EXPECT_STREQ("Close", Supp_Translate("Close"));
  EXPECT_EQ(1, Supp_Init(nullptr)) << "\"app.wld\", missing, changes nothing";
}

TEST(FreshProcess, SetUpRunsInAProcessOfItsOwn) {
  if (InFreshProcess()) GTEST_SKIP();
  char program[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string commandLine =
      std::string("\"") + program + "\" --gtest_filter=FreshProcess.AddWldBeforeInitActsAsInit";
  ::SetEnvironmentVariableA(kFreshVariable, "1");
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  const BOOL created = ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                        TestProgramFolder().c_str(), &startup, &started);
  ::SetEnvironmentVariableA(kFreshVariable, nullptr);
  ASSERT_TRUE(created);
  fw::Handle process(started.hProcess);
  fw::Handle thread(started.hThread);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.get(), 60000));
  DWORD exitCode = 99;
  ::GetExitCodeProcess(process.get(), &exitCode);
  EXPECT_EQ(0u, exitCode) << "the fresh process's tests failed";
}

}  // namespace

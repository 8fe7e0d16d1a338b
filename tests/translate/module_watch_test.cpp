// What the translation keeps per module follows loads and unloads.
#include "translate/module_watch.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/scratch_folder.h"
#include "base/handles.h"
#include "translate/excluded_modules.h"
#include "translate_fixture.h"

namespace {

TEST(ModuleWatch, NamesFollowModulesThatComeAndGo) {
  EnsureGlobalDictionary();
  ASSERT_TRUE(IsWatchingModuleLoads());
  EXPECT_STREQ("test_translate.exe", ModuleBaseName(nullptr));
  // A copy of a module under another name is given the same address once the first is gone:
  // its cached name must not outlive it.
  ScratchFolder folder;
  const std::string copy = folder / "hook_copy.dll";
  ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "hook_spare.dll").c_str(), copy.c_str(), FALSE));
  HMODULE first = nullptr;
  {
    fw::Module spare(::LoadLibraryA("hook_spare.dll"));
    ASSERT_TRUE(spare);
    first = spare.get();
    EXPECT_STREQ("hook_spare.dll", ModuleBaseName(spare.get()));
  }
  fw::Module renamed(::LoadLibraryA(copy.c_str()));
  ASSERT_TRUE(renamed);
  EXPECT_EQ(first, renamed.get()) << "the copy went elsewhere: the check below proves less";
  EXPECT_STREQ("hook_copy.dll", ModuleBaseName(renamed.get()));

  fw::Module late(::LoadLibraryA("acopm.arx"));
  ASSERT_TRUE(late);
  EXPECT_TRUE(IsExcludedModule(late.get()));
  EXPECT_FALSE(IsExcludedModule(renamed.get()));
}

}  // namespace

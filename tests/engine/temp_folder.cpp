#include "temp_folder.h"

#include <gtest/gtest.h>

#include "base/handles.h"
#include "tests/support/folder_tree.h"

TempFolder::TempFolder() {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  static int serial = 0;
  path_ = std::string(temp) + "tw-engine-" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(++serial) + "\\";
  EXPECT_TRUE(::CreateDirectoryA(path_.c_str(), nullptr)) << path_;
}

TempFolder::~TempFolder() { RemoveFolderTree(path_); }

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = path_ + name;
  fw::FileHandle file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(static_cast<bool>(file)) << path;
  DWORD written = 0;
  if (!bytes.empty())
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  EXPECT_EQ(bytes.size(), written) << path;
  return path;
}

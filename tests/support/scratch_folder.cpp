#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/handles.h"

namespace {

fw::FileHandle OpenForReading(const std::string& path) {
  return fw::FileHandle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// folder ends with a backslash; read-only files and folders that tests leave behind go too.
void RemoveFolderTree(const std::string& folder) {
  for (const std::string& name : FindNames(folder + "*")) {
    const std::string path = folder + name;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveFolderTree(path + "\\");
    else
      ::DeleteFileA(path.c_str());
  }
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  static int serial = 0;
  path_ = std::string(temp) + "tw-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(++serial);
  EXPECT_TRUE(::CreateDirectoryA(path_.c_str(), nullptr)) << path_;
}

ScratchFolder::~ScratchFolder() { RemoveFolderTree(path_ + "\\"); }

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
  WriteWholeFile(*this / name, bytes);
  return *this / name;
}

std::vector<std::string> ScratchFolder::Entries() const {
  std::vector<std::string> names = FindNames(path_ + "\\*");
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> FindNames(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  fw::FindHandle find(::FindFirstFileA(pattern.c_str(), &found));
  if (find) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileA(find.get(), &found));
  }
  return names;
}

std::string ReadWholeFile(const std::string& path) {
  fw::FileHandle file = OpenForReading(path);
  if (!file) return "<missing>";
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

bool CanOpenForReading(const std::string& path) { return static_cast<bool>(OpenForReading(path)); }

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  fw::FileHandle file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(static_cast<bool>(file)) << path;
  DWORD written = 0;
  if (!bytes.empty())
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  EXPECT_EQ(bytes.size(), written) << path;
}

#include "tests/support/folder_tree.h"

#include <windows.h>

#include "base/handles.h"

void RemoveFolderTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  fw::FindHandle find(::FindFirstFileA((folder + "*").c_str(), &found));
  if (find) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      // Read-only files and folders that tests leave behind go too.
      ::SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolderTree(folder + name + "\\");
      else
        ::DeleteFileA((folder + name).c_str());
    } while (::FindNextFileA(find.get(), &found));
  }
  find.reset();
  ::RemoveDirectoryA(folder.c_str());
}

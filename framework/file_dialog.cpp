#include "framework/file_dialog.h"

#include <commdlg.h>

#include <utility>
#include <vector>

namespace fw {
namespace {

FileDialogHook& InstalledHook() {
  static FileDialogHook hook;
  return hook;
}

}  // namespace

FileDialogHook SetFileDialogHook(FileDialogHook hook) { return std::exchange(InstalledHook(), std::move(hook)); }

bool AskFileName(HWND owner, FileDialogKind kind, const std::string& filter, const char* defaultExtension,
                 std::string& path) {
  if (FileDialogHook hook = InstalledHook()) return hook(kind, path);
  std::string filters = filter;
  for (char& c : filters)
    if (c == '|') c = '\0';
  filters += '\0';
  std::vector<char> file(MAX_PATH * 4, '\0');
  path.copy(file.data(), file.size() - 1);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = defaultExtension;
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (kind == FileDialogKind::Open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
  const BOOL chosen = kind == FileDialogKind::Open ? ::GetOpenFileNameA(&dialog) : ::GetSaveFileNameA(&dialog);
  if (!chosen) return false;
  path = file.data();
  return true;
}

}  // namespace fw

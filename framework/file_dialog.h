// The common Open and Save As dialogs, behind one hook that tests use to supply the file name.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace fw {

enum class FileDialogKind { Open, Save };

// Receives the kind and the proposed path; returns false for Cancel, else sets path.
using FileDialogHook = std::function<bool(FileDialogKind kind, std::string& path)>;

// Installs hook for the whole process (an empty one restores the real dialogs); returns the previous one.
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// Asks for a file. filter is "Name|pattern|Name|pattern|" (bars for the zero separators), defaultExtension
// without a dot; path holds the proposed name and receives the chosen one. False on Cancel.
bool AskFileName(HWND owner, FileDialogKind kind, const std::string& filter, const char* defaultExtension,
                 std::string& path);

}  // namespace fw

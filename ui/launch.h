// Starting AutoCAD from the dialog: the run-mode command line for this program, and the
// desktop shortcut that a profile dragged out of the dialog becomes.
#pragma once

#include <string>

#include "base/handles.h"
#include "engine/model.h"

// The Template of the first linked application (State 0) of profile that names one.
std::string ProfileTemplate(const PMAcad& product, const PMAcadProfile& profile);

// The arguments that run product with profile: -r -a "id" -p "name" [-AcCL -t "template"].
// Every value is quoted so that the run mode gets it back exactly.
std::string RunArguments(const PMAcad& product, const PMAcadProfile& profile);

// "program" followed by the run arguments.
std::string RunCommandLine(const std::string& programPath, const PMAcad& product, const PMAcadProfile& profile);

// Starts commandLine (suspended, then resumed) without waiting; false when it cannot.
bool StartDetached(const std::string& commandLine);

// A shortcut file in a private temporary folder; both are removed when it goes.
class ProfileShortcut {
 public:
  // Makes the folder (%TEMP%_APM, _APM0, _APM01, ... at most 10 tries) and writes the
  // shortcut; Path() is empty when either failed.
  ProfileShortcut(const std::string& programPath, const PMAcad& product, const PMAcadProfile& profile);
  ~ProfileShortcut();
  ProfileShortcut(const ProfileShortcut&) = delete;
  ProfileShortcut& operator=(const ProfileShortcut&) = delete;

  const std::string& Path() const { return path_; }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  std::string path_;
};

// The shortcut's file name: "<ProductName> in <profile>.lnk" without < > \ / : ? *.
std::string ShortcutFileName(const PMAcad& product, const PMAcadProfile& profile);

// A private folder below the temporary folder: base, base0, base01, ...; "" when none
// could be made in 10 tries.
std::string MakePrivateFolder(const std::string& base);

// A file list with one file for the shell (CF_HDROP): a 20-byte header, the ANSI path and
// two terminating zeros, in movable shared zero-filled memory.
fw::GlobalMemory MakeFileDropData(const std::string& path);

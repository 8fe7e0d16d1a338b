// Importing a profile file as a profile of a product: the file is read whole first, so that a
// file that is not a profile export writes nothing; a profile that the import replaces is backed
// up before it is touched.
#pragma once

#include <string>

#include "engine/backups.h"
#include "engine/model.h"
#include "engine/profile_file.h"

enum class ImportStatus {
  Imported,
  NotProfileFile,  // see FileError
  BadName,         // the name asked for cannot be a profile
  NameInUse,       // the profile exists and replacing was not asked for
  BackupFailed,    // see Backup; nothing was changed
  WriteFailed,     // see WriteError; a replaced profile was put back
};

struct ImportOutcome {
  ImportStatus Status = ImportStatus::Imported;
  std::string Name;  // the profile written (or refused)
  ProfileFileError FileError;
  BackupFailure Backup;
  LONG WriteError = ERROR_SUCCESS;
};

// Imports file as profile `name` of product (the file's own profile name when name is empty). An
// existing profile is refused unless replace; then it is first backed up below backupRoot.
ImportOutcome ImportProfile(const std::string& file, const PMAcad& product, const std::string& name, bool replace,
                            const std::string& backupRoot);

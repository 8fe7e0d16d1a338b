// The texts that say why a profile file, a backup or an import failed, in the UI language; shared
// by the dialog and the command line.
#pragma once

#include <windows.h>

#include <string>

#include "engine/backups.h"
#include "engine/profile_file.h"
#include "engine/profile_import.h"

// The system's description of a Win32 error, without its line end.
std::string SystemErrorText(DWORD error);

std::string BackupFailureText(const BackupFailure& failure);
std::string ProfileFileErrorText(const std::string& file, const ProfileFileError& error);
std::string ExportFailureText(const std::string& profile, const std::string& file, DWORD error);
// "" when the import succeeded.
std::string ImportFailureText(const std::string& file, const ImportOutcome& outcome);

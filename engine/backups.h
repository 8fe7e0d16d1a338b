// Backups of profiles that an apply or an import is about to delete, rename or replace: one folder
// per apply below the user's application-data folder, named by its date and time, holding one
// profile file per profile, so that every destructive change can be undone.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/model.h"
#include "engine/profile_file.h"

enum class BackupChange { Deleted, Renamed, Replaced };

struct BackupRequest {
  std::string Key;  // the product's Key
  std::string ProductName;
  std::string Profile;
  BackupChange Change = BackupChange::Deleted;
};

// Which backup could not be written, where, and the Win32 error.
struct BackupFailure {
  std::string Profile;
  std::string Path;
  DWORD Error = ERROR_SUCCESS;
};

struct BackupEntry {
  std::string File;    // full path of the profile file
  std::string Folder;  // the apply's folder name, "YYYY-MM-DD HH-MM-SS" (local time)
  SYSTEMTIME When = {};
  std::string AcadId;
  std::string ProductName;
  std::string Profile;
  BackupChange Change = BackupChange::Deleted;
};

constexpr size_t kKeptBackupApplies = 50;
constexpr int kMinBackupAgeDays = 30;

// "<application data>\Brevent Software\Tarnwick\Backups" of the user; "" when the shell does not know
// the application-data folder.
std::string DefaultBackupRoot();

// The profiles of the model that an apply will delete, rename (the old name) or overwrite (an
// existing key that a creation or rename copies onto), as far as they exist in the registry.
std::vector<BackupRequest> ProfilesToBackUp(const ConfigurationModel& model);

// Writes every requested profile into one new folder below root named after now. All or nothing:
// on failure returns false with what failed, and the new folder is removed again. folder receives
// the new folder's path.
bool BackupProfiles(const std::string& root, const std::vector<BackupRequest>& requests, const SYSTEMTIME& now,
                    BackupFailure& failure, std::string* folder = nullptr);

// Removes the apply folders beyond the newest `keep`, except those younger than minAgeDays; folders
// not named like an apply are left alone. Returns how many were removed.
int PruneBackups(const std::string& root, const SYSTEMTIME& now, size_t keep = kKeptBackupApplies,
                 int minAgeDays = kMinBackupAgeDays);

// Every readable backup below root, newest apply first.
std::vector<BackupEntry> ListBackups(const std::string& root);

// Writes the backup as profile `name` of its product (exactly the saved tree). Refuses an existing
// profile (ERROR_ALREADY_EXISTS) and a file that is no longer a profile file (ERROR_INVALID_DATA,
// with the problem in fileError); otherwise 0 or the registry error.
LONG RestoreBackup(const BackupEntry& entry, const std::string& name, ProfileFileError& fileError);

// File name of a profile's backup: "product - profile.arg", made a safe file name.
std::string BackupFileName(const std::string& product, const std::string& profile);
// text with every character that a file name cannot hold replaced by "_", at most 120 bytes.
std::string SafeFileName(const std::string& text);

// Whether {Key}\Profiles\{name} exists below HKEY_CURRENT_USER.
bool ProfileKeyExists(const std::string& key, const std::string& name);

#include "engine/backups.h"

#include <shlobj.h>
#include <stdio.h>

#include <algorithm>

#include "engine/profile_rules.h"
#include "engine/profiles.h"
#include "engine/same_name.h"
#include "engine/registry_io.h"

namespace {

const char kBackupsBelowAppData[] = "\\Brevent Software\\Tarnwick\\Backups";
const char kNoteTitle[] = "Tarnwick profile backup";
const char kProductNote[] = "Product: ";
const char kAcadIdNote[] = "AcadId: ";
const char kChangeNote[] = "Change: ";
const char* const kChangeNames[] = {"deleted", "renamed", "replaced"};
// Room for the folders above a backup file within MAX_PATH.
const size_t kMaxFileStemBytes = 120;
const ULONGLONG kFileTimeTicksPerDay = 864000000000ULL;

bool IsDirectory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Creates path and every missing folder above it; 0 or the Win32 error.
DWORD CreateFolders(const std::string& path) {
  if (IsDirectory(path)) return ERROR_SUCCESS;
  const size_t slash = path.find_last_of('\\');
  if (slash != std::string::npos && slash > 0 && path[slash - 1] != ':' && path[slash - 1] != '\\') {
    const DWORD error = CreateFolders(path.substr(0, slash));
    if (error != ERROR_SUCCESS) return error;
  }
  if (::CreateDirectoryA(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
    return IsDirectory(path) ? ERROR_SUCCESS : ERROR_DIRECTORY;
  return ::GetLastError();
}

// Names of the entries of folder matching pattern, directories or files as asked.
std::vector<std::string> Entries(const std::string& folder, const char* pattern, bool directories) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  fw::FindHandle find(::FindFirstFileA((folder + "\\" + pattern).c_str(), &found));
  if (!find) return names;
  do {
    const bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::string name = found.cFileName;
    if (isDirectory == directories && name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(find.get(), &found));
  return names;
}

// An apply folder holds only the files this module wrote.
void RemoveFolder(const std::string& folder) {
  for (const std::string& file : Entries(folder, "*", false)) ::DeleteFileA((folder + "\\" + file).c_str());
  ::RemoveDirectoryA(folder.c_str());
}

std::string FolderName(const SYSTEMTIME& time) {
  char name[32];
  snprintf(name, sizeof name, "%04u-%02u-%02u %02u-%02u-%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
           time.wMinute, time.wSecond);
  return name;
}

// "YYYY-MM-DD HH-MM-SS", optionally followed by "-N" for a second apply in the same second.
bool ParseFolderName(const std::string& name, SYSTEMTIME& time) {
  unsigned year, month, day, hour, minute, second;
  int used = 0;
  if (name.size() < 19 || sscanf(name.c_str(), "%4u-%2u-%2u %2u-%2u-%2u%n", &year, &month, &day, &hour, &minute,
                                 &second, &used) != 6 || used != 19)
    return false;
  const std::string rest = name.substr(19);
  if (!rest.empty() && (rest.size() < 2 || rest[0] != '-' || rest.find_first_not_of("0123456789", 1) != std::string::npos))
    return false;
  SYSTEMTIME parsed = {};
  parsed.wYear = static_cast<WORD>(year);
  parsed.wMonth = static_cast<WORD>(month);
  parsed.wDay = static_cast<WORD>(day);
  parsed.wHour = static_cast<WORD>(hour);
  parsed.wMinute = static_cast<WORD>(minute);
  parsed.wSecond = static_cast<WORD>(second);
  FILETIME check;
  if (!::SystemTimeToFileTime(&parsed, &check)) return false;
  time = parsed;
  return true;
}

ULONGLONG Ticks(const SYSTEMTIME& time) {
  FILETIME fileTime = {};
  ::SystemTimeToFileTime(&time, &fileTime);
  return (static_cast<ULONGLONG>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
}

// Apply folders below root, newest first.
std::vector<std::pair<std::string, SYSTEMTIME>> ApplyFolders(const std::string& root) {
  std::vector<std::pair<std::string, SYSTEMTIME>> folders;
  SYSTEMTIME time;
  for (const std::string& name : Entries(root, "*", true))
    if (ParseFolderName(name, time)) folders.emplace_back(name, time);
  std::sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) {
    const ULONGLONG ta = Ticks(a.second), tb = Ticks(b.second);
    return ta != tb ? ta > tb : a.first.size() != b.first.size() ? a.first.size() > b.first.size() : a.first > b.first;
  });
  return folders;
}

// A new folder below root named after now; a second apply in the same second gets "-2" and so on.
DWORD CreateApplyFolder(const std::string& root, const SYSTEMTIME& now, std::string& folder) {
  const std::string base = root + "\\" + FolderName(now);
  for (int n = 1; n < 1000; ++n) {
    folder = n == 1 ? base : base + "-" + std::to_string(n);
    if (::CreateDirectoryA(folder.c_str(), nullptr)) return ERROR_SUCCESS;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return ::GetLastError();
  }
  return ERROR_ALREADY_EXISTS;
}

bool TakeNote(const std::string& note, const char* head, std::string& value) {
  const size_t length = strlen(head);
  if (note.compare(0, length, head) != 0) return false;
  value = note.substr(length);
  return true;
}

bool ReadEntry(const std::string& file, BackupEntry& entry) {
  ProfileTree tree;
  ProfileFileError error;
  if (!LoadProfileFile(file, tree, error)) return false;
  std::string change;
  for (const std::string& note : tree.Notes) {
    TakeNote(note, kProductNote, entry.ProductName);
    TakeNote(note, kAcadIdNote, entry.AcadId);
    TakeNote(note, kChangeNote, change);
  }
  for (int i = 0; i < 3; ++i)
    if (change == kChangeNames[i]) {
      entry.Change = static_cast<BackupChange>(i);
      entry.File = file;
      entry.Profile = tree.Name;
      return !entry.AcadId.empty();
    }
  return false;
}

}  // namespace

std::string DefaultBackupRoot() {
  char appData[MAX_PATH] = "";
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)) || !*appData)
    return std::string();
  return appData + std::string(kBackupsBelowAppData);
}

bool ProfileKeyExists(const std::string& key, const std::string& name) {
  return IsProfileName(name) && reg::OpenKey(HKEY_CURRENT_USER, ProfileKeyPath(key, name), KEY_READ);
}

std::vector<BackupRequest> ProfilesToBackUp(const ConfigurationModel& model) {
  std::vector<BackupRequest> requests;
  auto request = [&requests](const PMAcad& product, const std::string& name, BackupChange change) {
    if (!ProfileKeyExists(product.Key, name)) return;
    for (const BackupRequest& made : requests)
      if (SameNameIgnoringCase(made.Key, product.Key) && SameProfileName(made.Profile, name)) return;
    requests.push_back(BackupRequest{product.Key, product.ProductName, name, change});
  };
  for (const PMAcad& product : model) {
    for (const PMAcadProfile& profile : product.Profiles) {
      if (profile.State == ProfileDelete) {
        request(product, profile.Name, BackupChange::Deleted);
      } else if (profile.State == ProfileCreate) {
        request(product, profile.Name, BackupChange::Replaced);  // the copy merges onto it
      } else if (!profile.NewName.empty() && !SameProfileName(profile.Name, profile.NewName)) {
        request(product, profile.Name, BackupChange::Renamed);
        request(product, profile.NewName, BackupChange::Replaced);
      }
    }
  }
  return requests;
}

std::string BackupFileName(const std::string& product, const std::string& profile) {
  return SafeFileName(product + " - " + profile) + ".arg";
}

std::string SafeFileName(const std::string& stem) {
  std::string name;
  for (size_t i = 0; i < stem.size() && name.size() < kMaxFileStemBytes; ++i) {
    const unsigned char c = static_cast<unsigned char>(stem[i]);
    if (::IsDBCSLeadByte(c) && i + 1 < stem.size()) {
      name += stem.substr(i++, 2);  // a trail byte may look like a backslash
    } else {
      name += c < 0x20 || strchr("\\/:*?\"<>|", c) ? '_' : static_cast<char>(c);
    }
  }
  // Windows drops trailing dots and blanks from file names.
  for (size_t i = name.size(); i > 0 && (name[i - 1] == '.' || name[i - 1] == ' '); --i) name[i - 1] = '_';
  return name;
}

bool BackupProfiles(const std::string& root, const std::vector<BackupRequest>& requests, const SYSTEMTIME& now,
                    BackupFailure& failure, std::string* folderOut) {
  failure = BackupFailure();
  if (!requests.empty()) failure.Profile = requests.front().Profile;
  failure.Path = root;
  if (root.empty()) {
    failure.Error = ERROR_PATH_NOT_FOUND;
    return false;
  }
  std::string folder;
  failure.Error = CreateFolders(root);
  if (failure.Error == ERROR_SUCCESS) failure.Error = CreateApplyFolder(root, now, folder);
  if (failure.Error != ERROR_SUCCESS) return false;
  for (const BackupRequest& request : requests) {
    const std::string product = request.ProductName.empty() ? AcadIdFromKey(request.Key) : request.ProductName;
    const std::string name = BackupFileName(product, request.Profile);
    std::string file = folder + "\\" + name;
    for (int n = 2; FileExists(file); ++n)
      file = folder + "\\" + name.substr(0, name.size() - 4) + " (" + std::to_string(n) + ").arg";
    const StringList notes = {kNoteTitle, kProductNote + request.ProductName, kAcadIdNote + AcadIdFromKey(request.Key),
                              kChangeNote + std::string(kChangeNames[static_cast<int>(request.Change)])};
    const DWORD error = ExportProfile(request.Key, request.Profile, file, notes);
    if (error != ERROR_SUCCESS) {
      failure = BackupFailure{request.Profile, file, error};
      RemoveFolder(folder);
      return false;
    }
  }
  if (folderOut) *folderOut = folder;
  failure = BackupFailure();
  return true;
}

int PruneBackups(const std::string& root, const SYSTEMTIME& now, size_t keep, int minAgeDays) {
  const std::vector<std::pair<std::string, SYSTEMTIME>> folders = ApplyFolders(root);
  const ULONGLONG nowTicks = Ticks(now);
  int removed = 0;
  for (size_t i = keep; i < folders.size(); ++i) {
    const ULONGLONG when = Ticks(folders[i].second);
    if (when > nowTicks || nowTicks - when < minAgeDays * kFileTimeTicksPerDay) continue;
    RemoveFolder(root + "\\" + folders[i].first);
    ++removed;
  }
  return removed;
}

std::vector<BackupEntry> ListBackups(const std::string& root) {
  std::vector<BackupEntry> entries;
  for (const auto& folder : ApplyFolders(root)) {
    const std::string path = root + "\\" + folder.first;
    std::vector<std::string> files = Entries(path, "*.arg", false);
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
      BackupEntry entry;
      entry.Folder = folder.first;
      entry.When = folder.second;
      if (ReadEntry(path + "\\" + file, entry)) entries.push_back(entry);
    }
  }
  return entries;
}

LONG RestoreBackup(const BackupEntry& entry, const std::string& name, ProfileFileError& fileError) {
  fileError = ProfileFileError();
  const std::string key = KeyFromAcadId(entry.AcadId);
  if (!IsProfileName(name)) return ERROR_INVALID_NAME;
  if (ProfileKeyExists(key, name)) return ERROR_ALREADY_EXISTS;
  ProfileTree tree;
  if (!LoadProfileFile(entry.File, tree, fileError)) return ERROR_INVALID_DATA;
  return PutProfileTree(key, name, tree);
}

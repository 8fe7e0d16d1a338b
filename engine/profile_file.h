// Profile files (.arg): a profile's whole key tree as "REGEDIT4" text whose keys are written
// relative to the profile, as [HKEY_CURRENT_USER\Profiles\NAME...], so that one file can be
// imported into any product and under any name. Every value keeps its type and exact bytes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/model.h"

struct RegistryValue {
  std::string Name;  // empty: the key's default value
  DWORD Type = REG_NONE;
  std::string Data;  // the stored bytes
};

struct ProfileTreeKey {
  std::string Path;  // below the profile key, "" for the profile key itself
  std::vector<RegistryValue> Values;
};

struct ProfileTree {
  std::string Name;  // the profile's name as the file gives it
  // Comment lines between the header and the first key, without their ";" and one blank.
  StringList Notes;
  std::vector<ProfileTreeKey> Keys;  // parents before their subkeys
};

// Why a text is not a profile file; the line (from 1) where that was found, 0 for the whole file.
enum class ProfileFileProblem {
  None,
  Unreadable,      // the file cannot be opened or read
  TooLarge,        // beyond kMaxProfileFileBytes
  NotText,         // a zero byte or another control character
  LineTooLong,     // beyond kMaxProfileFileLine bytes
  NoHeader,        // the first line is not "REGEDIT4"
  Syntax,          // a line that an export never writes
  BadEscape,       // a backslash before anything but a backslash or a quotation mark
  Truncated,       // the text ends inside a line or a continued value
  OutsideProfile,  // a key that is not the profile or below it
  BadKeyName,      // an empty key name, or one the registry cannot hold
};

struct ProfileFileError {
  ProfileFileProblem Problem = ProfileFileProblem::None;
  int Line = 0;
};

constexpr size_t kMaxProfileFileBytes = 64u << 20;
constexpr size_t kMaxProfileFileLine = 64u << 10;

// The file text of tree. False, with text unchanged, when a key name, value name or note holds a
// control character such as a line break (the format has no way to write one).
bool FormatProfileFile(const ProfileTree& tree, std::string& text);

// Reads text fully. On failure returns false with the problem and its line; tree is then unchanged.
bool ParseProfileFile(const std::string& text, ProfileTree& tree, ProfileFileError& error);

// Reads the whole tree below root\path. A registry error (returned, 0 on success) leaves tree unchanged.
LONG ReadProfileTree(HKEY root, const std::string& path, ProfileTree& tree);

// Writes every key and value of tree below the open key, keeping what is there already. 0 on
// success, else the registry error that stopped it (what was written before stays).
LONG WriteProfileTree(HKEY profileKey, const ProfileTree& tree);

// Writes profile `name` of product key to file (notes as comments). 0 on success, else the Win32
// error: ERROR_FILE_NOT_FOUND for a missing profile, ERROR_INVALID_NAME for a name the format
// cannot write; a file that could not be written completely is removed.
DWORD ExportProfile(const std::string& key, const std::string& name, const std::string& file,
                    const StringList& notes = StringList());

// Reads and parses a profile file; false with the problem (tree unchanged) when it is not one.
bool LoadProfileFile(const std::string& file, ProfileTree& tree, ProfileFileError& error);

// Whether name can be a profile: a key directly below Profiles (not empty, no backslash, at most
// 255 bytes).
bool IsProfileName(const std::string& name);

// Makes {Key}\Profiles\{name} hold exactly tree: an existing profile is deleted first (one that
// cannot be read whole is left alone). When the write fails, the partial profile is removed again
// and a replaced one written back. 0 on success, else the registry error.
LONG PutProfileTree(const std::string& key, const std::string& name, const ProfileTree& tree);

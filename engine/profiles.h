// AutoCAD's per-user profiles below HKEY_CURRENT_USER\{Key}\Profiles.
#pragma once

#include "engine/model.h"

// Fills names and descriptions (parallel) and currentProfile; returns the number of
// profiles. A product without Profiles key or current-profile value has none: the lists
// are then empty and currentProfile is unchanged. A profile key that cannot be opened
// ends the listing there. A description stored but not readable (too long, not text) reads
// as empty; unreadable, when given, tells those profiles apart (parallel to names).
int ReadProfiles(const std::string& key, StringList& names, StringList& descriptions,
                 std::string& currentProfile, std::vector<bool>* unreadable = nullptr);

// Copies {Key}\Profiles\{sourceName} with everything below it onto {targetName}, which
// is created when missing and otherwise merged into. True when the whole copy succeeded;
// a partial copy stays in the registry.
bool CopyProfile(const std::string& key, const std::string& sourceName, const std::string& targetName);

// Deletes {Key}\Profiles\{profile.Name} with all its subkeys; true on success. A partial
// delete stays in the registry.
bool DeleteProfileKey(const std::string& key, const PMAcadProfile& profile);

// Writes the product's current profile (default value of {Key}\Profiles); false, with
// nothing written, when the key cannot be opened.
bool SetCurrentProfile(const std::string& key, const std::string& name);

// Writes a profile's description (default value of its key); false, with nothing
// written, when the profile key cannot be opened.
bool WriteProfileDescription(const std::string& key, const std::string& profileName,
                             const std::string& description);

// Whether {Key}\Profiles\{profileName} is a profile key that can be opened for reading; an
// empty name or one with a backslash names no profile.
bool ProfileExists(const std::string& key, const std::string& profileName);

// {Key}\Profiles and {Key}\Profiles\{profileName}, below HKEY_CURRENT_USER.
std::string ProfilesKeyPath(const std::string& key);
std::string ProfileKeyPath(const std::string& key, const std::string& profileName);

// AutoCAD's per-user profiles below HKEY_CURRENT_USER\{Key}\Profiles.
#pragma once

#include "engine/model.h"

// Fills names and descriptions (parallel) and currentProfile; returns the number of
// profiles. A product without Profiles key or current-profile value has none.
int ReadProfiles(const std::string& key, StringList& names, StringList& descriptions,
                 std::string& currentProfile);

// Links of applications into AutoCAD profiles, below HKEY_CURRENT_USER:
// Software\Autodesk\<id>\Profiles\<profile>\Tarnwick\Applications\<application>.
#pragma once

namespace qvreg {

// Creates or refreshes the link so that it loads after every other link of the profile; keeps an
// existing MenuLoaded. The profile must exist.
bool RegisterProfileLink(const char* acadId, const char* profile, const char* application, int reserved);

// Deletes the link with everything below it; false when there is no such link.
bool UnregisterProfileLink(const char* acadId, const char* profile, const char* application);

// Deletes every link of an existing profile.
bool UnregisterProfileLinks(const char* acadId, const char* profile);

}  // namespace qvreg

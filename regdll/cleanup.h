// Removal across every product: a profile in all products, an application everywhere.
#pragma once

namespace qvreg {

// Deletes the profile (ignoring case) in every product below HKEY_CURRENT_USER, except where it is
// the current profile or parked to become current again. True when at least one profile was deleted
// and every deletion succeeded.
bool DeleteProfileEverywhere(const char* profile);

// Removes the application's registration and standard order in every product of every view below
// HKEY_LOCAL_MACHINE, and its links in every profile below HKEY_CURRENT_USER. True when at least one
// of these was removed and every removal succeeded.
bool UnregisterApplicationEverywhere(const char* application);

}  // namespace qvreg

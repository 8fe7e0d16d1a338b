// Whole-subtree copy and delete, for profiles (which are copied and deleted as a whole).
#pragma once

#include <windows.h>

// Copies every value and subkey of source into target, depth first. 0 on success, else
// the registry error that stopped it; what was copied before stays. Value names are
// handled up to 256 bytes and data up to 1024 bytes: a larger one stops the copy.
LONG CopyRegistryTree(HKEY source, HKEY target);

// Deletes parent\name with all its subkeys. 0 on success, else the registry error that
// stopped it; what was deleted before stays deleted.
LONG DeleteRegistryTree(HKEY parent, const char* name);

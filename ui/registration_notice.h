// What the user is told when the registration library cannot do what a command needs.
#pragma once

#include <string>

#include "engine/regdll_bridge.h"

// Empty when the library provides every entry that use needs. Otherwise the message in the UI
// language: the library was not found (naming every file tried), or the one found lacks entries
// (naming it and them).
std::string RegistrationLibraryNotice(const RegistrationLibrary& library, RegistrationLibrary::Use use);

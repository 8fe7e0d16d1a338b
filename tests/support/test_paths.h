// Where the test programs and the files built beside them are.
#pragma once

#include <string>

// The folder of the running test program, with a trailing backslash.
std::string TestProgramFolder();

// Where the command-line modes say what went wrong: every such text goes through here.
#pragma once

#include <windows.h>

#include <string>

// Shows text (flags as for a message box) and returns the button pressed.
int ShowCommandMessage(const std::string& text, UINT flags);

#include "app/command_messages.h"

#include "framework/msgbox.h"

int ShowCommandMessage(const std::string& text, UINT flags) { return fw::MessageBoxApp(nullptr, text, flags); }

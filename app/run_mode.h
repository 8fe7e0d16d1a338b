// Run mode: hand a message to a running AutoCAD, or run AutoCAD with a profile and
// report the outcome.
#pragma once

#include "app/command_line.h"
#include "app/run_request.h"

// Returns the process exit code.
int RunFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model);

// The message (with its argument) that reports outcome; "" for none.
std::string RunOutcomeMessage(int outcome, const PMRunRequest& request);

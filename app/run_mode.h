// Run mode: hand a message to a running AutoCAD, or run AutoCAD with a profile and
// report the outcome.
#pragma once

#include "app/command_line.h"
#include "app/run_request.h"
#include "app/script_output.h"

// Returns the process exit code: in scripting mode the run outcome, else 0; a hand-off
// ends with its own code.
int RunFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model, ScriptOutput& output);

// The message (with its argument) that reports outcome; "" for none.
std::string RunOutcomeMessage(int outcome, const PMRunRequest& request);

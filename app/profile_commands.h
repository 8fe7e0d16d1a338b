// The command-line modes for profile files: -export FILE -a ACAD_ID -p PROFILE and
// -import FILE -a ACAD_ID [-p PROFILE] [-replace].
#pragma once

#include <string>

#include "app/command_line.h"
#include "app/script_output.h"
#include "engine/model.h"

// Each loads the configuration into model, does its work, says what failed through output and
// returns the exit code of scripting mode: 2 for a bad argument or file, 3 when the profile
// could not be written (a backup or the registry failed).
int ExportFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model, ScriptOutput& output);
// A profile that the import replaces is backed up below backupRoot first.
int ImportFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model, const std::string& backupRoot,
                          ScriptOutput& output);

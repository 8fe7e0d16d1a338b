// The command-line modes for profile files: -export FILE -a ACAD_ID -p PROFILE and
// -import FILE -a ACAD_ID [-p PROFILE] [-replace].
#pragma once

#include <string>

#include "app/command_line.h"
#include "engine/model.h"

// Each loads the configuration into model, does its work and shows what failed through
// ShowCommandMessage; true on success.
bool ExportFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model);
// A profile that the import replaces is backed up below backupRoot first.
bool ImportFromCommandLine(const CPMCommandLineInfo& info, ConfigurationModel& model, const std::string& backupRoot);

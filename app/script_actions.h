// The command-line actions other than runs and site standards, with their messages and,
// in scripting mode, their summaries and exit codes.
#pragma once

#include <string>

#include "app/script_output.h"
#include "engine/model.h"

class RegistrationLibrary;

// Writes the configuration report to file. Exit code 2 when the file cannot be created.
int WriteReportFile(const std::string& file, ConfigurationModel& model, ScriptOutput& output);

// -dp: the profile deleted in every product. 0 also when no product has it; 3 when the
// registration library failed.
int DeleteProfileEverywhere(const std::string& profile, ConfigurationModel& model, const RegistrationLibrary& library,
                            ScriptOutput& output);

// -ua: the application unregistered from every product. 0 also when none has it; 3 when
// the registration library failed.
int UnregisterApplicationEverywhere(const std::string& application, ConfigurationModel& model,
                                    const RegistrationLibrary& library, ScriptOutput& output);

// The usage text: exit code 2 in scripting mode (no action matched the arguments).
int ShowUsage(ScriptOutput& output);

// The summary line of an action that ended with exitCode (0 done, else failed).
int SummarizeExitCode(ScriptOutput& output, const std::string& action, int exitCode);

// An option with its value as the summary names the action: -d "report.txt".
std::string ActionText(const char* option, const std::string& value);

// The configuration report: a plain-text dump of the whole model (option -d).
#pragma once

#include <cstdio>
#include <string>

#include "engine/model.h"

// Appends the report's bytes to out; nothing for an empty model.
void WriteConfigurationReport(const ConfigurationModel& model, std::string& out);

// Writes the report to an open file; write errors are not reported.
void WriteConfigurationReport(const ConfigurationModel& model, FILE* file);

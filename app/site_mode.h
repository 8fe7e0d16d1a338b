// -apply and -check: a site standard against this workstation, in scripting mode.
#pragma once

#include <string>

#include "app/script_output.h"
#include "engine/site_apply.h"

// Compares (apply false) or makes match (apply true); returns the exit code.
int RunSiteStandard(const std::string& siteFile, bool apply, ConfigurationModel& model, ScriptOutput& output);

// The texts the modes print (tested without a process).
std::string SiteErrorText(const std::string& siteFile, const SiteError& error);
std::string SiteChangeText(const SiteChange& change, const SiteStandard& site);
std::string SiteNoteText(const SiteNote& note);

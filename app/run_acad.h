// Running AutoCAD with a profile: make it current, mark it, start AutoCAD, wait for it
// and put the previous current profile back.
#pragma once

#include "app/run_request.h"

// Returns a RunOutcome.
int RunAcadWithProfile(ConfigurationModel& model, const PMRunRequest& request);

// A request to run AutoCAD with a profile, as the command line gave it.
#pragma once

#include <string>

#include "engine/model.h"

struct PMRunRequest {
  std::string AcadId;          // with the "Software\Autodesk\" head, like a product's Key
  std::string ProfileName;
  std::string PipeName;        // empty unless a hand-off message was given
  std::string AcadCommandLine; // the pass-through part; begins with a blank when present
  bool CreateProfile = false;
  StringList Applications;     // enabled in a newly created profile, in this order
};

// The outcome of a run: what the run mode reports.
enum RunOutcome {
  RunStarted = 0,           // AutoCAD was started and has ended
  RunNoProduct = 1,         // the AutoCAD id matches no product
  RunNoProfile = 2,         // the profile does not exist and was not created
  RunRegistryFailed = 3,    // the current profile or the marker key could not be written
  RunCannotStart = 4,       // AutoCAD could not be started
  RunNoProfiles = 5,        // the product has no profiles
};

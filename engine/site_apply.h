// Making a workstation match a site standard, through the engine's own operations.
#pragma once

#include "engine/site_plan.h"

class RegistrationLibrary;

// The operations on profile files that the standard needs.
struct SiteProfileFiles {
  // Creates {Key}\Profiles\{profile} from the standard's Source; true on success.
  std::function<bool(const std::string& key, const std::string& profile, const SiteProfile& standard)> Create;
  // Keeps a copy of every profile that the changes delete or re-create, before anything is
  // changed; false stops the whole apply.
  std::function<bool(const std::vector<SiteChange>& changes)> BackUp;
  // Whether a stored profile differs from its Source (Replace=always).
  SourceComparer Differs;
};

struct SiteApplyResult {
  SitePlan First;                    // the differences found before anything was changed
  std::vector<SiteChange> Made;      // every change carried out, in order
  std::vector<SiteChange> Failed;    // differences left afterwards
  bool BackupFailed = false;         // then nothing was changed
};

// Loads the configuration, changes what differs and loads again to see what is left.
// Profiles are created and re-created first; then descriptions, links (through the
// registration library, in load order), current profiles and removals. Nothing is
// changed when the first comparison finds errors or the backups cannot be written. A
// current profile is never removed.
SiteApplyResult ApplySiteStandard(ConfigurationModel& model, const SiteStandard& site, const SiteProfileFiles& files,
                                  const RegistrationLibrary& library);

// Carries out one change of the kinds that need no profile file; true when the calls
// succeeded.
bool ApplySiteChange(PMAcad& product, const SiteChange& change, const RegistrationLibrary& library);

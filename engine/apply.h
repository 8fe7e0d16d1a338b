// Writing the edited model back: profiles, descriptions, current profiles, links.
#pragma once

#include <string>

#include "engine/backups.h"
#include "engine/model.h"

class RegistrationLibrary;

// Creates, renames and deletes profiles, writes descriptions and current profiles, then
// registers or unregisters every link. Afterwards no profile is pending and every
// enabled link is Linked. Failures are not reported (a refresh shows the registry).
void ApplyChanges(ConfigurationModel& model);
void ApplyChanges(ConfigurationModel& model, const RegistrationLibrary& library);

// The same, after backing up below backupRoot every profile that the apply deletes, renames or
// overwrites; old backups are pruned afterwards. A backup that cannot be written stops it before
// anything is changed: false, with the failure.
bool ApplyChangesWithBackups(ConfigurationModel& model, const std::string& backupRoot, BackupFailure& failure);
bool ApplyChangesWithBackups(ConfigurationModel& model, const RegistrationLibrary& library,
                             const std::string& backupRoot, BackupFailure& failure);

// Registers the enabled links of one profile (then Linked) and unregisters the others,
// in list order.
void ApplyProfileLinks(const PMAcad& product, PMAcadProfile& profile);
void ApplyProfileLinks(const PMAcad& product, PMAcadProfile& profile, const RegistrationLibrary& library);

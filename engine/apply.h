// Writing the edited model back: profiles, descriptions, current profiles, links.
#pragma once

#include "engine/model.h"

class RegistrationLibrary;

// Creates, renames and deletes profiles, writes descriptions and current profiles, then
// registers or unregisters every link. Afterwards no profile is pending and every
// enabled link is Linked. Failures are not reported (a refresh shows the registry).
void ApplyChanges(ConfigurationModel& model);
void ApplyChanges(ConfigurationModel& model, const RegistrationLibrary& library);

// Registers the enabled links of one profile (then Linked) and unregisters the others,
// in list order.
void ApplyProfileLinks(const PMAcad& product, PMAcadProfile& profile);
void ApplyProfileLinks(const PMAcad& product, PMAcadProfile& profile, const RegistrationLibrary& library);

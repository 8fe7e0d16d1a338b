#include "engine/apply.h"

#include "engine/profile_rules.h"
#include "engine/profiles.h"
#include "engine/regdll_bridge.h"

namespace {

// Creations and renames (by copy) and description writes. Renames leave a record with
// the old name behind for the deletion pass, unless the copy failed: the old profile
// then stays, so that nothing is lost.
void ApplyProfileCopies(PMAcad& product) {
  std::vector<PMAcadProfile>& profiles = product.Profiles;
  for (size_t i = 0; i < profiles.size(); ++i) {
    if (profiles[i].State == ProfileCreate) {
      CopyProfile(product.Key, profiles[i].SourceName, profiles[i].Name);
      profiles[i].State = ProfileStored;
    } else if (!profiles[i].NewName.empty()) {
      PMAcadProfile oldName = profiles[i];
      oldName.State = ProfileDelete;
      oldName.NewName.clear();
      // A rename that only changes letter case must not copy the profile onto itself and then
      // delete it.
      if (!SameProfileName(oldName.Name, profiles[i].NewName) &&
          CopyProfile(product.Key, profiles[i].Name, profiles[i].NewName))
        profiles.push_back(oldName);
      PMAcadProfile& renamed = profiles[i];
      renamed.State = ProfileStored;
      renamed.Name = renamed.NewName;
      renamed.NewName.clear();
    }
    // A description that could not be read is only replaced by one the user gave.
    PMAcadProfile& profile = profiles[i];
    if (!profile.DescriptionUnread || !profile.Description.empty()) {
      WriteProfileDescription(product.Key, profile.ShownName(), profile.Description);
      profile.DescriptionUnread = false;
    }
  }
}

void ApplyProfileDeletions(PMAcad& product) {
  std::vector<PMAcadProfile>& profiles = product.Profiles;
  for (size_t i = 0; i < profiles.size();) {
    if (profiles[i].State == ProfileDelete) {
      DeleteProfileKey(product.Key, profiles[i]);
      profiles.erase(profiles.begin() + i);
    } else {
      ++i;
    }
  }
}

}  // namespace

void ApplyChanges(ConfigurationModel& model) { ApplyChanges(model, RegistrationLibrary::Instance()); }

void ApplyChanges(ConfigurationModel& model, const RegistrationLibrary& library) {
  for (PMAcad& product : model) {
    ApplyProfileCopies(product);
    ApplyProfileDeletions(product);
    SetCurrentProfile(product.Key, product.CurrentProfile);
    for (PMAcadProfile& profile : product.Profiles) ApplyProfileLinks(product, profile, library);
  }
}

bool ApplyChangesWithBackups(ConfigurationModel& model, const std::string& backupRoot, BackupFailure& failure) {
  return ApplyChangesWithBackups(model, RegistrationLibrary::Instance(), backupRoot, failure);
}

bool ApplyChangesWithBackups(ConfigurationModel& model, const RegistrationLibrary& library,
                             const std::string& backupRoot, BackupFailure& failure) {
  failure = BackupFailure();
  const std::vector<BackupRequest> requests = ProfilesToBackUp(model);
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  if (!requests.empty() && !BackupProfiles(backupRoot, requests, now, failure)) return false;
  ApplyChanges(model, library);
  if (!requests.empty()) PruneBackups(backupRoot, now);
  return true;
}

void ApplyProfileLinks(const PMAcad& product, PMAcadProfile& profile) {
  ApplyProfileLinks(product, profile, RegistrationLibrary::Instance());
}

void ApplyProfileLinks(const PMAcad& product, PMAcadProfile& profile, const RegistrationLibrary& library) {
  const std::string id = AcadIdFromKey(product.Key);
  for (PMAcadAppLink& link : profile.Links) {
    if (link.State == LinkLinked || link.State == LinkEnable) {
      library.RegisterAppInProfileEx(id.c_str(), profile.Name.c_str(), link.Name.c_str(), 0);
      link.State = LinkLinked;
    } else if (link.State == LinkNotLinked) {
      library.UnregAppInProfile(id.c_str(), profile.Name.c_str(), link.Name.c_str());
    }
  }
}

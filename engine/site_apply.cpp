#include "engine/site_apply.h"


#include <algorithm>

#include "engine/configuration.h"
#include "engine/profiles.h"
#include "engine/wildcard.h"
#include "engine/regdll_bridge.h"

namespace {

bool IsStructural(SiteChangeKind kind) {
  return kind == SiteChangeKind::CreateProfile || kind == SiteChangeKind::ReplaceProfile;
}

// Removals last, so that a profile made current first no longer blocks them.
int Phase(SiteChangeKind kind) {
  switch (kind) {
    case SiteChangeKind::CreateProfile:
    case SiteChangeKind::ReplaceProfile:
      return 0;
    case SiteChangeKind::RemoveProfile:
      return 2;
    default:
      return 1;
  }
}

bool IsDestructive(SiteChangeKind kind) {
  return kind == SiteChangeKind::ReplaceProfile || kind == SiteChangeKind::RemoveProfile;
}

bool RemoveProfile(const std::string& key, const std::string& profile) {
  PMAcadProfile record;
  record.Name = profile;
  return DeleteProfileKey(key, record);
}

bool ApplyStructural(const SiteChange& change, const SiteStandard& site, const SiteProfileFiles& files) {
  if (!files.Create) return false;
  const SiteProfile& standard = site.Profiles[change.SiteProfile];
  if (change.Kind == SiteChangeKind::ReplaceProfile && !RemoveProfile(change.Key, change.Profile)) return false;
  return files.Create(change.Key, change.Profile, standard);
}

// The links that stay: the longest start of the stored order that already matches the
// wanted one (and has stored load orders). Every later wanted link is registered again,
// in order, so it loads after them; a second run then finds nothing to do.
size_t MatchingStart(const PMAcadProfile& profile, const StringList& wanted) {
  size_t kept = 0;
  for (const PMAcadAppLink& link : profile.Links) {
    if (!link.Enabled() || kept >= wanted.size() || link.Name != wanted[kept] || link.LoadOrder == 0) break;
    ++kept;
  }
  return kept;
}

bool ApplyLinks(const PMAcad& product, PMAcadProfile& profile, const StringList& wanted,
                const RegistrationLibrary& library) {
  const std::string id = AcadIdFromKey(product.Key);
  const size_t kept = MatchingStart(profile, wanted);
  bool succeeded = true;
  for (const PMAcadAppLink& link : profile.Links) {
    if (!link.Enabled()) continue;
    bool wantedLink = false;
    for (const std::string& name : wanted) wantedLink |= name == link.Name;
    if (!wantedLink)
      succeeded &= library.UnregAppInProfile(id.c_str(), profile.Name.c_str(), link.Name.c_str()) != 0;
  }
  for (size_t i = kept; i < wanted.size(); ++i)
    succeeded &= library.RegisterAppInProfileEx(id.c_str(), profile.Name.c_str(), wanted[i].c_str(), 0) != 0;
  return succeeded;
}

PMAcad* ProductOf(ConfigurationModel& model, const SiteChange& change) { return FindProductByKey(model, change.Key); }

}  // namespace

bool ApplySiteChange(PMAcad& product, const SiteChange& change, const RegistrationLibrary& library) {
  PMAcadProfile* profile = FindProfileByName(product, change.Profile);
  switch (change.Kind) {
    case SiteChangeKind::SetDescription:
      return profile && WriteProfileDescription(product.Key, profile->Name, change.Want);
    case SiteChangeKind::SetApplications:
      return profile && ApplyLinks(product, *profile, change.Applications, library);
    case SiteChangeKind::SetCurrent:
      if (!profile || !SetCurrentProfile(product.Key, profile->Name)) return false;
      product.CurrentProfile = profile->Name;
      return true;
    default:
      return false;
  }
}

SiteApplyResult ApplySiteStandard(ConfigurationModel& model, const SiteStandard& site, const SiteProfileFiles& files,
                                  const RegistrationLibrary& library) {
  SiteApplyResult result;
  LoadConfiguration(model);
  result.First = PlanSiteStandard(model, site, files.Differs);
  if (!result.First.Errors.empty() || result.First.Changes.empty()) return result;
  std::vector<SiteChange> destructive;
  for (const SiteChange& change : result.First.Changes)
    if (IsDestructive(change.Kind)) destructive.push_back(change);
  if (!destructive.empty() && files.BackUp && !files.BackUp(destructive)) {
    result.BackupFailed = true;
    result.Failed = result.First.Changes;
    return result;
  }

  bool created = false;
  for (const SiteChange& change : result.First.Changes)
    if (IsStructural(change.Kind) && ApplyStructural(change, site, files)) {
      result.Made.push_back(change);
      created = true;
    }
  SitePlan plan = result.First;
  if (created) {
    LoadConfiguration(model);
    plan = PlanSiteStandard(model, site, files.Differs);
  }
  for (int phase = 1; phase <= 2; ++phase)
    for (const SiteChange& change : plan.Changes) {
      if (Phase(change.Kind) != phase) continue;
      PMAcad* product = ProductOf(model, change);
      if (!product) continue;
      bool done = false;
      if (change.Kind == SiteChangeKind::RemoveProfile)
        done = !SameName(product->CurrentProfile, change.Profile) && RemoveProfile(change.Key, change.Profile);
      else
        done = ApplySiteChange(*product, change, library);
      if (done) result.Made.push_back(change);
    }

  LoadConfiguration(model);
  result.Failed = PlanSiteStandard(model, site, files.Differs).Changes;
  // The registry has the last word: what is still different was not made, whatever the calls said.
  result.Made.erase(std::remove_if(result.Made.begin(), result.Made.end(),
                                   [&](const SiteChange& made) {
                                     for (const SiteChange& left : result.Failed)
                                       if (left.Kind == made.Kind && SameName(left.Key, made.Key) &&
                                           SameName(left.Profile, made.Profile))
                                         return true;
                                     return false;
                                   }),
                    result.Made.end());
  return result;
}

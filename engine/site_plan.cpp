#include "engine/site_plan.h"

#include <windows.h>

#include <unordered_map>
#include <unordered_set>


#include "engine/wildcard.h"

namespace {

bool MatchesAny(const StringList& patterns, const std::string& name) {
  for (const std::string& pattern : patterns)
    if (MatchesWildcard(pattern, name)) return true;
  return false;
}

bool IsRegistered(const PMAcad& product, const std::string& application) {
  for (const PMApplication& registered : product.Applications)
    if (registered.Name == application) return true;
  return false;
}

class ProductPlanner {
 public:
  ProductPlanner(const PMAcad& product, const SiteStandard& site, const SourceComparer& differs, SitePlan& plan)
      : product_(product), site_(site), differs_(differs), plan_(plan) {
    // An index, so that a standard of many profiles costs no more per profile than a few do.
    for (const PMAcadProfile& profile : product_.Profiles) byName_.emplace(NameKey(profile.Name), &profile);
  }

  void Plan() {
    int currentSection = -1;
    for (size_t i = 0; i < site_.Profiles.size(); ++i) {
      const SiteProfile& standard = site_.Profiles[i];
      if (!MatchesAny(standard.Products, product_.ProductName)) continue;
      kept_.insert(NameKey(standard.Name));
      if (standard.Current) {
        if (currentSection >= 0)
          plan_.Errors.push_back(
              SiteError{SiteErrorKind::BadValue, standard.Section, "Current", "yes: " + product_.ProductName});
        currentSection = static_cast<int>(i);
      }
      PlanProfile(static_cast<int>(i));
    }
    if (currentSection >= 0) PlanCurrent(currentSection);
    PlanRemovals();
  }

 private:
  SiteChange Change(SiteChangeKind kind, const std::string& profile, int index) const {
    SiteChange change;
    change.Kind = kind;
    change.ProductName = product_.ProductName;
    change.Key = product_.Key;
    change.Profile = profile;
    change.SiteProfile = index;
    return change;
  }

  // Names as the registry compares them: letter case does not count.
  static std::string NameKey(std::string name) {
    if (!name.empty()) ::CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
    return name;
  }

  // The first stored profile of that name.
  const PMAcadProfile* Stored(const std::string& name) const {
    const auto found = byName_.find(NameKey(name));
    return found == byName_.end() ? nullptr : found->second;
  }

  void PlanProfile(int index) {
    const SiteProfile& standard = site_.Profiles[index];
    const PMAcadProfile* stored = Stored(standard.Name);
    if (!stored) {
      plan_.Changes.push_back(Change(SiteChangeKind::CreateProfile, standard.Name, index));
      return;
    }
    if (standard.Replace == ReplaceRule::Always && differs_ && differs_(product_, *stored, standard)) {
      plan_.Changes.push_back(Change(SiteChangeKind::ReplaceProfile, stored->Name, index));
      return;
    }
    if (standard.HasDescription && stored->Description != standard.Description) {
      SiteChange change = Change(SiteChangeKind::SetDescription, stored->Name, index);
      change.Have = stored->Description;
      change.Want = standard.Description;
      plan_.Changes.push_back(change);
    }
    if (standard.HasApplications) PlanApplications(*stored, index);
  }

  void PlanApplications(const PMAcadProfile& stored, int index) {
    StringList wanted;
    for (const std::string& application : site_.Profiles[index].Applications) {
      if (IsRegistered(product_, application))
        wanted.push_back(application);
      else
        plan_.Notes.push_back(SiteNote{product_.ProductName, stored.Name, application});
    }
    const StringList linked = LinkedApplications(stored);
    if (linked == wanted) return;
    SiteChange change = Change(SiteChangeKind::SetApplications, stored.Name, index);
    change.Have = JoinSiteList(linked);
    change.Want = JoinSiteList(wanted);
    change.Applications = wanted;
    plan_.Changes.push_back(change);
  }

  void PlanCurrent(int index) {
    const std::string& name = site_.Profiles[index].Name;
    const PMAcadProfile* stored = Stored(name);
    // A profile created by this plan is made current after it exists.
    if (stored && SameName(product_.CurrentProfile, stored->Name)) return;
    SiteChange change = Change(SiteChangeKind::SetCurrent, stored ? stored->Name : name, index);
    change.Have = product_.CurrentProfile;
    change.Want = change.Profile;
    plan_.Changes.push_back(change);
  }

  void PlanRemovals() {
    if (site_.RemovePatterns.empty()) return;
    for (const PMAcadProfile& profile : product_.Profiles) {
      if (!MatchesAny(site_.RemovePatterns, profile.Name)) continue;
      if (!kept_.count(NameKey(profile.Name))) plan_.Changes.push_back(Change(SiteChangeKind::RemoveProfile, profile.Name, -1));
    }
  }

  const PMAcad& product_;
  const SiteStandard& site_;
  const SourceComparer& differs_;
  SitePlan& plan_;
  std::unordered_set<std::string> kept_;  // the standard's profiles of this product: never removed
  std::unordered_map<std::string, const PMAcadProfile*> byName_;
};

}  // namespace

StringList LinkedApplications(const PMAcadProfile& profile) {
  StringList names;
  for (const PMAcadAppLink& link : profile.Links)
    if (link.Enabled()) names.push_back(link.Name);
  return names;
}

std::string JoinSiteList(const StringList& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ";") + name;
  return text;
}

SitePlan PlanSiteStandard(const ConfigurationModel& model, const SiteStandard& site, const SourceComparer& differs) {
  SitePlan plan;
  StringList keys;
  for (const PMAcad& product : model) {
    bool seen = false;
    for (const std::string& key : keys) seen |= SameName(key, product.Key);
    if (seen) continue;
    keys.push_back(product.Key);
    ProductPlanner(product, site, differs, plan).Plan();
  }
  return plan;
}

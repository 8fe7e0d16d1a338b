// Comparing a workstation's configuration with a site standard: the list of differences,
// each a change that would make the workstation match.
#pragma once

#include <functional>

#include "engine/site_standard.h"

enum class SiteChangeKind {
  CreateProfile,    // the product lacks the profile: created from Source
  ReplaceProfile,   // Replace=always and the profile differs from Source: re-created
  SetDescription,
  SetApplications,  // linked applications or their load order differ
  SetCurrent,
  RemoveProfile,    // named in [Remove]
};

struct SiteChange {
  SiteChangeKind Kind;
  std::string ProductName;
  std::string Key;          // the product's Key
  std::string Profile;      // the profile's name as stored, or as the standard names it
  int SiteProfile = -1;     // index into SiteStandard::Profiles; -1 for removals
  std::string Have;         // the workstation's value: description, "A;B" or current profile
  std::string Want;
  StringList Applications;  // SetApplications: the wanted links, in load order
};

// An application of the standard that the product does not have registered: left out.
struct SiteNote {
  std::string ProductName;
  std::string Profile;
  std::string Application;
};

struct SitePlan {
  std::vector<SiteChange> Changes;
  std::vector<SiteNote> Notes;
  std::vector<SiteError> Errors;  // the standard contradicts itself on this workstation
};

// Whether a stored profile differs from what its Source would create (asked for
// Replace=always only).
using SourceComparer =
    std::function<bool(const PMAcad& product, const PMAcadProfile& profile, const SiteProfile& standard)>;

// Products are matched by ProductName, profiles by name ignoring case. A product Key seen
// twice (the same product in both registry views) is compared once: they share profiles.
SitePlan PlanSiteStandard(const ConfigurationModel& model, const SiteStandard& site, const SourceComparer& differs);

// The enabled links of a profile in load order.
StringList LinkedApplications(const PMAcadProfile& profile);

// "A;B" for a list of names.
std::string JoinSiteList(const StringList& names);

#include "engine/configuration.h"

#include <algorithm>

#include "engine/applications.h"
#include "engine/discovery.h"
#include "engine/profiles.h"

namespace {

// Links without a LoadOrder (0) sort after every ordered link.
unsigned long long LoadOrderKey(const PMAcadAppLink& link) {
  return link.LoadOrder == 0 ? ~0ULL : link.LoadOrder;
}

PMAcadProfile BuildProfile(const PMAcad& product, const std::string& name, const std::string& description,
                           bool descriptionUnread) {
  PMAcadProfile profile;
  profile.Name = name;
  profile.Description = description;
  profile.DescriptionUnread = descriptionUnread;
  profile.State = ProfileStored;
  std::vector<PMAcadAppLink> stored;
  ReadProfileLinks(product.Key, name, stored);
  profile.Links = MergeStoredLinks(product.Applications, stored);
  return profile;
}

}  // namespace

void SortLinksByLoadOrder(std::vector<PMAcadAppLink>& links) {
  // The same order as exchanging adjacent out-of-order pairs until none is left: a
  // stable sort, as equal keys are never exchanged.
  std::stable_sort(links.begin(), links.end(), [](const PMAcadAppLink& a, const PMAcadAppLink& b) {
    return LoadOrderKey(a) < LoadOrderKey(b);
  });
}

std::vector<PMAcadAppLink> MergeStoredLinks(const std::vector<PMApplication>& applications,
                                            const std::vector<PMAcadAppLink>& stored) {
  std::vector<PMAcadAppLink> links;
  links.reserve(applications.size());
  for (size_t i = 0; i < applications.size(); ++i) {
    const PMApplication& application = applications[i];
    PMAcadAppLink link;
    link.Name = application.Name;
    link.LoadOrder = 0;
    link.MenuLoaded = 0;
    link.State = LinkNotLinked;
    for (const PMAcadAppLink& candidate : stored)
      if (candidate.Name == application.Name) link = candidate;  // a later duplicate wins
    link.Application = static_cast<int>(i);
    link.StdLoadOrder = application.StdLoadOrder;
    links.push_back(link);
  }
  SortLinksByLoadOrder(links);
  return links;
}

void LoadConfiguration(ConfigurationModel& model) {
  model.clear();
  FindAcadProducts(model);
  // The set-up runs first so that what the registration library writes is read below.
  SetupProducts(model);
  for (PMAcad& product : model) {
    ReadApplications(product.Key, product.RegistryView, product.Applications);
    StringList names, descriptions;
    std::vector<bool> unreadable;
    ReadProfiles(product.Key, names, descriptions, product.CurrentProfile, &unreadable);
    for (size_t i = 0; i < names.size(); ++i)
      product.Profiles.push_back(BuildProfile(product, names[i], descriptions[i], unreadable[i]));
  }
}

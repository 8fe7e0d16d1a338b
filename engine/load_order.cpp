#include "engine/load_order.h"

#include <algorithm>
#include <utility>

namespace {

// The records change places; their LoadOrder values stay with the positions.
void ExchangeLinks(std::vector<PMAcadAppLink>& links, size_t a, size_t b) {
  std::swap(links[a], links[b]);
  std::swap(links[a].LoadOrder, links[b].LoadOrder);
}

}  // namespace

void ResetLoadOrder(PMAcadProfile& profile) {
  std::vector<PMAcadAppLink>& links = profile.Links;
  if (links.size() > 1) {
    for (PMAcadAppLink& link : links) link.LoadOrder = 0;
    std::stable_sort(links.begin(), links.end(), [](const PMAcadAppLink& a, const PMAcadAppLink& b) {
      return a.StdLoadOrder < b.StdLoadOrder;
    });
  }
  for (PMAcadAppLink& link : links) link.MenuLoaded = 0;
}

void NumberLinks(PMAcadProfile& profile) {
  DWORD next = 1;
  for (PMAcadAppLink& link : profile.Links) {
    if (link.LoadOrder == 0) link.LoadOrder = next;
    next = link.LoadOrder + 1;
  }
}

int MoveLinkUp(PMAcadProfile& profile, int index) {
  NumberLinks(profile);
  if (index <= 0 || index >= static_cast<int>(profile.Links.size())) return index;
  ExchangeLinks(profile.Links, index, index - 1);
  return index - 1;
}

int MoveLinkDown(PMAcadProfile& profile, int index) {
  NumberLinks(profile);
  if (index < 0 || index + 1 >= static_cast<int>(profile.Links.size())) return index;
  ExchangeLinks(profile.Links, index, index + 1);
  return index + 1;
}

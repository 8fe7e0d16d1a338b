#include "regdll/profile_links.h"

#include <algorithm>
#include <string>
#include <vector>

#include "regdll/names.h"
#include "regdll/registry.h"
#include "regdll/registry_transaction.h"

namespace qvreg {

namespace {

// The profile's key, when the id and the profile name are sound and the profile exists.
bool FindProfile(const char* acadId, const char* profile, std::string& profileKey) {
  AcadId id;
  if (!id.Parse(acadId) || !IsValidKeyName(profile)) return false;
  profileKey = id.ProfileKey(profile);
  return KeyExists(HKEY_CURRENT_USER, profileKey, 0);
}

struct LinkOrder {
  std::string name;
  DWORD loadOrder;
};

// The LoadOrder of every link but the one named except (0 where it is missing or malformed).
std::vector<LinkOrder> OtherLinks(const std::string& linksKey, const std::string& except) {
  std::vector<LinkOrder> links;
  fw::RegKey parent;
  if (OpenKey(HKEY_CURRENT_USER, linksKey, KEY_READ, parent) != ERROR_SUCCESS) return links;
  for (const std::string& name : SubkeyNames(parent.get())) {
    if (EqualNoCase(name, except)) continue;
    LinkOrder link{name, 0};
    fw::RegKey key;
    if (OpenKey(parent.get(), name, KEY_READ, key) == ERROR_SUCCESS)
      ReadDword(key.get(), "LoadOrder", link.loadOrder);
    links.push_back(link);
  }
  return links;
}

// When the next number would not fit, the ordered links are numbered 1, 2, ... again in the same
// order (equal numbers stay equal, 0 stays "no order"); returns the largest number afterwards.
bool Renumber(RegistryTransaction& txn, const std::string& linksKey, std::vector<LinkOrder>& links,
              DWORD& largest) {
  std::vector<DWORD> used;
  for (const LinkOrder& link : links)
    if (link.loadOrder != 0) used.push_back(link.loadOrder);
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  for (LinkOrder& link : links) {
    if (link.loadOrder == 0) continue;
    const DWORD rank =
        static_cast<DWORD>(std::lower_bound(used.begin(), used.end(), link.loadOrder) - used.begin()) + 1;
    if (!txn.SetDword(HKEY_CURRENT_USER, linksKey + "\\" + link.name, 0, "LoadOrder", rank)) return false;
    link.loadOrder = rank;
  }
  largest = static_cast<DWORD>(used.size());
  return true;
}

}  // namespace

bool RegisterProfileLink(const char* acadId, const char* profile, const char* application, int reserved) {
  std::string profileKey;
  if (reserved != 0 || !FindProfile(acadId, profile, profileKey) || !IsValidKeyName(application))
    return false;
  const std::string linksKey = ProfileLinksKey(profileKey);
  const std::string linkKey = linksKey + "\\" + application;

  RegistryTransaction txn;
  if (!txn.CreateKey(HKEY_CURRENT_USER, linkKey, 0)) return false;

  // Loading after every other link is what makes the order of the calls the order read back.
  std::vector<LinkOrder> others = OtherLinks(linksKey, application);
  DWORD largest = 0;
  for (const LinkOrder& link : others) largest = std::max(largest, link.loadOrder);
  if (largest == 0xFFFFFFFF && !Renumber(txn, linksKey, others, largest)) return false;
  if (!txn.SetDword(HKEY_CURRENT_USER, linkKey, 0, "LoadOrder", largest + 1)) return false;

  fw::RegKey link;
  if (OpenKey(HKEY_CURRENT_USER, linkKey, KEY_READ, link) != ERROR_SUCCESS) return false;
  DWORD menuLoaded = 0;
  if (!ReadDword(link.get(), "MenuLoaded", menuLoaded) &&
      !txn.SetDword(HKEY_CURRENT_USER, linkKey, 0, "MenuLoaded", 0))
    return false;
  txn.Commit();
  return true;
}

bool UnregisterProfileLink(const char* acadId, const char* profile, const char* application) {
  std::string profileKey;
  if (!FindProfile(acadId, profile, profileKey) || !IsValidKeyName(application)) return false;
  return DeleteTree(HKEY_CURRENT_USER, ProfileLinksKey(profileKey) + "\\" + application, 0) == ERROR_SUCCESS;
}

bool UnregisterProfileLinks(const char* acadId, const char* profile) {
  std::string profileKey;
  if (!FindProfile(acadId, profile, profileKey)) return false;
  fw::RegKey links;
  const LONG result = OpenKey(HKEY_CURRENT_USER, ProfileLinksKey(profileKey), KEY_READ, links);
  if (result == ERROR_FILE_NOT_FOUND) return true;  // a profile without links has nothing to remove
  if (result != ERROR_SUCCESS) return false;
  bool removedAll = true;
  for (const std::string& name : SubkeyNames(links.get()))
    removedAll = DeleteTree(links.get(), name, 0) == ERROR_SUCCESS && removedAll;
  return removedAll && SubkeyNames(links.get()).empty();
}

}  // namespace qvreg

#include "engine/model.h"

#include "engine/profile_rules.h"
#include "engine/same_name.h"

const char kAutodeskPrefix[] = "Software\\Autodesk\\";

std::string AcadIdFromKey(const std::string& key) {
  std::string id = key;
  const std::string prefix = kAutodeskPrefix;
  for (size_t at = id.find(prefix); at != std::string::npos; at = id.find(prefix, at)) id.erase(at, prefix.size());
  return id;
}

std::string KeyFromAcadId(const std::string& acadId) { return kAutodeskPrefix + acadId; }

PMAcad* FindProductByKey(ConfigurationModel& model, const std::string& key) {
  for (PMAcad& product : model)
    if (SameNameIgnoringCase(product.Key, key)) return &product;
  return nullptr;
}

PMAcadProfile* FindProfileByName(PMAcad& product, const std::string& name) {
  for (PMAcadProfile& profile : product.Profiles)
    if (SameProfileName(profile.Name, name)) return &profile;
  return nullptr;
}

#include "engine/model.h"

#include <mbstring.h>

const char kAutodeskPrefix[] = "Software\\Autodesk\\";

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                  reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
}

}  // namespace

std::string AcadIdFromKey(const std::string& key) {
  std::string id = key;
  const std::string prefix = kAutodeskPrefix;
  for (size_t at = id.find(prefix); at != std::string::npos; at = id.find(prefix, at)) id.erase(at, prefix.size());
  return id;
}

std::string KeyFromAcadId(const std::string& acadId) { return kAutodeskPrefix + acadId; }

PMAcad* FindProductByKey(ConfigurationModel& model, const std::string& key) {
  for (PMAcad& product : model)
    if (EqualIgnoringCase(product.Key, key)) return &product;
  return nullptr;
}

PMAcadProfile* FindProfileByName(PMAcad& product, const std::string& name) {
  for (PMAcadProfile& profile : product.Profiles)
    if (EqualIgnoringCase(profile.Name, name)) return &profile;
  return nullptr;
}

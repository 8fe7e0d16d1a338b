// Placeholders until the registry readers land.
#include "engine/applications.h"
#include "engine/discovery.h"
#include "engine/profiles.h"

int FindAcadProducts(std::vector<PMAcad>& products) {
  products.clear();
  return 0;
}
int ReadReleaseProducts(const ProductScanRow&, const std::string&, std::vector<PMAcad>& products) {
  products.clear();
  return 0;
}
int ReadProfiles(const std::string&, StringList& names, StringList& descriptions, std::string&) {
  names.clear();
  descriptions.clear();
  return 0;
}
int ReadApplications(const std::string&, DWORD, std::vector<PMApplication>& applications) {
  applications.clear();
  return 0;
}
int ReadProfileLinks(const std::string&, const std::string&, std::vector<PMAcadAppLink>& links) {
  links.clear();
  return 0;
}
void SetupProducts(const std::vector<PMAcad>&) {}

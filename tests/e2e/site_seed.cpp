#include "site_seed.h"

#include <algorithm>

#include "tests/support/private_registry.h"

SiteInstallation::SiteInstallation() : word_(UniqueName("Site")) {
  AddProduct("AutoCAD", "ACAD-1001:409", "AutoCAD 2010 " + word_, 0);
  AddProduct("AutoCAD", "ACAD-1002:409", "AutoCAD 2012 " + word_, KEY_WOW64_64KEY);
  AddProduct("AutoCAD LT", "ACADLT-1003:409", "AutoCAD LT 2009 " + word_, 0);
  AddProduct("AutoCAD", "ACAD-1004:409", "Other 1999 " + word_, 0);
}

void SiteInstallation::AddProduct(const std::string& base, const std::string& code, const std::string& name,
                                  REGSAM view) {
  const std::string release = base + "\\" + word_ + "." + std::to_string(products_.size());
  const std::string key = "Software\\Autodesk\\" + release + "\\" + code;
  seed_.Own(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\" + release, view);
  seed_.Own(HKEY_CURRENT_USER, "Software\\Autodesk\\" + release);
  seed_.SetString(HKEY_LOCAL_MACHINE, key, "ProductName", name, view);
  seed_.SetString(HKEY_LOCAL_MACHINE, key, "Location", "C:\\AutoCAD", view);
  const std::string apps = key + "\\Applications\\Tarnwick\\Applications\\";
  for (const char* app : {"Alpha", "Beta", "Gamma"}) seed_.SetString(HKEY_LOCAL_MACHINE, apps + app, "Loader", app, view);
  const std::string profiles = key + "\\Profiles";
  seed_.SetString(HKEY_CURRENT_USER, profiles, "", "Standard");
  seed_.SetString(HKEY_CURRENT_USER, profiles + "\\Standard", "", "As installed");
  seed_.SetString(HKEY_CURRENT_USER, profiles + "\\Standard\\General", "Color", "white");
  seed_.SetDword(HKEY_CURRENT_USER, profiles + "\\Standard\\Tarnwick\\Applications\\Gamma", "LoadOrder", 1);
  seed_.SetString(HKEY_CURRENT_USER, profiles + "\\Old " + word_, "", "to go");
  products_.push_back(SeededProduct{name, key, view});
}

std::string SiteInstallation::Dump() const {
  std::string text;
  for (size_t i = 0; i < products_.size(); ++i) text += inspect::DumpTree(HKEY_CURRENT_USER, Profiles(i));
  return text;
}

std::vector<std::string> SiteInstallation::Links(size_t product, const std::string& profile) const {
  const std::string links = Profiles(product) + "\\" + profile + "\\Tarnwick\\Applications";
  std::vector<std::pair<DWORD, std::string>> ordered;
  for (const std::string& name : SubkeyNames(HKEY_CURRENT_USER, links)) {
    DWORD order = 0;
    ReadDword(HKEY_CURRENT_USER, links + "\\" + name, "LoadOrder", &order);
    ordered.emplace_back(order, name);
  }
  std::stable_sort(ordered.begin(), ordered.end());
  std::vector<std::string> names;
  for (const auto& link : ordered) names.push_back(link.second);
  return names;
}

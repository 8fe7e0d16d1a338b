// An installation for site-standard tests: AutoCAD products in the 32-bit and 64-bit
// registry views and an AutoCAD LT, each with the applications Alpha, Beta and Gamma and a
// few profiles, all named with one unique word so that nothing else in the prefix matches.
#pragma once

#include <string>
#include <vector>

#include "registry_seed.h"

struct SeededProduct {
  std::string Name;  // ProductName
  std::string Key;   // below HKEY_CURRENT_USER (and HKEY_LOCAL_MACHINE in View)
  REGSAM View;
};

class SiteInstallation {
 public:
  SiteInstallation();
  const std::string& Word() const { return word_; }
  // AutoCAD 2010 (32-bit view), AutoCAD 2012 (64-bit view), AutoCAD LT 2009, Other 1999.
  const std::vector<SeededProduct>& Products() const { return products_; }
  std::string Profiles(size_t product) const { return products_[product].Key + "\\Profiles"; }
  // Every key and value of every product's profiles, one line each.
  std::string Dump() const;
  // The linked applications of a profile in load order.
  std::vector<std::string> Links(size_t product, const std::string& profile) const;

  RegistrySeed& Seed() { return seed_; }

 private:
  void AddProduct(const std::string& base, const std::string& code, const std::string& name, REGSAM view);

  RegistrySeed seed_;
  std::string word_;
  std::vector<SeededProduct> products_;
};

// AutoCAD products that a whole-program test seeds in the prefix's registry, below releases named
// with one unique word so that nothing else in the prefix matches; removed when the object goes.
#pragma once

#include <string>
#include <vector>

#include "tests/support/private_registry.h"

class Installation : public seed::OwnedKeys {
 public:
  Installation() : word_(seed::UniqueName("W")) {}
  const std::string& Word() const { return word_; }

  // Seeds Software\Autodesk\<base>\<word>.<n>\<code> with its ProductName and Location and returns
  // that key (the same path below HKEY_CURRENT_USER holds its profiles).
  std::string AddProduct(const std::string& base, const std::string& code, const std::string& name,
                         const std::string& location = "C:\\nowhere", REGSAM view = 0);
  // Registers an application of the product with one value below its key.
  static void Register(const std::string& key, const std::string& application,
                       const std::string& name = "Loader", const std::string& value = "a.arx",
                       REGSAM view = 0);
  // Links an application into a profile (which is created when missing).
  static void Link(const std::string& key, const std::string& profile, const std::string& application,
                   DWORD order);

 private:
  std::string word_;
  int products_ = 0;
};

// The product's id as -a takes it.
inline std::string IdOf(const std::string& key) { return key.substr(sizeof "Software\\Autodesk\\" - 1); }

// For site standards: AutoCAD 2010 (32-bit view), AutoCAD 2012 (64-bit view), AutoCAD LT 2009 and
// Other 1999, each with the applications Alpha, Beta and Gamma, the current profile Standard (Gamma
// linked) and a profile "Old <word>". Returns the keys of their Profiles.
std::vector<std::string> SeedSiteProducts(Installation& installation);

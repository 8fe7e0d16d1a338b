#include "installation.h"

std::string Installation::AddProduct(const std::string& base, const std::string& code,
                                     const std::string& name, const std::string& location, REGSAM view) {
  const std::string release =
      "Software\\Autodesk\\" + base + "\\" + word_ + "." + std::to_string(++products_);
  Own(HKEY_LOCAL_MACHINE, release, view);
  Own(HKEY_CURRENT_USER, release);
  const std::string key = release + "\\" + code;
  seed::SetString(HKEY_LOCAL_MACHINE, key, "ProductName", name, view);
  seed::SetString(HKEY_LOCAL_MACHINE, key, "Location", location, view);
  return key;
}

void Installation::Register(const std::string& key, const std::string& application, const std::string& name,
                            const std::string& value, REGSAM view) {
  seed::SetString(HKEY_LOCAL_MACHINE, key + "\\Applications\\Tarnwick\\Applications\\" + application, name,
                  value, view);
}

void Installation::Link(const std::string& key, const std::string& profile, const std::string& application,
                        DWORD order) {
  seed::SetDword(HKEY_CURRENT_USER,
                 key + "\\Profiles\\" + profile + "\\Tarnwick\\Applications\\" + application, "LoadOrder",
                 order);
}

std::vector<std::string> SeedSiteProducts(Installation& installation) {
  const std::string& word = installation.Word();
  const struct {
    const char *base, *code, *name;
    REGSAM view;
  } products[] = {
      {"AutoCAD", "ACAD-1001:409", "AutoCAD 2010 ", 0},
      {"AutoCAD", "ACAD-1002:409", "AutoCAD 2012 ", KEY_WOW64_64KEY},
      {"AutoCAD LT", "ACADLT-1003:409", "AutoCAD LT 2009 ", 0},
      {"AutoCAD", "ACAD-1004:409", "Other 1999 ", 0},
  };
  std::vector<std::string> profiles;
  for (const auto& product : products) {
    const std::string key =
        installation.AddProduct(product.base, product.code, product.name + word, "C:\\AutoCAD", product.view);
    for (const char* application : {"Alpha", "Beta", "Gamma"})
      Installation::Register(key, application, "Loader", application, product.view);
    profiles.push_back(key + "\\Profiles");
    seed::SetString(HKEY_CURRENT_USER, profiles.back(), "", "Standard");
    seed::SetString(HKEY_CURRENT_USER, profiles.back() + "\\Standard", "", "As installed");
    seed::SetString(HKEY_CURRENT_USER, profiles.back() + "\\Standard\\General", "Color", "white");
    Installation::Link(key, "Standard", "Gamma", 1);
    seed::SetString(HKEY_CURRENT_USER, profiles.back() + "\\Old " + word, "", "to go");
  }
  return profiles;
}

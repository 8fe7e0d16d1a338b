// What the engine tests share: the registry sandbox (the shared private trees with both views
// falling together), the product key most of them use, model records by name, and lists and
// profiles as text.
#pragma once

#include <string>

#include "engine/model.h"
#include "tests/support/private_registry.h"

class RegistrySandbox : public PrivateRegistry {
 public:
  RegistrySandbox() : PrivateRegistry("engine", kViewsTogether) {}
};

const char kKey[] = "Software\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409";

// "a;b;" for {"a", "b"}.
inline std::string Joined(const StringList& list) {
  std::string text;
  for (const std::string& item : list) text += item + ";";
  return text;
}

inline PMAcadProfile NamedProfile(const std::string& name, LONG state = ProfileStored,
                                  const std::string& newName = "") {
  PMAcadProfile profile;
  profile.Name = name;
  profile.State = state;
  profile.NewName = newName;
  return profile;
}

inline PMApplication NamedApplication(const std::string& name) {
  PMApplication application;
  application.Name = name;
  return application;
}

// A product with these applications and no profiles.
inline PMAcad ProductWith(const StringList& applications) {
  PMAcad product;
  for (const std::string& name : applications) product.Applications.push_back(NamedApplication(name));
  return product;
}

// "Default/0 Home/2 Work>Office/0": name, pending new name and state of each profile.
inline std::string Shown(const PMAcad& product) {
  std::string text;
  for (const PMAcadProfile& profile : product.Profiles)
    text += (text.empty() ? "" : " ") + profile.Name +
            (profile.NewName.empty() ? "" : ">" + profile.NewName) + "/" + std::to_string(profile.State);
  return text;
}

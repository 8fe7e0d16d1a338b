// What the engine tests share: the registry sandbox (the shared private trees with both views
// falling together), the product key most of them use, and lists as text.
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

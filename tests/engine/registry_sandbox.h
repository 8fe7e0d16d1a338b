// The engine suite's registry: the shared private trees with both views falling together.
#pragma once

#include "tests/support/private_registry.h"

class RegistrySandbox : public PrivateRegistry {
 public:
  RegistrySandbox() : PrivateRegistry("engine", kViewsTogether) {}
};

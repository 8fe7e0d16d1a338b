// The recording registration library (fake_regdll) loaded from its private folder.
#pragma once

#include <string>

#include "engine/regdll_bridge.h"

class FakeRegistrationLibrary {
 public:
  FakeRegistrationLibrary();
  const RegistrationLibrary& Library() const { return library_; }
  // Every call since the last Reset, one line each: "Export|argument|argument...".
  std::string Log() const;
  void Reset() const;

 private:
  RegistrationLibrary library_;
};

// A library that could not be loaded: every call does nothing.
const RegistrationLibrary& MissingRegistrationLibrary();

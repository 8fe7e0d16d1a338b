// Interfaces shared by the test program and its peer module.
#pragma once

#include "base/unknown.h"

struct ITestWidget : IQVUnknown {
  virtual int GetValue() = 0;
};

// The peer module's descriptors: 0 IQVUnknown, 1 ITestWidget, 2 IRegisterIface (which a widget lacks).
typedef const std::type_info* (*PeerTypeFn)(int which);

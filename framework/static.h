// Static text controls.
#pragma once

#include "framework/window.h"

namespace fw {

// Text is set and read through the WindowRef base.
class Static : public WindowRef {
 public:
  using WindowRef::WindowRef;
};

}  // namespace fw

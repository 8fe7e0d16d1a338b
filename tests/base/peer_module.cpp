// A module of its own: its type descriptors are not the test program's objects.
#include <windows.h>

#include "tests/base/test_interfaces.h"

extern "C" __declspec(dllexport) const std::type_info* PeerType(int which) {
  switch (which) {
    case 0:
      return &typeid(IQVUnknown);
    case 1:
      return &typeid(ITestWidget);
    default:
      return &typeid(IRegisterIface);
  }
}

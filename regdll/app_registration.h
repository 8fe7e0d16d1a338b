// Writing application registrations below a product's application root in HKEY_LOCAL_MACHINE.
#pragma once

#include <vector>

#include "regdll/names.h"
#include "regdll/products_ini.h"
#include "regdll/registry.h"

namespace qvreg {

// The mode argument: which views of the product a registration goes to.
enum RegistrationMode {
  kEveryView = 2,  // each view in which the product key exists
  k32BitView = 3,  // the 32-bit view only
  k64BitView = 4,  // the 64-bit view only (under WOW64)
};
bool IsValidMode(int mode);

// The views of mode in which Software\Autodesk\<id> exists; empty when there is none.
std::vector<RegistryView> TargetViews(const AcadId& id, int mode);

// Writes every application into every view in one go: all of it, or (on failure) nothing.
bool RegisterApplications(const AcadId& id, const std::vector<RegistryView>& views,
                          const std::vector<AppRegistration>& applications);

}  // namespace qvreg

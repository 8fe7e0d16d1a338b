#include "regdll/cleanup.h"

#include <functional>
#include <string>

#include "regdll/names.h"
#include "regdll/registry.h"

namespace qvreg {

namespace {

const char* const kProductBases[] = {"Software\\Autodesk\\AutoCAD", "Software\\Autodesk\\AutoCAD LT"};

// What a sweep removed and whether anything stood in its way.
struct Sweep {
  int removed = 0;
  bool failed = false;

  // A deletion of something that may not be there.
  void Note(LONG result) {
    if (result == ERROR_SUCCESS)
      ++removed;
    else if (result != ERROR_FILE_NOT_FOUND)
      failed = true;
  }
  bool Succeeded() const { return removed > 0 && !failed; }
};

// Calls visit with the path of every product key base\release\product below root in view.
void ForEachProduct(HKEY root, RegistryView view, const std::function<void(const std::string&)>& visit) {
  for (const char* base : kProductBases) {
    fw::RegKey baseKey;
    if (OpenKey(root, base, KEY_READ | view, baseKey) != ERROR_SUCCESS) continue;
    for (const std::string& release : SubkeyNames(baseKey.get())) {
      fw::RegKey releaseKey;
      if (OpenKey(baseKey.get(), release, KEY_READ | view, releaseKey) != ERROR_SUCCESS) continue;
      for (const std::string& product : SubkeyNames(releaseKey.get()))
        visit(std::string(base) + "\\" + release + "\\" + product);
    }
  }
}

// Every profile name of a product below HKEY_CURRENT_USER.
std::vector<std::string> ProfileNames(const std::string& productKey) {
  fw::RegKey profiles;
  if (OpenKey(HKEY_CURRENT_USER, productKey + "\\Profiles", KEY_READ, profiles) != ERROR_SUCCESS) return {};
  return SubkeyNames(profiles.get());
}

}  // namespace

bool DeleteProfileEverywhere(const char* profile) {
  if (!IsValidKeyName(profile)) return false;
  const std::string name = profile;
  Sweep sweep;
  ForEachProduct(HKEY_CURRENT_USER, 0, [&](const std::string& productKey) {
    const std::string profilesKey = productKey + "\\Profiles";
    fw::RegKey profiles;
    if (OpenKey(HKEY_CURRENT_USER, profilesKey, KEY_READ, profiles) != ERROR_SUCCESS) return;
    // "Tarnwikc" holds the profile that becomes current again when a run from this program ends.
    std::string current;
    std::string parked;
    if (ReadString(profiles.get(), "", current) && EqualNoCase(current, name)) return;
    if (ReadString(profiles.get(), "Tarnwikc", parked) && EqualNoCase(parked, name)) return;
    for (const std::string& existing : SubkeyNames(profiles.get()))
      if (EqualNoCase(existing, name))
        sweep.Note(DeleteTree(HKEY_CURRENT_USER, profilesKey + "\\" + existing, 0));
  });
  return sweep.Succeeded();
}

bool UnregisterApplicationEverywhere(const char* application) {
  if (!IsValidKeyName(application)) return false;
  const std::string name = application;
  Sweep sweep;
  for (RegistryView view : MachineViews()) {
    ForEachProduct(HKEY_LOCAL_MACHINE, view, [&](const std::string& productKey) {
      const std::string root = ApplicationRoot(productKey);
      sweep.Note(DeleteTree(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + name, view));
      fw::RegKey order;
      if (OpenKey(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", KEY_SET_VALUE | view, order) == ERROR_SUCCESS)
        sweep.Note(::RegDeleteValueA(order.get(), name.c_str()));
    });
  }
  ForEachProduct(HKEY_CURRENT_USER, 0, [&](const std::string& productKey) {
    for (const std::string& profile : ProfileNames(productKey))
      sweep.Note(DeleteTree(HKEY_CURRENT_USER,
                            ProfileLinksKey(productKey + "\\Profiles\\" + profile) + "\\" + name, 0));
  });
  return sweep.Succeeded();
}

}  // namespace qvreg

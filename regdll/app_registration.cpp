#include "regdll/app_registration.h"

#include "regdll/registry_transaction.h"

namespace qvreg {

namespace {

bool IsWritten(const AppRegistration& app, const std::string& valueName) {
  for (const auto& text : app.texts)
    if (EqualNoCase(text.first, valueName)) return true;
  return app.unloadable && EqualNoCase(valueName, "Unloadable");
}

// {root}\Applications\{name} holds exactly the values of app afterwards (its subkeys are left alone);
// {root}\StdLoadOrder holds the application's standard order, or no value for it.
bool WriteApplication(RegistryTransaction& txn, const std::string& root, RegistryView view,
                      const AppRegistration& app) {
  const std::string appKey = root + "\\Applications\\" + app.name;
  if (!txn.CreateKey(HKEY_LOCAL_MACHINE, appKey, view)) return false;

  fw::RegKey key;
  if (OpenKey(HKEY_LOCAL_MACHINE, appKey, KEY_READ | view, key) != ERROR_SUCCESS) return false;
  for (const std::string& stale : ValueNames(key.get()))
    if (!IsWritten(app, stale) && !txn.DeleteValue(HKEY_LOCAL_MACHINE, appKey, view, stale)) return false;

  for (const auto& text : app.texts)
    if (!txn.SetString(HKEY_LOCAL_MACHINE, appKey, view, text.first, text.second)) return false;
  if (app.unloadable && !txn.SetDword(HKEY_LOCAL_MACHINE, appKey, view, "Unloadable", *app.unloadable))
    return false;

  const std::string orderKey = root + "\\StdLoadOrder";
  if (app.stdLoadOrder)
    return txn.CreateKey(HKEY_LOCAL_MACHINE, orderKey, view) &&
           txn.SetDword(HKEY_LOCAL_MACHINE, orderKey, view, app.name, *app.stdLoadOrder);
  return !KeyExists(HKEY_LOCAL_MACHINE, orderKey, view) ||
         txn.DeleteValue(HKEY_LOCAL_MACHINE, orderKey, view, app.name);
}

}  // namespace

bool IsValidMode(int mode) { return mode == kEveryView || mode == k32BitView || mode == k64BitView; }

std::vector<RegistryView> TargetViews(const AcadId& id, int mode) {
  std::vector<RegistryView> views;
  for (RegistryView view : MachineViews()) {
    if ((mode == k32BitView && view != 0) || (mode == k64BitView && view != KEY_WOW64_64KEY)) continue;
    if (KeyExists(HKEY_LOCAL_MACHINE, id.ProductKey(), view)) views.push_back(view);
  }
  return views;
}

bool RegisterApplications(const AcadId& id, const std::vector<RegistryView>& views,
                          const std::vector<AppRegistration>& applications) {
  if (views.empty() || applications.empty()) return false;
  const std::string root = ApplicationRoot(id.ProductKey());
  RegistryTransaction txn;
  for (RegistryView view : views)
    for (const AppRegistration& app : applications)
      if (!WriteApplication(txn, root, view, app)) return false;
  txn.Commit();
  return true;
}

}  // namespace qvreg

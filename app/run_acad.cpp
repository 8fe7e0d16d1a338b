#include "app/run_acad.h"

#include "base/handles.h"
#include "engine/applications.h"
#include "engine/menus.h"
#include "engine/profile_rules.h"
#include "engine/profiles.h"
#include "engine/regdll_bridge.h"
#include "engine/run_profile.h"

namespace {

const size_t kMaxPassThroughBytes = 1038;

// Creates the requested profile as a copy of the current one (or of the first other
// profile) with only the requested applications linked. Null when it cannot.
PMAcadProfile* CreateProfile(PMAcad& product, const PMRunRequest& request) {
  std::string source = product.CurrentProfile;
  // An empty current profile names no profile (its path would be the Profiles key itself).
  if (!ProfileExists(product.Key, source)) {
    source.clear();
    for (const PMAcadProfile& profile : product.Profiles)
      if (!SameProfileName(profile.Name, request.ProfileName)) {
        source = profile.Name;
        break;
      }
    product.CurrentProfile = source;
  }
  if (!CopyProfile(product.Key, source, request.ProfileName)) return nullptr;

  const std::string id = AcadIdFromKey(product.Key);
  const RegistrationLibrary& library = RegistrationLibrary::Instance();
  library.UnregAppsInProfile(id.c_str(), request.ProfileName.c_str());
  for (const std::string& application : request.Applications)
    library.RegisterAppInProfileEx(id.c_str(), request.ProfileName.c_str(), application.c_str(), 0);

  PMAcadProfile profile;
  profile.Name = request.ProfileName;
  std::vector<PMAcadAppLink> stored;
  ReadProfileLinks(product.Key, request.ProfileName, stored);
  for (size_t i = 0; i < product.Applications.size(); ++i)
    for (const PMAcadAppLink& link : stored)
      if (link.Name == product.Applications[i].Name) {
        profile.Links.push_back(link);
        profile.Links.back().Application = static_cast<int>(i);
        profile.Links.back().StdLoadOrder = product.Applications[i].StdLoadOrder;
      }
  product.Profiles.push_back(profile);
  return &product.Profiles.back();
}

bool StartAndWait(const PMAcad& product, const PMRunRequest& request) {
  std::string commandLine = "\"" + product.ExePath + "\"";
  commandLine += request.AcadCommandLine.substr(0, kMaxPassThroughBytes);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &process))
    return false;
  fw::Handle processHandle(process.hProcess);
  fw::Handle thread(process.hThread);
  ::ResumeThread(thread.get());
  ::WaitForSingleObject(thread.get(), INFINITE);
  return true;
}

}  // namespace

int RunAcadWithProfile(ConfigurationModel& model, const PMRunRequest& request) {
  PMAcad* product = FindProductByKey(model, request.AcadId);
  if (!product) return RunNoProduct;
  if (product->Profiles.empty()) return RunNoProfiles;

  PMAcadProfile* profile = FindProfileByName(*product, request.ProfileName);
  if (!profile) {
    if (!request.CreateProfile) return RunNoProfile;
    profile = CreateProfile(*product, request);
    if (!profile) return RunNoProfile;
  }

  std::string parked;
  if (!ParkCurrentProfile(product->Key, request.ProfileName, parked)) return RunRegistryFailed;
  if (product->Key.find("ACLT") != std::string::npos || product->Key.find("ACADLT") != std::string::npos)
    LoadAppMenus(product->Applications, profile->Links, ProfileKeyPath(product->Key, request.ProfileName));
  int outcome = RunStarted;
  if (!MarkProfileStarted(product->Key, profile->Name, request.PipeName))
    outcome = RunRegistryFailed;
  else if (!StartAndWait(*product, request))
    outcome = RunCannotStart;
  // A run that failed puts the profile that was current back, as one whose AutoCAD ended does.
  if (!RestoreParkedProfile(product->Key, parked) && outcome == RunStarted) outcome = RunRegistryFailed;
  return outcome;
}

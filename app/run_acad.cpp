#include "app/run_acad.h"

#include "base/handles.h"
#include "engine/applications.h"
#include "engine/menus.h"
#include "engine/profiles.h"
#include "engine/regdll_bridge.h"
#include "engine/registry_io.h"

namespace {

const size_t kMaxPassThroughBytes = 1038;
const size_t kValueBytes = MAX_PATH;  // profile names as the registry layout allows

std::string ProfilesKey(const PMAcad& product) { return product.Key + "\\Profiles"; }

// The value name of a profile list's current profile (the default value).
const char kCurrentProfileValue[] = "";

// Creates the requested profile as a copy of the current one (or of the first other
// profile) with only the requested applications linked. Null when it cannot.
PMAcadProfile* CreateProfile(PMAcad& product, const PMRunRequest& request) {
  std::string source = product.CurrentProfile;
  // An empty current profile names no profile (its path would be the Profiles key itself).
  if (!ProfileExists(product.Key, source)) {
    source.clear();
    for (const PMAcadProfile& profile : product.Profiles)
      if (profile.Name != request.ProfileName) {
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

bool MarkProfile(const PMAcad& product, const PMAcadProfile& profile, const PMRunRequest& request) {
  fw::RegKey key = reg::CreateKey(HKEY_CURRENT_USER, ProfilesKey(product) + "\\" + profile.Name + "\\Tarnwick",
                                  KEY_ALL_ACCESS);
  if (!key) return false;
  DWORD one = 1;
  if (::RegSetValueExA(key.get(), "RunPM", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one) !=
      ERROR_SUCCESS)
    return false;
  return request.PipeName.empty() || reg::WriteString(key.get(), "PipeName", request.PipeName) == ERROR_SUCCESS;
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
  {
    fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKey(*product), KEY_ALL_ACCESS);
    if (!profiles) return RunRegistryFailed;
    reg::ReadString(profiles.get(), kCurrentProfileValue, kValueBytes, parked);
    reg::WriteString(profiles.get(), kParkedProfileValue, parked);
    reg::WriteString(profiles.get(), kCurrentProfileValue, request.ProfileName);
  }

  if (product->Key.find("ACLT") != std::string::npos || product->Key.find("ACADLT") != std::string::npos)
    LoadAppMenus(product->Applications, profile->Links, ProfilesKey(*product) + "\\" + request.ProfileName);

  if (!MarkProfile(*product, *profile, request)) return RunRegistryFailed;
  if (!StartAndWait(*product, request)) return RunCannotStart;

  fw::RegKey profiles = reg::OpenKey(HKEY_CURRENT_USER, ProfilesKey(*product), KEY_ALL_ACCESS);
  if (!profiles) return RunRegistryFailed;
  // Another run of the same product may have restored and removed the parked value
  // already: then the value read before the start goes back.
  std::string previous = parked;
  reg::ReadString(profiles.get(), kParkedProfileValue, kValueBytes, previous);
  // A parked profile deleted while AutoCAD ran would leave the current profile naming nothing:
  // the one the run made current then stays. An empty one was current before and comes back.
  if (previous.empty() || ProfileExists(product->Key, previous))
    reg::WriteString(profiles.get(), kCurrentProfileValue, previous);
  ::RegDeleteValueA(profiles.get(), kParkedProfileValue);
  return RunStarted;
}

#include "engine/applications.h"

#include <algorithm>
#include <cstdio>

#include "engine/profiles.h"
#include "engine/registry_io.h"

namespace {

const size_t kNameBytes = 260;
const size_t kValueBytes = 260;
const int kMaxNumberedLoaders = 65535;

// Application values are taken whatever type they are stored with.
bool ReadText(HKEY key, const char* name, std::string& out) {
  return reg::ReadString(key, name, kValueBytes, out, reg::TypeRule::AnyType);
}

void ReadTextInto(HKEY key, const char* name, StringList& list) {
  std::string text;
  if (ReadText(key, name, text)) list.push_back(text);
}

// "Loader", then "Loader0", "Loader1", ... up to the first missing one.
void ReadLoaders(HKEY key, StringList& loaders) {
  ReadTextInto(key, "Loader", loaders);
  std::string text;
  char name[32];
  for (int i = 0; i < kMaxNumberedLoaders; ++i) {
    std::snprintf(name, sizeof name, "Loader%d", i);
    if (!ReadText(key, name, text)) break;
    loaders.push_back(text);
  }
}

PMApplication ReadApplication(HKEY key, const std::string& name) {
  PMApplication application;
  application.Name = name;
  ReadLoaders(key, application.Loaders);
  ReadTextInto(key, "CommandGroups", application.CommandGroups);
  ReadTextInto(key, "Modules", application.Modules);
  ReadTextInto(key, "MenuGroup", application.MenuGroups);
  ReadTextInto(key, "MenuFile", application.MenuFiles);
  ReadText(key, "Template", application.Template);
  DWORD unloadable = 0;
  if (reg::ReadDword(key, "Unloadable", unloadable, reg::TypeRule::AnyType))
    application.Unloadable = static_cast<LONG>(unloadable);
  ReadText(key, "LargeIconName", application.LargeIconName);
  ReadText(key, "SmallIconName", application.SmallIconName);
  ReadText(key, "ShortcutIconName", application.ShortcutIconName);
  application.StdLoadOrder = kNoStdLoadOrder;
  return application;
}

void ReadStdLoadOrders(const std::string& root, DWORD registryView,
                       std::vector<PMApplication>& applications) {
  fw::RegKey orders = reg::OpenKey(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", KEY_READ | registryView);
  if (!orders) return;
  for (PMApplication& application : applications)
    reg::ReadDword(orders.get(), application.Name.c_str(), application.StdLoadOrder, reg::TypeRule::AnyType);
}

}  // namespace

std::string ApplicationRootPath(const std::string& key) {
  if (key.find("\\R15.0\\") != std::string::npos || key.find("\\R8\\") != std::string::npos)
    return key + "\\QVApps\\Tarnwick";
  return key + "\\Applications\\Tarnwick";
}

void SortApplicationsByStdLoadOrder(std::vector<PMApplication>& applications) {
  std::stable_sort(
      applications.begin(), applications.end(),
      [](const PMApplication& a, const PMApplication& b) { return a.StdLoadOrder < b.StdLoadOrder; });
}

int ReadApplications(const std::string& key, DWORD registryView, std::vector<PMApplication>& applications) {
  applications.clear();
  const std::string root = ApplicationRootPath(key);
  const std::string applicationsPath = root + "\\Applications";
  fw::RegKey list = reg::OpenKey(HKEY_LOCAL_MACHINE, applicationsPath, KEY_READ | registryView);
  if (!list) return 0;
  std::string name;
  for (DWORD i = 0; reg::EnumSubkey(list.get(), i, kNameBytes, name); ++i) {
    fw::RegKey application =
        reg::OpenKey(HKEY_LOCAL_MACHINE, applicationsPath + "\\" + name, KEY_READ | registryView);
    if (application) applications.push_back(ReadApplication(application.get(), name));
  }
  ReadStdLoadOrders(root, registryView, applications);
  SortApplicationsByStdLoadOrder(applications);
  return static_cast<int>(applications.size());
}

int ReadProfileLinks(const std::string& key, const std::string& profileName,
                     std::vector<PMAcadAppLink>& links) {
  links.clear();
  const std::string linksPath = ProfileKeyPath(key, profileName) + "\\Tarnwick\\Applications";
  fw::RegKey list = reg::OpenKey(HKEY_CURRENT_USER, linksPath, KEY_ALL_ACCESS);
  if (!list) return 0;
  std::string name;
  for (DWORD i = 0; reg::EnumSubkey(list.get(), i, kNameBytes, name); ++i) {
    PMAcadAppLink link;
    link.Name = name;
    link.State = LinkLinked;
    link.StdLoadOrder = 0;
    link.Application = -1;
    fw::RegKey stored = reg::OpenKey(HKEY_CURRENT_USER, linksPath + "\\" + name, KEY_ALL_ACCESS);
    if (stored) {
      reg::ReadDword(stored.get(), "LoadOrder", link.LoadOrder);
      reg::ReadDword(stored.get(), "MenuLoaded", link.MenuLoaded);
    }
    links.push_back(link);
  }
  return static_cast<int>(links.size());
}

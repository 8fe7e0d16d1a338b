// The in-memory picture of every installed AutoCAD product, its applications, its
// profiles and the links of each profile. Records are held by value in their parent.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

using StringList = std::vector<std::string>;

// A profile's pending change.
enum ProfileState : LONG {
  ProfileStored = 0,    // as in the registry
  ProfileCreate = 1,    // to be created on apply, as a copy of SourceName
  ProfileDelete = 2,    // to be deleted on apply
};

// A link's pending change; Linked and Enable count as enabled (ticked).
enum LinkState : LONG {
  LinkLinked = 0,       // stored in the profile
  LinkEnable = 1,       // to be registered on apply
  LinkNotLinked = 2,    // not linked (unregistered on apply)
};

constexpr DWORD kNoStdLoadOrder = 0xFFFFFFFF;

struct PMApplication {
  std::string Name;
  StringList Loaders;
  StringList CommandGroups;
  StringList Modules;
  StringList MenuGroups;
  StringList MenuFiles;
  std::string Template;
  DWORD StdLoadOrder = kNoStdLoadOrder;
  LONG Unloadable = 0;
  std::string LargeIconName;
  std::string SmallIconName;
  std::string ShortcutIconName;
};

struct PMAcadAppLink {
  std::string Name;
  DWORD StdLoadOrder = 0;
  DWORD LoadOrder = 0;
  DWORD MenuLoaded = 0;
  // Index into the owning PMAcad's Applications, or -1 for none. An index rather
  // than a pointer, so that copying a product keeps its links pointing into itself.
  int Application = -1;
  LONG State = LinkEnable;

  bool Enabled() const { return State == LinkLinked || State == LinkEnable; }
};

struct PMAcadProfile {
  std::string Name;
  std::string Description;
  std::string SourceName;
  std::string NewName;
  std::vector<PMAcadAppLink> Links;
  LONG State = ProfileStored;
  // The stored description could not be read (too long, not text) and shows empty; it is
  // written over only when the profile is given a description.
  bool DescriptionUnread = false;

  // The name shown and compared in the dialog.
  const std::string& ShownName() const { return NewName.empty() ? Name : NewName; }
};

struct PMAcad {
  std::string ProductName;
  std::string Key;          // below HKEY_LOCAL_MACHINE, e.g. Software\Autodesk\AutoCAD\R16.0\ACAD-201:409
  DWORD RegistryView = 0;   // 0 or KEY_WOW64_64KEY
  std::string ExePath;
  std::string CurrentProfile;
  std::vector<PMApplication> Applications;
  std::vector<PMAcadProfile> Profiles;

  const PMApplication* ApplicationOf(const PMAcadAppLink& link) const {
    return link.Application >= 0 && link.Application < static_cast<int>(Applications.size())
               ? &Applications[link.Application]
               : nullptr;
  }
};

struct PMAcadKey {
  std::string Key;
  DWORD RegistryView = 0;
};

using ConfigurationModel = std::vector<PMAcad>;

// "Software\Autodesk\" is the head of every product Key; the AcadId is the Key without it.
extern const char kAutodeskPrefix[];
std::string AcadIdFromKey(const std::string& key);
std::string KeyFromAcadId(const std::string& acadId);

// Lookups of the callers: products by Key and profiles by Name ignore case (multibyte).
PMAcad* FindProductByKey(ConfigurationModel& model, const std::string& key);
PMAcadProfile* FindProfileByName(PMAcad& product, const std::string& name);

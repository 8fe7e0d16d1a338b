#include "engine/profile_rules.h"

#include <mbstring.h>

#include <algorithm>

#include "engine/same_name.h"

namespace {

// A profile name becomes a key below "Profiles": a backslash would make a key inside another
// profile, and longer key names do not exist.
const size_t kMaxKeyNameBytes = 255;

bool IsKeyName(const std::string& name) {
  return name.size() <= kMaxKeyNameBytes && !_mbschr(reinterpret_cast<const unsigned char*>(name.c_str()), '\\');
}

bool Contains(const StringList& names, const std::string& name) {
  for (const std::string& taken : names)
    if (SameProfileName(taken, name)) return true;
  return false;
}

// The profile that a running AutoCAD makes current again keeps its stored name until then; a
// profile still to be created is never that one, whatever its name.
bool IsParked(const PMAcadProfile& profile, const std::string& parkedProfile) {
  return profile.State != ProfileCreate && !parkedProfile.empty() && SameProfileName(profile.Name, parkedProfile);
}

}  // namespace

bool SameProfileName(const std::string& a, const std::string& b) { return SameNameIgnoringCase(a, b); }

StringList NamesInUse(const PMAcad& product) {
  StringList names;
  for (const PMAcadProfile& profile : product.Profiles) {
    names.push_back(profile.Name);
    if (!profile.NewName.empty()) names.push_back(profile.NewName);
  }
  return names;
}

ProfileRefusal CheckNewName(const StringList& taken, const std::string& name) {
  if (Contains(taken, name)) return ProfileRefusal::NameInUse;
  if (name.empty()) return ProfileRefusal::EmptyName;
  if (!IsKeyName(name)) return ProfileRefusal::NotKeyName;
  return ProfileRefusal::None;
}

ProfileRefusal CheckRename(const StringList& taken, const std::string& oldName, const std::string& newName) {
  return SameProfileName(oldName, newName) ? ProfileRefusal::None : CheckNewName(taken, newName);
}

int ListedProfileCount(const PMAcad& product) {
  return static_cast<int>(std::count_if(product.Profiles.begin(), product.Profiles.end(),
                                        [](const PMAcadProfile& profile) { return profile.State != ProfileDelete; }));
}

PMAcadProfile* ListedProfile(PMAcad& product, int item) {
  if (item < 0) return nullptr;
  for (PMAcadProfile& profile : product.Profiles) {
    if (profile.State == ProfileDelete) continue;
    if (item-- == 0) return &profile;
  }
  return nullptr;
}

int CurrentProfileItem(const PMAcad& product) {
  int current = -1;
  int item = 0;
  for (const PMAcadProfile& profile : product.Profiles) {
    if (profile.State == ProfileDelete) continue;
    if (SameProfileName(profile.ShownName(), product.CurrentProfile)) current = item;
    ++item;
  }
  return current;
}

void MakeCurrent(PMAcad& product, const PMAcadProfile& profile) { product.CurrentProfile = profile.ShownName(); }

PMAcadProfile* AddProfile(PMAcad& product, int sourceIndex, const std::string& name,
                          const std::string& description) {
  if (sourceIndex < 0 || sourceIndex >= static_cast<int>(product.Profiles.size())) return nullptr;
  const PMAcadProfile& source = product.Profiles[sourceIndex];
  PMAcadProfile added;
  added.Name = name;
  added.Description = description;
  added.SourceName = source.Name;
  added.State = ProfileCreate;
  for (size_t i = 0; i < product.Applications.size(); ++i) {
    PMAcadAppLink link;
    link.Name = product.Applications[i].Name;
    link.StdLoadOrder = 0;
    // The application stays reachable, so that Run and the shortcut find its template and
    // icon before the next refresh.
    link.Application = static_cast<int>(i);
    link.State = LinkNotLinked;
    for (const PMAcadAppLink& sourceLink : source.Links)
      if (sourceLink.Name == link.Name) link.State = sourceLink.State;
    added.Links.push_back(link);
  }
  product.Profiles.push_back(added);
  return &product.Profiles.back();
}

ProfileRefusal CheckDelete(const PMAcad& product, const PMAcadProfile& profile, const std::string& parkedProfile) {
  // The shown name: after a pending rename of the current profile, CurrentProfile holds the new name.
  if (SameProfileName(profile.ShownName(), product.CurrentProfile)) return ProfileRefusal::CurrentProfile;
  if (IsParked(profile, parkedProfile)) return ProfileRefusal::ParkedProfile;
  if (ListedProfileCount(product) == 1) return ProfileRefusal::LastProfile;
  return ProfileRefusal::None;
}

void MarkDeleted(PMAcad& product, PMAcadProfile& profile) {
  profile.State = ProfileDelete;
  profile.NewName.clear();
  auto& all = product.Profiles;
  const auto at = all.begin() + (&profile - all.data());
  std::rotate(at, at + 1, all.end());
}

ProfileRefusal RenameProfile(PMAcad& product, PMAcadProfile& profile, const std::string& newName,
                             const std::string& description, const std::string& parkedProfile) {
  profile.Description = description;
  const std::string oldName = profile.ShownName();
  if (SameProfileName(newName, oldName) || Contains(NamesInUse(product), newName)) return ProfileRefusal::NameInUse;
  if (IsParked(profile, parkedProfile)) return ProfileRefusal::ParkedProfile;
  if (profile.State == ProfileCreate)
    profile.Name = newName;
  else
    profile.NewName = newName;
  if (SameProfileName(product.CurrentProfile, oldName)) product.CurrentProfile = newName;
  return ProfileRefusal::None;
}

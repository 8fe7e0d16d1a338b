#include "app/site_sources.h"

#include <algorithm>

#include "app/site_file.h"
#include "engine/backups.h"
#include "engine/profiles.h"
#include "framework/language.h"
#include "resources/resource.h"
#include "ui/profile_file_messages.h"

namespace {

std::string Lower(std::string text) {
  ::CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

// The program's own subtree of a profile: links and run marks, which the standard sets itself.
bool IsProgramKey(const std::string& lowerPath) {
  return lowerPath == "tarnwick" || lowerPath.compare(0, 9, "tarnwick\\") == 0;
}

// key path -> value name -> (type, bytes), names without letter case, as the registry sees them.
using Content = std::map<std::string, std::map<std::string, std::pair<DWORD, std::string>>>;

Content ContentOf(const ProfileTree& tree) {
  Content content;
  for (const ProfileTreeKey& key : tree.Keys) {
    const std::string path = Lower(key.Path);
    if (IsProgramKey(path)) continue;
    auto& values = content[path];
    for (const RegistryValue& value : key.Values)
      if (!(path.empty() && value.Name.empty())) values[Lower(value.Name)] = {value.Type, value.Data};
  }
  return content;
}

}  // namespace

bool SameProfileContent(const ProfileTree& stored, const ProfileTree& source) {
  return ContentOf(stored) == ContentOf(source);
}

bool SiteSources::Load(const std::string& siteFile, const SiteStandard& site, ScriptOutput& output) {
  bool loaded = true;
  for (const SiteProfile& profile : site.Profiles) {
    if (trees_.count(profile.Source)) continue;
    const std::string name = ResolveBeside(siteFile, profile.Source);
    std::string text;
    ProfileTree tree;
    ProfileFileError error;
    if (!ReadWholeFile(name, text)) {
      output.Message(FormatLangString(IDS_CANNOT_READ_FILE, name.c_str()));
      loaded = false;
    } else if (!ParseProfileFile(text, tree, error)) {
      output.Message(ProfileFileErrorText(name, error));
      loaded = false;
    } else {
      trees_[profile.Source] = tree;
    }
  }
  return loaded;
}

const ProfileTree* SiteSources::Tree(const std::string& source) const {
  auto found = trees_.find(source);
  return found == trees_.end() ? nullptr : &found->second;
}

SiteProfileFiles SiteSources::Files(const std::string& backupRoot, ScriptOutput& output) const {
  SiteProfileFiles files;
  files.Create = [this](const std::string& key, const std::string& profile, const SiteProfile& standard) {
    const ProfileTree* tree = Tree(standard.Source);
    return tree && PutProfileTree(key, profile, *tree) == ERROR_SUCCESS;
  };
  files.Differs = [this](const PMAcad& product, const PMAcadProfile& profile, const SiteProfile& standard) {
    const ProfileTree* tree = Tree(standard.Source);
    ProfileTree stored;
    if (!tree || ReadProfileTree(HKEY_CURRENT_USER, ProfileKeyPath(product.Key, profile.Name), stored) != ERROR_SUCCESS)
      return false;
    return !SameProfileContent(stored, *tree);
  };
  files.BackUp = [backupRoot, &output](const std::vector<SiteChange>& changes) {
    std::vector<BackupRequest> requests;
    for (const SiteChange& change : changes)
      requests.push_back(BackupRequest{change.Key, change.ProductName, change.Profile,
                                       change.Kind == SiteChangeKind::RemoveProfile ? BackupChange::Deleted
                                                                                    : BackupChange::Replaced});
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    BackupFailure failure;
    if (!BackupProfiles(backupRoot, requests, now, failure)) {
      output.Message(BackupFailureText(failure));
      return false;
    }
    PruneBackups(backupRoot, now);
    return true;
  };
  return files;
}

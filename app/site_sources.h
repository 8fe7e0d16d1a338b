// The profile files of a site standard: every Source read and checked before anything is
// changed; profiles created from them and compared with them; backups of the profiles that
// an apply deletes or re-creates.
#pragma once

#include <map>
#include <string>

#include "app/script_output.h"
#include "engine/profile_file.h"
#include "engine/site_apply.h"

class SiteSources {
 public:
  // Reads every Source (named beside the site file when relative); false, with a message
  // for each, when one cannot be read or is not a profile file.
  bool Load(const std::string& siteFile, const SiteStandard& site, ScriptOutput& output);

  // Create and Differs on these sources; BackUp writes one backup folder below backupRoot and
  // says through output why it could not.
  SiteProfileFiles Files(const std::string& backupRoot, ScriptOutput& output) const;

  const ProfileTree* Tree(const std::string& source) const;

 private:
  std::map<std::string, ProfileTree> trees_;  // by Source as the standard writes it
};

// Whether the stored profile holds what tree holds, leaving out what the standard sets on
// top (the description) and the program's own keys (links, run marks).
bool SameProfileContent(const ProfileTree& stored, const ProfileTree& source);

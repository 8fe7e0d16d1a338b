#include "engine/profile_import.h"

ImportOutcome ImportProfile(const std::string& file, const PMAcad& product, const std::string& name, bool replace,
                            const std::string& backupRoot) {
  ImportOutcome outcome;
  ProfileTree tree;
  if (!LoadProfileFile(file, tree, outcome.FileError)) {
    outcome.Status = ImportStatus::NotProfileFile;
    return outcome;
  }
  outcome.Name = name.empty() ? tree.Name : name;
  if (!IsProfileName(outcome.Name)) {
    outcome.Status = ImportStatus::BadName;
    return outcome;
  }
  if (ProfileKeyExists(product.Key, outcome.Name)) {
    if (!replace) {
      outcome.Status = ImportStatus::NameInUse;
      return outcome;
    }
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const BackupRequest request{product.Key, product.ProductName, outcome.Name, BackupChange::Replaced};
    if (!BackupProfiles(backupRoot, {request}, now, outcome.Backup)) {
      outcome.Status = ImportStatus::BackupFailed;
      return outcome;
    }
    PruneBackups(backupRoot, now);
  }
  outcome.WriteError = PutProfileTree(product.Key, outcome.Name, tree);
  if (outcome.WriteError != ERROR_SUCCESS) outcome.Status = ImportStatus::WriteFailed;
  return outcome;
}

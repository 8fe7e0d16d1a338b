// "Restore profile": the backups with when they were made, their product, profile and what happened
// to it, and the name to restore the chosen one under (its old name, or a free one when that is taken).
#pragma once

#include <string>
#include <vector>

#include "engine/backups.h"
#include "engine/model.h"
#include "framework/dialog.h"

class CRestoreDlg : public fw::Dialog {
 public:
  // model: the installed products (the restore goes to the backup's product); entries newest first.
  CRestoreDlg(HWND owner, ConfigurationModel& model, std::vector<BackupEntry> entries);

  // After OK: the chosen entry and the name to restore it under.
  int chosen = -1;
  std::string name;

  const std::vector<BackupEntry>& Entries() const { return entries_; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(fw::DataExchange& exchange) override;
  bool DispatchTable(const fw::DialogMessage& message) override;

 private:
  void OnItemChanged(NMHDR* header);
  // A name of the entry's product that no profile has: the old name, else with " (2)", " (3)"...
  std::string FreeName(const BackupEntry& entry) const;

  static const fw::MessageEntry<CRestoreDlg> kMessages[];

  ConfigurationModel& model_;  // only read
  std::vector<BackupEntry> entries_;
};

// "YYYY-MM-DD HH:MM" of a backup's apply.
std::string BackupTimeText(const SYSTEMTIME& when);

// The two small dialogs that collect a profile's name and description for the main dialog.
// Both only validate; the caller fills the fields, runs the dialog and reads them back after OK.
#pragma once

#include <string>
#include <vector>

#include "engine/profile_rules.h"
#include "framework/dialog.h"

// "Add profile": a new profile as a copy of a chosen source profile.
class CAddProfileDlg : public fw::Dialog {
 public:
  explicit CAddProfileDlg(HWND owner = nullptr);

  // Offered as sources, in the product's profile order; an entry's index is the profile's position.
  std::vector<std::string> profileNames;
  // Names that a new profile may not take besides the offered ones (pending renames and the names
  // they replace), compared as profile names.
  std::vector<std::string> namesInUse;
  // The source profile: set by the caller, follows the source list's selection.
  std::string sourceName;
  std::string description;
  std::string name;
  // The chosen entry of the source list (-1: none).
  int sourceIndex = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(fw::DataExchange& exchange) override;
  bool DispatchTable(const fw::DialogMessage& message) override;

 private:
  void OnSourceChanged();

  static const fw::MessageEntry<CAddProfileDlg> kMessages[];
};

// "Change profile": a new name and description for an existing profile.
class CRenameProfileDlg : public fw::Dialog {
 public:
  explicit CRenameProfileDlg(HWND owner = nullptr);

  // Every profile's Name and, where set, its NewName.
  std::vector<std::string> namesInUse;
  // The profile's shown name; the new name may differ from it in letter case only.
  std::string oldName;
  std::string newName;
  std::string description;

 protected:
  void DoDataExchange(fw::DataExchange& exchange) override;
};

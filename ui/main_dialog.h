// The program's main window: products, their profiles and the applications each
// profile loads. It also owns the configuration model in every mode.
#pragma once

#include <windows.h>

#include <string>

#include "engine/model.h"
#include "engine/profile_rules.h"
#include "framework/dialog.h"

class RegistrationLibrary;

class CPManDlg : public fw::Dialog {
 public:
  CPManDlg();
  ~CPManDlg() override;

  ConfigurationModel& Model() { return model_; }
  // The registered message by which a second instance asks this one to come forward.
  void SetActivationMessage(UINT message) { activationMessage_ = message; }
  // The program that Run and the desktop shortcut start in run mode, and whose help file Help
  // opens: this program's own file unless set otherwise.
  void SetProgramPath(const std::string& path) { programPath_ = path; }
  const std::string& ProgramPath() const { return programPath_; }
  // Where applies and imports back up the profiles they destroy: the user's backup folder unless set.
  void SetBackupRoot(const std::string& root) { backupRoot_ = root; }
  // The registration library that Apply links applications through: the program's own unless
  // set otherwise before the dialog opens.
  void SetRegistrationLibrary(const RegistrationLibrary& library) { library_ = &library; }

 protected:
  void DoDataExchange(fw::DataExchange& exchange) override;
  bool PreTranslateMessage(MSG& message) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool DispatchTable(const fw::DialogMessage& message) override;

 private:
  // Message handlers, in the order of the message table.
  void OnSelectProduct();
  void OnBeginDrag(NMHDR* header);
  bool OnSysCommand(WPARAM command, LPARAM position);
  void OnApply();
  void OnRun();
  void OnProfileRightClick(NMHDR* header);
  void OnHelp();
  void OnProfileItemChanged(NMHDR* header);
  void OnSetCurrent();
  void OnAddProfile();
  void OnDeleteProfile();
  void OnRenameProfile();
  void OnApplicationItemChanged(NMHDR* header);
  void OnMoveUp();
  void OnMoveDown();
  void OnResetOrder();
  // Profile files and backups (main_dialog_files.cpp).
  void OnExportProfile();
  void OnImportProfile();
  void OnRestoreProfile();
  bool OnShowLibraryNotice(WPARAM, LPARAM);

  // Opening and refreshing.
  void AddAboutToSystemMenu();
  void AddToSystemMenu(HMENU systemMenu, UINT command, UINT textId);
  void SetUpLists();
  void SelectStoredProduct();
  void Refresh();
  void BringToFront();
  // The About box of the system menu.
  void ShowAboutBox();

  // Filling the controls from the model.
  void FillProductList();
  void FillProfileList();
  void FillApplicationList();
  void ShowCurrentProfile();
  void ShowProfileSelected(bool selected);
  void SelectProfileItem(int item);
  void SelectApplicationItem(int item);

  // Applies the model (the data exchange's save step) and clears the pending flag; false when
  // the user declined or a backup could not be written, with the edits still pending.
  bool ApplyNow();
  // Before a file command, which works on the registry: with pending edits asks to apply them first.
  bool ApplyBeforeFileCommand();
  // Reloads the model and shows the profile of the product (after an import or a restore).
  void ReloadShowing(const std::string& key, const std::string& profile);
  // Whether the model holds unapplied edits; Apply is enabled exactly then. Setting it records
  // the selected product as edited.
  void SetChangesPending(bool pending);
  // Asks before applying edits of products whose AutoCAD is running; true to go on.
  bool ConfirmApplyWhileRunning();
  bool IsEdited(const PMAcad& product) const;
  // Says why a profile edit is refused.
  void RefuseProfileEdit(ProfileRefusal refusal, const PMAcadProfile& profile);
  // The profile a running AutoCAD started by this program makes current again (empty: none).
  static std::string ParkedProfile(const PMAcad& product);
  // After a Move: the list shows the new order with the moved link selected.
  void ShowMovedLink(int index);

  // The selected product, the profile of a profile-list item and the selected one; null when
  // there is none. Items list the profiles not marked for deletion, in array order.
  PMAcad* SelectedProduct();
  PMAcadProfile* ListedProfile(int item);
  PMAcadProfile* SelectedProfile() { return ListedProfile(profileIndex_); }

  static const fw::MessageEntry<CPManDlg> kMessages[];

  ConfigurationModel model_;
  int productIndex_ = -1;
  int profileIndex_ = -1;
  int applicationIndex_ = -1;
  // Set while the application list is filled, so that its notifications change nothing.
  bool filling_ = false;
  bool changesPending_ = false;
  // Keys of the products edited since the last apply or load.
  StringList editedProducts_;
  UINT activationMessage_ = 0;
  HICON icon_ = nullptr;  // shared resource icon, not destroyed
  std::string programPath_;
  std::string backupRoot_;
  const RegistrationLibrary* library_;
  // Why application links cannot be changed (the list is then read-only); empty when they can.
  std::string libraryNotice_;
};

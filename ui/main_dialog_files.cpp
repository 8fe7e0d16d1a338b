// The main dialog's profile files and backups: export the selected profile, import a file as a
// profile of the selected product, restore a backup.
#include <windows.h>

#include "engine/backups.h"
#include "engine/configuration.h"
#include "engine/profile_file.h"
#include "engine/profile_import.h"
#include "framework/combobox.h"
#include "framework/file_dialog.h"
#include "framework/language.h"
#include "framework/listview.h"
#include "framework/msgbox.h"
#include "resources/resource.h"
#include "ui/main_dialog.h"
#include "ui/profile_file_messages.h"
#include "ui/restore_dialog.h"

namespace {

const char kProfileFileExtension[] = "arg";

}  // namespace

bool CPManDlg::ApplyBeforeFileCommand() {
  if (!changesPending_) return true;
  return fw::MessageBoxApp(hwnd(), LangString(IDS_APPLY_BEFORE_FILES), MB_YESNO | MB_ICONQUESTION) == IDYES &&
         ApplyNow();
}

void CPManDlg::OnExportProfile() {
  if (!SelectedProduct() || !SelectedProfile() || !ApplyBeforeFileCommand()) return;
  // Looked up again: applying removes deleted records from the model.
  const PMAcad* product = SelectedProduct();
  const PMAcadProfile* profile = SelectedProfile();
  if (!product || !profile) return;
  std::string file = SafeFileName(profile->Name) + "." + kProfileFileExtension;
  if (!fw::AskFileName(hwnd(), fw::FileDialogKind::Save, LangString(IDS_FILE_FILTER), kProfileFileExtension, file))
    return;
  const DWORD error = ExportProfile(product->Key, profile->Name, file);
  if (error != ERROR_SUCCESS)
    fw::MessageBoxApp(hwnd(), ExportFailureText(profile->Name, file, error), MB_OK | MB_ICONSTOP);
}

void CPManDlg::OnImportProfile() {
  if (!SelectedProduct() || !ApplyBeforeFileCommand()) return;
  std::string file;
  if (!fw::AskFileName(hwnd(), fw::FileDialogKind::Open, LangString(IDS_FILE_FILTER), kProfileFileExtension, file))
    return;
  const PMAcad* product = SelectedProduct();
  if (!product) return;
  ImportOutcome outcome = ImportProfile(file, *product, std::string(), false, backupRoot_);
  if (outcome.Status == ImportStatus::NameInUse) {
    if (fw::MessageBoxApp(hwnd(), FormatLangString(IDS_REPLACE_PROFILE, outcome.Name.c_str()),
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
      return;
    outcome = ImportProfile(file, *product, outcome.Name, true, backupRoot_);
  }
  if (outcome.Status != ImportStatus::Imported) {
    fw::MessageBoxApp(hwnd(), ImportFailureText(file, outcome), MB_OK | MB_ICONSTOP);
    return;
  }
  ReloadShowing(product->Key, outcome.Name);
}

void CPManDlg::OnRestoreProfile() {
  if (!ApplyBeforeFileCommand()) return;
  CRestoreDlg dialog(hwnd(), model_, ListBackups(backupRoot_));
  if (dialog.DoModal() != IDOK) return;
  const BackupEntry& entry = dialog.Entries()[dialog.chosen];
  ProfileFileError fileError;
  const LONG result = RestoreBackup(entry, dialog.name, fileError);
  if (result != ERROR_SUCCESS) {
    const std::string text =
        result == ERROR_INVALID_DATA
            ? ProfileFileErrorText(entry.File, fileError)
            : FormatLangString(IDS_PROFILE_WRITE_FAILED, dialog.name.c_str(), SystemErrorText(result).c_str());
    fw::MessageBoxApp(hwnd(), text, MB_OK | MB_ICONSTOP);
    return;
  }
  ReloadShowing(KeyFromAcadId(entry.AcadId), dialog.name);
}

void CPManDlg::ReloadShowing(const std::string& key, const std::string& profileName) {
  const std::string productKey = key;  // may point into the model that is reloaded
  const std::string name = profileName;
  LoadConfiguration(model_);
  SetChangesPending(false);
  FillProductList();
  PMAcad* product = FindProductByKey(model_, productKey);
  productIndex_ = product ? static_cast<int>(product - model_.data()) : (model_.empty() ? -1 : 0);
  fw::ComboBox(Item(IDC_PRODUCTS)).SetCurSel(productIndex_);
  FillProfileList();
  if (product) {
    int item = 0;
    for (const PMAcadProfile& profile : product->Profiles) {
      if (profile.State == ProfileDelete) continue;
      if (FindProfileByName(*product, name) == &profile) SelectProfileItem(item);
      ++item;
    }
  }
  FillApplicationList();
}

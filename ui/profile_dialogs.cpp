#include "ui/profile_dialogs.h"

#include "framework/combobox.h"
#include "framework/language.h"
#include "framework/msgbox.h"
#include "resources/resource.h"

namespace {

// Says why the name cannot be taken and keeps the dialog open with the name focused. The
// string table has no text for a name the registry cannot hold: a beep says that.
void RefuseName(fw::DataExchange& exchange, ProfileRefusal refusal, const std::string& name) {
  if (refusal == ProfileRefusal::None) return;
  if (refusal == ProfileRefusal::NameInUse)
    fw::MessageBoxApp(exchange.DialogWindow(), FormatLangString(IDS_PROFILE_EXISTS, name.c_str()), MB_OK | MB_ICONSTOP);
  else if (refusal == ProfileRefusal::EmptyName)
    fw::MessageBoxApp(exchange.DialogWindow(), LangString(IDS_EMPTY_NAME), MB_OK | MB_ICONSTOP);
  else
    ::MessageBeep(MB_ICONSTOP);
  exchange.Fail(IDC_PROFILE_NAME);
}

}  // namespace

const fw::MessageEntry<CAddProfileDlg> CAddProfileDlg::kMessages[] = {
    {fw::OnCommand(IDC_SOURCE_PROFILE, CBN_SELCHANGE), &CAddProfileDlg::OnSourceChanged},
};

CAddProfileDlg::CAddProfileDlg(HWND owner) : fw::Dialog(LoadLangDialog(IDD_ADD_PROFILE), owner) {}

bool CAddProfileDlg::DispatchTable(const fw::DialogMessage& message) {
  return fw::Dispatch(*this, kMessages, message);
}

BOOL CAddProfileDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  fw::ComboBox sources(Item(IDC_SOURCE_PROFILE));
  for (const std::string& profileName : profileNames) sources.AddString(profileName);
  sources.SetCurSel(sources.FindStringExact(sourceName));
  fw::WindowRef(Item(IDC_PROFILE_NAME)).Focus();
  return FALSE;  // the focus is set
}

void CAddProfileDlg::OnSourceChanged() {
  fw::ComboBox sources(Item(IDC_SOURCE_PROFILE));
  sourceName = sources.GetItemText(sources.GetCurSel());
}

void CAddProfileDlg::DoDataExchange(fw::DataExchange& exchange) {
  exchange.ComboSelection(IDC_SOURCE_PROFILE, sourceIndex);
  exchange.Text(IDC_PROFILE_NAME, name);
  exchange.Text(IDC_PROFILE_DESCRIPTION, description);
  if (!exchange.FromControls()) return;
  StringList taken = profileNames;
  taken.insert(taken.end(), namesInUse.begin(), namesInUse.end());
  RefuseName(exchange, CheckNewName(taken, name), name);
}

CRenameProfileDlg::CRenameProfileDlg(HWND owner) : fw::Dialog(LoadLangDialog(IDD_CHANGE_PROFILE), owner) {}

void CRenameProfileDlg::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Text(IDC_PROFILE_NAME, newName);
  exchange.Text(IDC_PROFILE_DESCRIPTION, description);
  if (exchange.FromControls()) RefuseName(exchange, CheckRename(namesInUse, oldName, newName), newName);
}

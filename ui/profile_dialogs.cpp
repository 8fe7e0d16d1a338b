#include "ui/profile_dialogs.h"

#include <mbstring.h>

#include "framework/combobox.h"
#include "framework/language.h"
#include "framework/msgbox.h"
#include "resources/resource.h"

namespace {

bool ContainsName(const std::vector<std::string>& names, const std::string& candidate) {
  for (const std::string& name : names)
    if (SameProfileName(name, candidate)) return true;
  return false;
}

// A profile name becomes a registry key name below "Profiles": a backslash would make a key
// inside another profile, and keys longer than this do not exist.
const size_t kMaxKeyNameBytes = 255;

bool IsKeyName(const std::string& name) {
  return name.size() <= kMaxKeyNameBytes &&
         !_mbschr(reinterpret_cast<const unsigned char*>(name.c_str()), '\\');
}

// Shows why the name cannot be taken and keeps the dialog open with the name focused.
void RefuseName(fw::DataExchange& exchange, const std::string& text) {
  fw::MessageBoxApp(exchange.DialogWindow(), text, MB_OK | MB_ICONSTOP);
  exchange.Fail(IDC_PROFILE_NAME);
}

// The string table has no text for a name the registry cannot hold: a beep says it.
void RefuseKeyName(fw::DataExchange& exchange) {
  ::MessageBeep(MB_ICONSTOP);
  exchange.Fail(IDC_PROFILE_NAME);
}

}  // namespace

bool SameProfileName(const std::string& a, const std::string& b) {
  return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                  reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
}

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

bool CAddProfileDlg::IsNameTaken(const std::string& candidate) const {
  return ContainsName(profileNames, candidate) || ContainsName(namesInUse, candidate);
}

void CAddProfileDlg::DoDataExchange(fw::DataExchange& exchange) {
  exchange.ComboSelection(IDC_SOURCE_PROFILE, sourceIndex);
  exchange.Text(IDC_PROFILE_NAME, name);
  exchange.Text(IDC_PROFILE_DESCRIPTION, description);
  if (!exchange.FromControls()) return;
  if (IsNameTaken(name))
    RefuseName(exchange, FormatLangString(IDS_PROFILE_EXISTS, name.c_str()));
  else if (name.empty())
    RefuseName(exchange, LangString(IDS_EMPTY_NAME));
  else if (!IsKeyName(name))
    RefuseKeyName(exchange);
}

CRenameProfileDlg::CRenameProfileDlg(HWND owner) : fw::Dialog(LoadLangDialog(IDD_CHANGE_PROFILE), owner) {}

void CRenameProfileDlg::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Text(IDC_PROFILE_NAME, newName);
  exchange.Text(IDC_PROFILE_DESCRIPTION, description);
  if (!exchange.FromControls() || SameProfileName(newName, oldName)) return;
  if (ContainsName(namesInUse, newName))
    RefuseName(exchange, FormatLangString(IDS_PROFILE_EXISTS, newName.c_str()));
  else if (newName.empty())
    RefuseName(exchange, LangString(IDS_EMPTY_NAME));
  else if (!IsKeyName(newName))
    RefuseKeyName(exchange);
}

#include "ui/restore_dialog.h"

#include <stdio.h>

#include "framework/language.h"
#include "framework/listview.h"
#include "framework/msgbox.h"
#include "resources/resource.h"

namespace {

const UINT kColumns[] = {IDS_COLUMN_WHEN, IDS_COLUMN_PRODUCT, IDS_COLUMN_PROFILE, IDS_COLUMN_CHANGE};
const int kColumnPercent[] = {28, 30, 26, 16};
const UINT kChangeTexts[] = {IDS_CHANGE_DELETED, IDS_CHANGE_RENAMED, IDS_CHANGE_REPLACED};

void Refuse(fw::DataExchange& exchange, int control, const std::string& text) {
  if (text.empty())
    ::MessageBeep(MB_ICONSTOP);  // a name the registry cannot hold has no text of its own
  else
    fw::MessageBoxApp(exchange.DialogWindow(), text, MB_OK | MB_ICONSTOP);
  exchange.Fail(control);
}

}  // namespace

std::string BackupTimeText(const SYSTEMTIME& when) {
  char text[32];
  snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", when.wYear, when.wMonth, when.wDay, when.wHour,
           when.wMinute);
  return text;
}

const fw::MessageEntry<CRestoreDlg> CRestoreDlg::kMessages[] = {
    {fw::OnNotify(IDC_BACKUP_LIST, LVN_ITEMCHANGED), &CRestoreDlg::OnItemChanged},
};

CRestoreDlg::CRestoreDlg(HWND owner, ConfigurationModel& model, std::vector<BackupEntry> entries)
    : fw::Dialog(LoadLangDialog(IDD_RESTORE), owner), model_(model), entries_(std::move(entries)) {}

bool CRestoreDlg::DispatchTable(const fw::DialogMessage& message) { return fw::Dispatch(*this, kMessages, message); }

BOOL CRestoreDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  fw::ListView list(Item(IDC_BACKUP_LIST));
  list.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  RECT client = {};
  ::GetClientRect(list.hwnd(), &client);
  const int width = client.right - client.left - ::GetSystemMetrics(SM_CXVSCROLL);
  for (int i = 0; i < 4; ++i) list.InsertColumn(i, LangString(kColumns[i]), width * kColumnPercent[i] / 100);
  for (size_t i = 0; i < entries_.size(); ++i) {
    const BackupEntry& entry = entries_[i];
    const int item = list.InsertItem(static_cast<int>(i), BackupTimeText(entry.When));
    list.SetItemText(item, 1, entry.ProductName.empty() ? entry.AcadId : entry.ProductName);
    list.SetItemText(item, 2, entry.Profile);
    list.SetItemText(item, 3, LangString(kChangeTexts[static_cast<int>(entry.Change)]));
  }
  if (!entries_.empty()) list.SelectItem(0);
  list.Focus();
  return FALSE;  // the focus is set
}

void CRestoreDlg::OnItemChanged(NMHDR* header) {
  const NMLISTVIEW& change = *reinterpret_cast<NMLISTVIEW*>(header);
  if (!(change.uNewState & LVIS_SELECTED) || (change.uOldState & LVIS_SELECTED)) return;
  if (change.iItem < 0 || change.iItem >= static_cast<int>(entries_.size())) return;
  fw::WindowRef(Item(IDC_RESTORE_NAME)).SetText(FreeName(entries_[change.iItem]));
}

std::string CRestoreDlg::FreeName(const BackupEntry& entry) const {
  const std::string key = KeyFromAcadId(entry.AcadId);
  std::string candidate = entry.Profile;
  for (int n = 2; ProfileKeyExists(key, candidate) && n < 1000; ++n)
    candidate = entry.Profile + " (" + std::to_string(n) + ")";
  return candidate;
}

void CRestoreDlg::DoDataExchange(fw::DataExchange& exchange) {
  exchange.Text(IDC_RESTORE_NAME, name);
  if (!exchange.FromControls()) return;
  chosen = fw::ListView(Item(IDC_BACKUP_LIST)).GetSelectedIndex();
  if (chosen < 0 || chosen >= static_cast<int>(entries_.size())) {
    Refuse(exchange, IDC_BACKUP_LIST, LangString(IDS_CHOOSE_BACKUP));
    return;
  }
  const BackupEntry& entry = entries_[chosen];
  if (!FindProductByKey(model_, KeyFromAcadId(entry.AcadId)))
    Refuse(exchange, IDC_BACKUP_LIST, FormatLangString(IDS_BACKUP_PRODUCT_MISSING, entry.AcadId.c_str()));
  else if (name.empty())
    Refuse(exchange, IDC_RESTORE_NAME, LangString(IDS_EMPTY_NAME));
  else if (ProfileKeyExists(KeyFromAcadId(entry.AcadId), name))
    Refuse(exchange, IDC_RESTORE_NAME, FormatLangString(IDS_PROFILE_EXISTS, name.c_str()));
  else if (!IsProfileName(name))
    Refuse(exchange, IDC_RESTORE_NAME, std::string());
}

// The main dialog's opening, refresh, lists and applying; the profile commands are in
// main_dialog_profiles.cpp, running, dragging, help and menus in main_dialog_launch.cpp.
#include "ui/main_dialog.h"

#include <commctrl.h>

#include "engine/apply.h"
#include "engine/backups.h"
#include "engine/configuration.h"
#include "engine/profile_rules.h"
#include "engine/running_acad.h"
#include "engine/same_name.h"
#include "engine/settings.h"
#include "framework/app.h"
#include "framework/button.h"
#include "framework/combobox.h"
#include "framework/language.h"
#include "framework/listview.h"
#include "framework/msgbox.h"
#include "resources/resource.h"
#include "ui/profile_file_messages.h"
#include "ui/registration_notice.h"

namespace {

// Posted when the dialog opens, so that the notice shows over the visible dialog.
constexpr UINT kShowLibraryNotice = WM_APP + 1;

// Column titles; the lists show no header, so they are never translated.
const char kProfilesColumn[] = "Profiles";
const char kApplicationsColumn[] = "Applications";

// The buttons that act on the selected profile.
const int kProfileButtons[] = {IDC_SET_CURRENT, IDC_ADD_PROFILE, IDC_DELETE_PROFILE, IDC_RENAME_PROFILE,
                               IDC_RESET_ORDER};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
 public:
  WaitCursor() : previous_(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { ::SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

bool BecameSelected(const NMLISTVIEW& change) {
  return (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
}

bool LostSelection(const NMLISTVIEW& change) {
  return !(change.uNewState & LVIS_SELECTED) && (change.uOldState & LVIS_SELECTED);
}

int ClientWidth(HWND window) {
  RECT client = {};
  ::GetClientRect(window, &client);
  return client.right - client.left;
}

}  // namespace

const fw::MessageEntry<CPManDlg> CPManDlg::kMessages[] = {
    {fw::OnCommand(IDC_PRODUCTS, CBN_SELCHANGE), &CPManDlg::OnSelectProduct},
    {fw::OnNotify(IDC_PROFILES, LVN_BEGINDRAG), &CPManDlg::OnBeginDrag},
    {fw::OnMessage(WM_SYSCOMMAND), &CPManDlg::OnSysCommand},
    {fw::OnCommand(IDC_APPLY), &CPManDlg::OnApply},
    {fw::OnCommand(ID_PROFILE_RUN), &CPManDlg::OnRun},
    {fw::OnNotify(IDC_PROFILES, NM_RCLICK), &CPManDlg::OnProfileRightClick},
    {fw::OnCommand(IDC_HELP_BUTTON), &CPManDlg::OnHelp},
    {fw::OnNotify(IDC_PROFILES, LVN_ITEMCHANGED), &CPManDlg::OnProfileItemChanged},
    {fw::OnCommand(IDC_SET_CURRENT), &CPManDlg::OnSetCurrent},
    {fw::OnCommand(IDC_ADD_PROFILE), &CPManDlg::OnAddProfile},
    {fw::OnCommand(IDC_DELETE_PROFILE), &CPManDlg::OnDeleteProfile},
    {fw::OnCommand(IDC_RENAME_PROFILE), &CPManDlg::OnRenameProfile},
    {fw::OnNotify(IDC_APPLICATIONS, LVN_ITEMCHANGED), &CPManDlg::OnApplicationItemChanged},
    {fw::OnCommand(IDC_MOVE_UP), &CPManDlg::OnMoveUp},
    {fw::OnCommand(IDC_MOVE_DOWN), &CPManDlg::OnMoveDown},
    {fw::OnCommand(IDC_RESET_ORDER), &CPManDlg::OnResetOrder},
    {fw::OnCommand(ID_PROFILE_EXPORT), &CPManDlg::OnExportProfile},
    {fw::OnCommand(ID_PROFILE_IMPORT), &CPManDlg::OnImportProfile},
    {fw::OnCommand(ID_PROFILE_RESTORE), &CPManDlg::OnRestoreProfile},
    {fw::OnMessage(kShowLibraryNotice), &CPManDlg::OnShowLibraryNotice},
};

CPManDlg::CPManDlg()
    : fw::Dialog(LoadLangDialog(IDD_MAIN)),
      programPath_(fw::ModuleFilePath(nullptr)),
      backupRoot_(DefaultBackupRoot()),
      library_(&RegistrationLibrary::Instance()) {}

CPManDlg::~CPManDlg() = default;

bool CPManDlg::DispatchTable(const fw::DialogMessage& message) {
  return fw::Dispatch(*this, kMessages, message);
}

void CPManDlg::DoDataExchange(fw::DataExchange& exchange) {
  if (!exchange.FromControls()) return;
  if (!ConfirmApplyWhileRunning()) {
    exchange.Fail(IDC_PROFILES);
    return;
  }
  BackupFailure failure;
  bool applied;
  {
    WaitCursor wait;
    applied = ApplyChangesWithBackups(model_, *library_, backupRoot_, failure);
  }
  if (!applied) {
    fw::MessageBoxApp(hwnd(), BackupFailureText(failure), MB_OK | MB_ICONSTOP);
    exchange.Fail(IDC_PROFILES);
    return;
  }
  if (PMAcad* product = SelectedProduct()) WriteSetting(kCurAcadValue, product->ProductName);
}

BOOL CPManDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  ::SetWindowTextA(hwnd(), LangString(IDS_APP_NAME).c_str());
  AddAboutToSystemMenu();
  icon_ = ::LoadIconA(fw::ApplicationInstance(), MAKEINTRESOURCEA(IDI_PROGRAM));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  SetUpLists();
  libraryNotice_ = RegistrationLibraryNotice(*library_, RegistrationLibrary::Use::ProfileLinks);
  if (!libraryNotice_.empty()) ::PostMessageA(hwnd(), kShowLibraryNotice, 0, 0);

  if (model_.empty()) LoadConfiguration(model_);
  FillProductList();
  if (!model_.empty()) {
    SelectStoredProduct();
    FillProfileList();
  }
  if (fw::ListView(Item(IDC_PROFILES)).GetItemCount() > 0) FillApplicationList();
  fw::WindowRef(Item(IDC_PROFILES)).Focus();
  return FALSE;  // the focus is set
}

bool CPManDlg::OnShowLibraryNotice(WPARAM, LPARAM) {
  fw::MessageBoxApp(hwnd(), libraryNotice_, MB_OK | MB_ICONEXCLAMATION);
  return true;
}

void CPManDlg::AddAboutToSystemMenu() {
  HMENU systemMenu = ::GetSystemMenu(hwnd(), FALSE);  // owned by the window
  if (!systemMenu || LangString(IDS_ABOUT_MENU).empty()) return;
  ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
  AddToSystemMenu(systemMenu, IDM_ABOUTBOX, IDS_ABOUT_MENU);
  AddToSystemMenu(systemMenu, IDM_RESTORE, IDS_RESTORE_MENU);
}

void CPManDlg::AddToSystemMenu(HMENU systemMenu, UINT command, UINT textId) {
  const std::string text = LangString(textId);
  if (!text.empty()) ::AppendMenuA(systemMenu, MF_STRING, command, text.c_str());
}

void CPManDlg::SetUpLists() {
  fw::ListView profiles(Item(IDC_PROFILES));
  profiles.SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  // Room for the scroll bar that a long list shows, so that no horizontal one appears.
  profiles.InsertColumn(0, kProfilesColumn, ClientWidth(profiles.hwnd()) - ::GetSystemMetrics(SM_CXVSCROLL));
  fw::ListView applications(Item(IDC_APPLICATIONS));
  applications.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES,
                                LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
  applications.InsertColumn(0, kApplicationsColumn, ClientWidth(applications.hwnd()));
}

void CPManDlg::SelectStoredProduct() {
  int entry = 0;
  std::string stored;
  if (ReadSetting(kCurAcadValue, stored)) {
    for (size_t i = 0; i < model_.size(); ++i) {
      if (model_[i].ProductName == stored) {
        entry = static_cast<int>(i);
        break;
      }
    }
  }
  fw::ComboBox(Item(IDC_PRODUCTS)).SetCurSel(entry);
  productIndex_ = entry;
}

void CPManDlg::OnOK() {
  if (changesPending_) {
    // Applies through the data exchange, which also stores the product; a failed backup keeps it open.
    if (!UpdateData(true)) return;
    changesPending_ = false;
    EndModal(IDOK);
    return;
  }
  EndModal(IDOK);
  if (PMAcad* product = SelectedProduct()) WriteSetting(kCurAcadValue, product->ProductName);
}

bool CPManDlg::PreTranslateMessage(MSG& message) {
  if (activationMessage_ != 0 && message.message == activationMessage_) {
    BringToFront();
    return true;
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_F5) {
    Refresh();
    return true;
  }
  return false;
}

void CPManDlg::BringToFront() {
  if (::GetForegroundWindow() == hwnd()) return;
  ::SetForegroundWindow(hwnd());
  ::SendMessageA(hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
}

void CPManDlg::Refresh() {
  if (changesPending_) {
    int answer =
        fw::MessageBoxApp(hwnd(), LangString(IDS_APPLY_BEFORE_REFRESH), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) {
      if (!ApplyNow()) return;
    } else if (answer != IDNO) {
      return;  // Cancel, or a box that could not be shown
    }
  }
  fw::ComboBox products(Item(IDC_PRODUCTS));
  const int remembered = products.GetCurSel();
  LoadConfiguration(model_);
  SetChangesPending(false);  // whatever was not applied is gone with the old model
  FillProductList();
  products.SetCurSel(remembered);
  productIndex_ = products.GetCurSel();
  // Also without products, so that no list shows what the old model held.
  FillProfileList();
  FillApplicationList();
  fw::WindowRef(Item(IDC_PROFILES)).Focus();
}

void CPManDlg::OnSelectProduct() {
  productIndex_ = fw::ComboBox(Item(IDC_PRODUCTS)).GetCurSel();
  FillProfileList();
  FillApplicationList();
}

PMAcad* CPManDlg::SelectedProduct() {
  if (productIndex_ < 0 || productIndex_ >= static_cast<int>(model_.size())) return nullptr;
  return &model_[productIndex_];
}

PMAcadProfile* CPManDlg::ListedProfile(int item) {
  PMAcad* product = SelectedProduct();
  return product ? ::ListedProfile(*product, item) : nullptr;
}

void CPManDlg::FillProductList() {
  fw::ComboBox products(Item(IDC_PRODUCTS));
  products.ResetContent();
  for (const PMAcad& product : model_) products.AddString(product.ProductName);
}

void CPManDlg::FillProfileList() {
  fw::ListView profiles(Item(IDC_PROFILES));
  profiles.DeleteAllItems();  // without notifications: the selection goes silently
  profileIndex_ = -1;
  ShowProfileSelected(false);
  PMAcad* product = SelectedProduct();
  if (!product) return;
  int item = 0;
  for (const PMAcadProfile& profile : product->Profiles)
    if (profile.State != ProfileDelete) profiles.InsertItem(item++, profile.ShownName());
  ShowCurrentProfile();
  int current = CurrentProfileItem(*product);
  if (current < 0 && item > 0) current = 0;
  SelectProfileItem(current);
}

void CPManDlg::SelectProfileItem(int item) {
  fw::ListView profiles(Item(IDC_PROFILES));
  if (item < 0) return;
  profiles.SelectItem(item);  // the notification makes it the selected profile
  profiles.EnsureVisible(item);
  profileIndex_ = item;
}

void CPManDlg::ShowCurrentProfile() {
  PMAcad* product = SelectedProduct();
  if (!product) return;
  const std::string text =
      IsAcadRunning(*product, RunningImagePaths())
          ? FormatLangString(IDS_CURRENT_PROFILE_RUNNING, product->CurrentProfile.c_str(),
                             product->ProductName.c_str())
          : FormatLangString(IDS_CURRENT_PROFILE, product->CurrentProfile.c_str());
  fw::WindowRef(Item(IDC_CURRENT_PROFILE)).SetText(text);
}

void CPManDlg::OnProfileItemChanged(NMHDR* header) {
  const NMLISTVIEW& change = *reinterpret_cast<NMLISTVIEW*>(header);
  if (BecameSelected(change)) {
    profileIndex_ = change.iItem;
    ShowProfileSelected(true);
  } else if (LostSelection(change)) {
    profileIndex_ = -1;
    ShowProfileSelected(false);
  } else {
    return;
  }
  FillApplicationList();
}

void CPManDlg::ShowProfileSelected(bool selected) {
  for (int id : kProfileButtons) fw::WindowRef(Item(id)).Enable(selected);
  // The order is stored through the registration library too.
  if (!libraryNotice_.empty()) fw::WindowRef(Item(IDC_RESET_ORDER)).Enable(false);
  PMAcadProfile* profile = selected ? SelectedProfile() : nullptr;
  fw::WindowRef(Item(IDC_DESCRIPTION)).SetText(profile ? profile->Description : std::string());
}

void CPManDlg::FillApplicationList() {
  fw::ListView applications(Item(IDC_APPLICATIONS));
  PMAcadProfile* profile = SelectedProfile();
  if (!SelectedProduct() || !profile) {
    // Emptied too, so that a product without profiles shows no other profile's links.
    applications.DeleteAllItems();
    if (SelectedProduct()) applications.Enable(false);
    applicationIndex_ = -1;
    fw::WindowRef(Item(IDC_MOVE_UP)).Enable(false);
    fw::WindowRef(Item(IDC_MOVE_DOWN)).Enable(false);
    return;
  }
  applications.Enable(libraryNotice_.empty());
  applications.DeleteAllItems();
  filling_ = true;
  for (const PMAcadAppLink& link : profile->Links) {
    int item = applications.InsertItem(applications.GetItemCount(), link.Name);
    applications.SetCheck(item, link.Enabled());
  }
  filling_ = false;
  // The selection went with the old items.
  applicationIndex_ = -1;
  fw::WindowRef(Item(IDC_MOVE_UP)).Enable(false);
  fw::WindowRef(Item(IDC_MOVE_DOWN)).Enable(false);
}

void CPManDlg::SelectApplicationItem(int item) {
  fw::ListView applications(Item(IDC_APPLICATIONS));
  if (item < 0) return;
  applications.SelectItem(item);
  applications.EnsureVisible(item);
  applicationIndex_ = item;
}

void CPManDlg::OnApply() { ApplyNow(); }

bool CPManDlg::ApplyNow() {
  if (!UpdateData(true)) return false;
  SetChangesPending(false);
  return true;
}

bool CPManDlg::ConfirmApplyWhileRunning() {
  if (editedProducts_.empty()) return true;
  const StringList images = RunningImagePaths();
  std::string running;
  for (const PMAcad& product : model_) {
    if (!IsEdited(product) || !IsAcadRunning(product, images)) continue;
    running += (running.empty() ? "" : ", ") + product.ProductName;
  }
  return running.empty() || fw::MessageBoxApp(hwnd(), FormatLangString(IDS_APPLY_WHILE_RUNNING, running.c_str()),
                                              MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool CPManDlg::IsEdited(const PMAcad& product) const {
  for (const std::string& key : editedProducts_)
    if (SameNameIgnoringCase(key, product.Key)) return true;
  return false;
}

void CPManDlg::SetChangesPending(bool pending) {
  changesPending_ = pending;
  PMAcad* product = SelectedProduct();
  if (!pending)
    editedProducts_.clear();
  else if (product && !IsEdited(*product))
    editedProducts_.push_back(product->Key);
  fw::WindowRef apply(Item(IDC_APPLY));
  // A disabled button cannot keep the focus: hand it on first, as the Tab key would.
  if (!pending && ::GetFocus() == apply.hwnd()) ::SendMessageA(hwnd(), WM_NEXTDLGCTL, 0, FALSE);
  apply.Enable(pending);
}

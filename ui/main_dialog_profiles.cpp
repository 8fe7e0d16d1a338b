// The main dialog's profile commands and the application list: the engine's profile rules
// edit the model in memory; the dialog says why an edit is refused.
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include "engine/load_order.h"
#include "engine/profile_rules.h"
#include "engine/run_profile.h"
#include "framework/language.h"
#include "framework/listview.h"
#include "framework/msgbox.h"
#include "resources/resource.h"
#include "ui/main_dialog.h"
#include "ui/profile_dialogs.h"

void CPManDlg::OnSetCurrent() {
  PMAcad* product = SelectedProduct();
  PMAcadProfile* profile = SelectedProfile();
  if (!product || !profile) return;
  MakeCurrent(*product, *profile);
  ShowCurrentProfile();
  SetChangesPending(true);
}

void CPManDlg::OnAddProfile() {
  PMAcad* product = SelectedProduct();
  if (!product) return;
  CAddProfileDlg dialog(hwnd());
  // Shown names, so that a pending rename shows and is taken; the names it replaces stay taken
  // until the rename is applied.
  for (const PMAcadProfile& profile : product->Profiles) dialog.profileNames.push_back(profile.ShownName());
  dialog.namesInUse = NamesInUse(*product);
  if (PMAcadProfile* selected = SelectedProfile()) dialog.sourceName = selected->ShownName();
  if (dialog.DoModal() != IDOK) return;

  product = SelectedProduct();  // the model may have been reloaded meanwhile
  PMAcadProfile* added = product ? AddProfile(*product, dialog.sourceIndex, dialog.name, dialog.description) : nullptr;
  if (!added) return;
  fw::WindowRef(Item(IDC_DESCRIPTION)).SetText(added->Description);
  fw::ListView profiles(Item(IDC_PROFILES));
  SelectProfileItem(profiles.InsertItem(profiles.GetItemCount(), added->Name));
  SetChangesPending(true);
}

void CPManDlg::RefuseProfileEdit(ProfileRefusal refusal, const PMAcadProfile& profile) {
  switch (refusal) {
    case ProfileRefusal::CurrentProfile:
      fw::MessageBoxApp(hwnd(), LangString(IDS_CANNOT_DELETE_CURRENT), MB_OK | MB_ICONSTOP);
      break;
    case ProfileRefusal::LastProfile:
      fw::MessageBoxApp(hwnd(), LangString(IDS_CANNOT_DELETE_LAST), MB_OK | MB_ICONSTOP);
      break;
    case ProfileRefusal::ParkedProfile:
      fw::MessageBoxApp(hwnd(), FormatLangString(IDS_PROFILE_PARKED, profile.Name.c_str()), MB_OK | MB_ICONSTOP);
      break;
    default:
      break;  // names are refused by the profile dialogs; a kept name needs no message
  }
}

std::string CPManDlg::ParkedProfile(const PMAcad& product) {
  std::string parked;
  ReadParkedProfile(product.Key, parked);
  return parked;
}

void CPManDlg::OnDeleteProfile() {
  PMAcad* product = SelectedProduct();
  PMAcadProfile* profile = SelectedProfile();
  if (!product || !profile) return;
  const ProfileRefusal refusal = CheckDelete(*product, *profile, ParkedProfile(*product));
  if (refusal != ProfileRefusal::None) {
    RefuseProfileEdit(refusal, *profile);
    return;
  }
  if (fw::MessageBoxApp(hwnd(), FormatLangString(IDS_CONFIRM_DELETE, profile->Name.c_str()),
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  const int count = ListedProfileCount(*product);
  MarkDeleted(*product, *profile);

  const int item = profileIndex_;
  const int selection = item == count - 1 ? item - 1 : item;
  FillProfileList();
  SelectProfileItem(selection);
  FillApplicationList();
  SetChangesPending(true);
}

void CPManDlg::OnRenameProfile() {
  PMAcadProfile* profile = SelectedProfile();
  if (!SelectedProduct() || !profile) return;
  CRenameProfileDlg dialog(hwnd());
  dialog.namesInUse = NamesInUse(*SelectedProduct());
  dialog.oldName = profile->ShownName();
  dialog.newName = profile->ShownName();
  dialog.description = profile->Description;
  const int item = profileIndex_;
  if (dialog.DoModal() != IDOK) return;

  PMAcad* product = SelectedProduct();
  profile = ListedProfile(item);  // the model may have been reloaded meanwhile
  if (!product || !profile) return;
  const ProfileRefusal refusal =
      RenameProfile(*product, *profile, dialog.newName, dialog.description, ParkedProfile(*product));
  if (refusal == ProfileRefusal::None) {
    FillProfileList();
    SelectProfileItem(item);
  } else {
    RefuseProfileEdit(refusal, *profile);
  }
  fw::WindowRef(Item(IDC_DESCRIPTION)).SetText(profile->Description);
  SetChangesPending(true);
}

void CPManDlg::OnApplicationItemChanged(NMHDR* header) {
  const NMLISTVIEW& change = *reinterpret_cast<NMLISTVIEW*>(header);
  PMAcadProfile* profile = SelectedProfile();
  if (!SelectedProduct() || !profile) return;
  const bool isLink = change.iItem >= 0 && change.iItem < static_cast<int>(profile->Links.size());
  if (!filling_ && isLink) {
    PMAcadAppLink& link = profile->Links[change.iItem];
    // Any change of a ticked item counts, a click that only selects it included.
    if (fw::ListView::StateHasCheck(change.uNewState)) {
      link.State = LinkEnable;
      SetChangesPending(true);
    } else if (fw::ListView::StateHasCheck(change.uOldState)) {
      link.State = LinkNotLinked;
      link.MenuLoaded = 0;  // so that its menus are loaded again when it comes back
      SetChangesPending(true);
    }
  }
  fw::ListView applications(Item(IDC_APPLICATIONS));
  if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) {
    applicationIndex_ = change.iItem;
    fw::WindowRef(Item(IDC_MOVE_UP)).Enable(true);
    fw::WindowRef(Item(IDC_MOVE_DOWN)).Enable(true);
  } else if (applications.GetSelectedIndex() < 0) {
    applicationIndex_ = -1;
    fw::WindowRef(Item(IDC_MOVE_UP)).Enable(false);
    fw::WindowRef(Item(IDC_MOVE_DOWN)).Enable(false);
  }
}

void CPManDlg::OnMoveUp() {
  PMAcadProfile* profile = SelectedProfile();
  if (!SelectedProduct() || !profile) return;
  ShowMovedLink(MoveLinkUp(*profile, applicationIndex_));
}

void CPManDlg::OnMoveDown() {
  PMAcadProfile* profile = SelectedProfile();
  if (!SelectedProduct() || !profile) return;
  ShowMovedLink(MoveLinkDown(*profile, applicationIndex_));
}

void CPManDlg::ShowMovedLink(int index) {
  FillApplicationList();
  SelectApplicationItem(index);
  SetChangesPending(true);
}

void CPManDlg::OnResetOrder() {
  PMAcadProfile* profile = SelectedProfile();
  if (!SelectedProduct() || !profile) return;
  ResetLoadOrder(*profile);
  FillApplicationList();
  SetChangesPending(true);
}

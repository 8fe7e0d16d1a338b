// The main dialog's profile commands and the application list: edits of the model in memory.
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <algorithm>

#include "engine/load_order.h"
#include "engine/profiles.h"
#include "framework/language.h"
#include "framework/listview.h"
#include "framework/msgbox.h"
#include "resources/resource.h"
#include "ui/main_dialog.h"
#include "ui/profile_dialogs.h"

namespace {

// Whether any profile of product is called name, by its Name or by a pending NewName.
bool IsNameInUse(const PMAcad& product, const std::string& name) {
  for (const PMAcadProfile& profile : product.Profiles) {
    if (SameProfileName(profile.Name, name)) return true;
    if (!profile.NewName.empty() && SameProfileName(profile.NewName, name)) return true;
  }
  return false;
}

std::vector<std::string> NamesInUse(const PMAcad& product) {
  std::vector<std::string> names;
  for (const PMAcadProfile& profile : product.Profiles) {
    names.push_back(profile.Name);
    if (!profile.NewName.empty()) names.push_back(profile.NewName);
  }
  return names;
}

// A new profile's links: one per application, enabled where the source profile has it enabled.
std::vector<PMAcadAppLink> LinksLike(const PMAcad& product, const PMAcadProfile& source) {
  std::vector<PMAcadAppLink> links;
  for (size_t i = 0; i < product.Applications.size(); ++i) {
    PMAcadAppLink link;
    link.Name = product.Applications[i].Name;
    link.StdLoadOrder = 0;
    // The application stays reachable, so that Run and the shortcut find its template and icon
    // before the next refresh.
    link.Application = static_cast<int>(i);
    link.State = LinkNotLinked;
    for (const PMAcadAppLink& sourceLink : source.Links)
      if (sourceLink.Name == link.Name) link.State = sourceLink.State;
    links.push_back(link);
  }
  return links;
}

}  // namespace

void CPManDlg::OnSetCurrent() {
  PMAcad* product = SelectedProduct();
  PMAcadProfile* profile = SelectedProfile();
  if (!product || !profile) return;
  product->CurrentProfile = profile->ShownName();
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
  if (!product || dialog.sourceIndex < 0 || dialog.sourceIndex >= static_cast<int>(product->Profiles.size()))
    return;
  const PMAcadProfile& source = product->Profiles[dialog.sourceIndex];
  PMAcadProfile added;
  added.Name = dialog.name;
  added.Description = dialog.description;
  added.SourceName = source.Name;
  added.State = ProfileCreate;
  added.Links = LinksLike(*product, source);
  product->Profiles.push_back(added);
  fw::WindowRef(Item(IDC_DESCRIPTION)).SetText(added.Description);

  fw::ListView profiles(Item(IDC_PROFILES));
  SelectProfileItem(profiles.InsertItem(profiles.GetItemCount(), added.Name));
  SetChangesPending(true);
}

void CPManDlg::OnDeleteProfile() {
  PMAcad* product = SelectedProduct();
  PMAcadProfile* profile = SelectedProfile();
  if (!product || !profile) return;
  // The shown name: after a pending rename of the current profile, CurrentProfile holds the new name.
  if (profile->ShownName() == product->CurrentProfile) {
    fw::MessageBoxApp(hwnd(), LangString(IDS_CANNOT_DELETE_CURRENT), MB_OK | MB_ICONSTOP);
    return;
  }
  if (RefuseParkedProfile(*product, *profile)) return;
  fw::ListView profiles(Item(IDC_PROFILES));
  const int count = profiles.GetItemCount();
  if (count == 1) {
    fw::MessageBoxApp(hwnd(), LangString(IDS_CANNOT_DELETE_LAST), MB_OK | MB_ICONSTOP);
    return;
  }
  if (fw::MessageBoxApp(hwnd(), FormatLangString(IDS_CONFIRM_DELETE, profile->Name.c_str()),
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;

  profile->State = ProfileDelete;
  // A pending rename would otherwise copy the profile to its new name on apply instead of deleting it.
  profile->NewName.clear();
  auto& all = product->Profiles;
  std::rotate(all.begin() + (profile - all.data()), all.begin() + (profile - all.data()) + 1, all.end());

  const int item = profileIndex_;
  const int selection = item == count - 1 ? item - 1 : item;
  FillProfileList();
  SelectProfileItem(selection);
  FillApplicationList();
  SetChangesPending(true);
}

bool CPManDlg::RefuseParkedProfile(const PMAcad& product, const PMAcadProfile& profile) {
  if (!IsParkedProfile(product.Key, profile.Name)) return false;
  fw::MessageBoxApp(hwnd(), FormatLangString(IDS_PROFILE_PARKED, profile.Name.c_str()), MB_OK | MB_ICONSTOP);
  return true;
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
  const std::string oldName = profile->ShownName();
  if (!SameProfileName(dialog.newName, oldName) && !IsNameInUse(*product, dialog.newName) &&
      !RefuseParkedProfile(*product, *profile)) {
    if (profile->State == ProfileCreate)
      profile->Name = dialog.newName;
    else
      profile->NewName = dialog.newName;
    if (product->CurrentProfile == oldName) product->CurrentProfile = dialog.newName;
    FillProfileList();
    SelectProfileItem(item);
  }
  profile->Description = dialog.description;
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

#include "tests/ui_dialogs/dialog_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "framework/combobox.h"
#include "framework/listview.h"
#include "resources/resource.h"
#include "tests/framework/testkit/modal_runner.h"

namespace drive {

std::vector<std::string> Items(HWND dialog, int listId) {
  fw::ListView list(dialog, listId);
  std::vector<std::string> items;
  for (int i = 0; i < list.GetItemCount(); ++i) items.push_back(list.GetItemText(i));
  return items;
}

std::string Applications(HWND dialog) {
  fw::ListView list(dialog, IDC_APPLICATIONS);
  std::string text;
  for (int i = 0; i < list.GetItemCount(); ++i)
    text += (i ? " " : "") + list.GetItemText(i) + (list.GetCheck(i) ? "+" : "-");
  return text;
}

int Selected(HWND dialog, int listId) { return fw::ListView(dialog, listId).GetSelectedIndex(); }

bool IsEnabled(HWND dialog, int id) { return fw::WindowRef(dialog, id).IsEnabled(); }

void Select(HWND dialog, int listId, int item) {
  fw::ListView list(dialog, listId);
  ASSERT_TRUE(list.IsValid()) << "no list " << listId;
  ASSERT_LT(item, list.GetItemCount()) << "list " << listId;
  EXPECT_TRUE(list.SelectItem(item)) << "list " << listId << " item " << item;
}

void Check(HWND dialog, int item, bool checked) {
  fw::ListView list(dialog, IDC_APPLICATIONS);
  ASSERT_LT(item, list.GetItemCount());
  EXPECT_TRUE(list.SetCheck(item, checked)) << "item " << item;
}

void ChooseProduct(HWND dialog, int entry) {
  fw::ComboBox products(dialog, IDC_PRODUCTS);
  ASSERT_TRUE(products.SetCurSel(entry)) << "entry " << entry;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRODUCTS, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(products.hwnd()));
}

void PressF5(HWND dialog) { fwtest::PostKey(GetDlgItem(dialog, IDC_PROFILES), VK_F5); }

LRESULT Notify(HWND dialog, int listId, UINT code, int item) {
  NMLISTVIEW notification = {};
  notification.hdr.hwndFrom = GetDlgItem(dialog, listId);
  notification.hdr.idFrom = static_cast<UINT_PTR>(listId);
  notification.hdr.code = code;
  notification.iItem = item;
  return SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(listId),
                      reinterpret_cast<LPARAM>(&notification));
}

void Type(HWND dialog, int id, const std::string& text) {
  HWND control = GetDlgItem(dialog, id);
  ASSERT_NE(nullptr, control) << "no control " << id;
  SetWindowTextA(control, text.c_str());
}

}  // namespace drive

namespace show {

std::string Profiles(const PMAcad& product) {
  std::string text;
  for (const PMAcadProfile& profile : product.Profiles) {
    text += (text.empty() ? "" : " ") + profile.Name;
    if (!profile.NewName.empty()) text += ">" + profile.NewName;
    text += "/" + std::to_string(profile.State);
  }
  return text;
}

std::string Links(const PMAcadProfile& profile) {
  std::string text;
  for (const PMAcadAppLink& link : profile.Links)
    text += (text.empty() ? "" : " ") + link.Name + ":" + std::to_string(link.State) + ":" +
            std::to_string(link.LoadOrder) + ":" + std::to_string(link.MenuLoaded);
  return text;
}

}  // namespace show

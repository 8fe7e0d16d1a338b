// What every test of the main dialog needs: private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees
// (the registration library runs in this process and is redirected with it) seeded with a small
// installation of two AutoCAD products, OLE, the common controls, a private application-data
// folder, English texts and a script for the message boxes; and the controls worked as the user
// would. Header only: the two test files of the dialog share it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// needs windows.h before them
#include <commctrl.h>
#include <ole2.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/model.h"
#include "framework/combobox.h"
#include "framework/language.h"
#include "framework/listview.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/framework/windowed_test.h"
#include "tests/support/private_registry.h"
#include "tests/support/scratch_folder.h"

using seed::SetString;
using Names = std::vector<std::string>;

// The seeded world: product keys and the names the tests refer to.
namespace world {

inline constexpr char kAcadId[] = "AutoCAD\\R16.1\\ACAD-301:409";   // applications Alpha, Beta, Gamma
inline constexpr char kAcadName[] = "AutoCAD 2005";                 // profiles Default, Home, Work
inline constexpr char kLtId[] = "AutoCAD LT\\R10\\ACADLT-301:409";  // application Alpha
inline constexpr char kLtName[] = "AutoCAD LT 2005";                // profiles Drafting, Plot

inline std::string ProductKey(const std::string& acadId) { return "Software\\Autodesk\\" + acadId; }
inline std::string ProfilesKey(const std::string& acadId) { return ProductKey(acadId) + "\\Profiles"; }
inline std::string ProfileKey(const std::string& acadId, const std::string& profile) {
  return ProfilesKey(acadId) + "\\" + profile;
}

}  // namespace world

// Reading and working the main dialog's controls from a test step, as the user would.
namespace drive {

// Item texts of a list view.
inline std::vector<std::string> Items(HWND dialog, int listId) {
  fw::ListView list(dialog, listId);
  std::vector<std::string> items;
  for (int i = 0; i < list.GetItemCount(); ++i) items.push_back(list.GetItemText(i));
  return items;
}
// "Alpha+ Beta- ...": the application list with its check marks.
inline std::string Applications(HWND dialog) {
  fw::ListView list(dialog, IDC_APPLICATIONS);
  std::string text;
  for (int i = 0; i < list.GetItemCount(); ++i)
    text += (i ? " " : "") + list.GetItemText(i) + (list.GetCheck(i) ? "+" : "-");
  return text;
}
// The selected item of a list view, or -1.
inline int Selected(HWND dialog, int listId) { return fw::ListView(dialog, listId).GetSelectedIndex(); }
inline bool IsEnabled(HWND dialog, int id) { return fw::WindowRef(dialog, id).IsEnabled(); }
// Selects (and focuses) one item of a list view; the dialog hears of it as of a click.
inline void Select(HWND dialog, int listId, int item) {
  fw::ListView list(dialog, listId);
  ASSERT_LT(item, list.GetItemCount()) << "list " << listId;
  EXPECT_TRUE(list.SelectItem(item)) << "list " << listId << " item " << item;
}
// Ticks or clears an application's check box.
inline void Check(HWND dialog, int item, bool checked) {
  EXPECT_TRUE(fw::ListView(dialog, IDC_APPLICATIONS).SetCheck(item, checked)) << "item " << item;
}
// Chooses an entry of a combo box (the product list unless told), as a click would (with the
// selection-change notification).
inline void ChooseProduct(HWND dialog, int entry, int comboId = IDC_PRODUCTS) {
  fw::ComboBox combo(dialog, comboId);
  ASSERT_TRUE(combo.SetCurSel(entry)) << "entry " << entry;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo.hwnd()));
}
// Sends the notification code for item of the profile list, as the control would.
inline void NotifyProfiles(HWND dialog, UINT code, int item) {
  NMLISTVIEW notification = {};
  notification.hdr.hwndFrom = GetDlgItem(dialog, IDC_PROFILES);
  notification.hdr.idFrom = IDC_PROFILES;
  notification.hdr.code = code;
  notification.iItem = item;
  SendMessageA(dialog, WM_NOTIFY, IDC_PROFILES, reinterpret_cast<LPARAM>(&notification));
}
// Types text into a control of a (nested) dialog.
inline void Type(HWND dialog, int id, const std::string& text) {
  ASSERT_TRUE(SetDlgItemTextA(dialog, id, text.c_str())) << "no control " << id;
}

}  // namespace drive

// A message box as DialogTest::Shown lists it.
inline std::string Box(const std::string& text, UINT flags) { return text + "|" + std::to_string(flags); }

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Its two views stay apart, so the 32-bit products are not found again by the 64-bit scan.
    registry_.reset(new PrivateRegistry("ui_dialogs"));
    ASSERT_TRUE(registry_->ok());
    // The user's application-data folder, where applies keep their backups, is a private one too.
    SetString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
              "AppData", appData_.Path());
    oleInitialized_ = SUCCEEDED(::OleInitialize(nullptr));
    fwtest::InitControlsOnce();
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));

    using namespace world;
    for (const char* id : {kAcadId, kLtId}) {
      const bool lt = id == kLtId;
      SeedProduct(id, lt ? kLtName : kAcadName);
      const std::string root = ProductKey(id) + "\\Applications\\Tarnwick";
      for (const char* application : {"Alpha", "Beta", "Gamma"}) {
        if (lt && application[0] != 'A') break;
        SetString(HKEY_LOCAL_MACHINE, root + "\\Applications\\" + application, "Loader",
                  std::string("C:\\Apps\\") + application + ".arx");
        seed::SetDword(HKEY_LOCAL_MACHINE, root + "\\StdLoadOrder", application,
                       10 * (application[0] - 'A' + 1));
      }
    }
    SetString(HKEY_LOCAL_MACHINE, ProductKey(kAcadId) + "\\Applications\\Tarnwick\\Applications\\Beta",
              "Template", "C:\\Templates\\iso a3.dwt");
    SeedCurrentProfile(kAcadId, "Default");
    SeedLink(kAcadId, "Default", "Alpha", 1);
    SeedLink(kAcadId, "Default", "Beta", 2, 1);
    SeedLink(kAcadId, "Home", "Beta", 1, 1);
    for (const char* application : {"Alpha", "Beta", "Gamma"}) SeedLink(kAcadId, "Work", application, 0);
    SeedCurrentProfile(kLtId, "Drafting");
    SetString(HKEY_CURRENT_USER, ProfileKey(kLtId, "Drafting"), "", "Drafting work");
    SetString(HKEY_CURRENT_USER, ProfileKey(kLtId, "Plot"), "", "Plotting");
    SeedLink(kLtId, "Plot", "Alpha", 1);
  }
  void TearDown() override {
    if (oleInitialized_) ::OleUninitialize();
    registry_.reset();
    EXPECT_EQ(ERROR_SUCCESS, PrivateRegistry::LastCleanup());
  }

  // Products go into the 32-bit view only.
  static void SeedProduct(const std::string& acadId, const std::string& productName) {
    SetString(HKEY_LOCAL_MACHINE, world::ProductKey(acadId), "ProductName", productName);
    SetString(HKEY_LOCAL_MACHINE, world::ProductKey(acadId), "Location", "C:\\Program Files\\" + productName);
  }
  static void SeedCurrentProfile(const std::string& acadId, const std::string& profile) {
    SetString(HKEY_CURRENT_USER, world::ProfilesKey(acadId), "", profile);
  }
  // loadOrder 0 stores no LoadOrder value.
  static void SeedLink(const std::string& acadId, const std::string& profile, const std::string& application,
                       DWORD loadOrder, DWORD menuLoaded = 0) {
    const std::string key = world::ProfileKey(acadId, profile) + "\\Tarnwick\\Applications\\" + application;
    if (loadOrder != 0) seed::SetDword(HKEY_CURRENT_USER, key, "LoadOrder", loadOrder);
    seed::SetDword(HKEY_CURRENT_USER, key, "MenuLoaded", menuLoaded);
  }

  // Clicks Delete (on profile item, when given) and gives the box it shows the answer.
  void Delete(HWND dialog, int answer, int item = -1) {
    if (item >= 0) drive::Select(dialog, IDC_PROFILES, item);
    boxes_.Answer(answer);
    fwtest::Click(dialog, IDC_DELETE_PROFILE);
  }
  // The private application-data folder that the shell reports, with a trailing backslash.
  std::string AppData() const { return appData_.Path() + "\\"; }
  // The message boxes shown so far, "text|flags" each.
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& box : boxes_.shown()) shown.push_back(Box(box.text, box.flags));
    return shown;
  }

  fwtest::MessageBoxScript boxes_;

 private:
  std::unique_ptr<PrivateRegistry> registry_;
  ScratchFolder appData_;
  bool oleInitialized_ = false;
};

// "Alpha:1:3:0 Beta:...": the profile's links in the model, Name, State, LoadOrder, MenuLoaded each.
inline std::string ShownLinks(const PMAcadProfile& profile) {
  std::string text;
  for (const PMAcadAppLink& link : profile.Links)
    text += (text.empty() ? "" : " ") + link.Name + ":" + std::to_string(link.State) + ":" +
            std::to_string(link.LoadOrder) + ":" + std::to_string(link.MenuLoaded);
  return text;
}

#include "tests/ui_dialogs/dialog_fixture.h"

#include <commctrl.h>
#include <ole2.h>

#include "framework/combobox.h"
#include "framework/language.h"
#include "framework/listview.h"
#include "resources/resource.h"
#include "tests/framework/windowed_test.h"

namespace world {

const char kAcadId[] = "AutoCAD\\R16.1\\ACAD-301:409";
const char kAcadName[] = "AutoCAD 2005";
const char kLtId[] = "AutoCAD LT\\R10\\ACADLT-301:409";
const char kLtName[] = "AutoCAD LT 2005";

std::string ProductKey(const std::string& acadId) { return "Software\\Autodesk\\" + acadId; }
std::string ProfilesKey(const std::string& acadId) { return ProductKey(acadId) + "\\Profiles"; }
std::string ProfileKey(const std::string& acadId, const std::string& profile) {
  return ProfilesKey(acadId) + "\\" + profile;
}

}  // namespace world

void DialogTest::SetUp() {
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
  SeedCurrentProfile(kAcadId, "Default");
  SeedProfile(kAcadId, "Default", "The default profile");
  SeedProfile(kAcadId, "Home", "");
  SeedProfile(kAcadId, "Work", "Office work");
  SeedLink(kAcadId, "Default", "Alpha", 1);
  SeedLink(kAcadId, "Default", "Beta", 2, 1);
  for (const char* application : {"Alpha", "Beta", "Gamma"}) SeedLink(kAcadId, "Work", application, 0);
  SeedCurrentProfile(kLtId, "Drafting");
  SeedProfile(kLtId, "Drafting", "Drafting work");
  SeedProfile(kLtId, "Plot", "Plotting");
  SeedLink(kLtId, "Plot", "Alpha", 1);
}

void DialogTest::TearDown() {
  if (oleInitialized_) ::OleUninitialize();
  registry_.reset();
  EXPECT_EQ(ERROR_SUCCESS, PrivateRegistry::LastCleanup());
}

void DialogTest::SeedProduct(const std::string& acadId, const std::string& productName) {
  SetString(HKEY_LOCAL_MACHINE, world::ProductKey(acadId), "ProductName", productName);
  SetString(HKEY_LOCAL_MACHINE, world::ProductKey(acadId), "Location", "C:\\Program Files\\" + productName);
}

void DialogTest::SeedProfile(const std::string& acadId, const std::string& profile,
                             const std::string& description) {
  SetString(HKEY_CURRENT_USER, world::ProfileKey(acadId, profile), "", description);
  // Something of AutoCAD's own, which copies must carry along.
  SetString(HKEY_CURRENT_USER, world::ProfileKey(acadId, profile) + "\\General", "Color",
            profile + " colour");
}

void DialogTest::SeedCurrentProfile(const std::string& acadId, const std::string& profile) {
  SetString(HKEY_CURRENT_USER, world::ProfilesKey(acadId), "", profile);
}

void DialogTest::SeedLink(const std::string& acadId, const std::string& profile,
                          const std::string& application, DWORD loadOrder, DWORD menuLoaded) {
  const std::string key = world::ProfileKey(acadId, profile) + "\\Tarnwick\\Applications\\" + application;
  if (loadOrder != 0) seed::SetDword(HKEY_CURRENT_USER, key, "LoadOrder", loadOrder);
  seed::SetDword(HKEY_CURRENT_USER, key, "MenuLoaded", menuLoaded);
}

void DialogTest::SeedCurAcad(const std::string& productName) {
  SetString(HKEY_CURRENT_USER, "Software\\Brevent Software\\Tarnwick\\1.0", "CurAcad", productName);
}

std::vector<std::string> DialogTest::Shown() const {
  std::vector<std::string> shown;
  for (const auto& box : boxes_.shown()) shown.push_back(Box(box.text, box.flags));
  return shown;
}

std::string Box(const std::string& text, UINT flags) { return text + "|" + std::to_string(flags); }

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
  ASSERT_LT(item, list.GetItemCount()) << "list " << listId;
  EXPECT_TRUE(list.SelectItem(item)) << "list " << listId << " item " << item;
}

void Check(HWND dialog, int item, bool checked) {
  EXPECT_TRUE(fw::ListView(dialog, IDC_APPLICATIONS).SetCheck(item, checked)) << "item " << item;
}

void ChooseProduct(HWND dialog, int entry) {
  fw::ComboBox products(dialog, IDC_PRODUCTS);
  ASSERT_TRUE(products.SetCurSel(entry)) << "entry " << entry;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRODUCTS, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(products.hwnd()));
}

void NotifyProfiles(HWND dialog, UINT code, int item) {
  NMLISTVIEW notification = {};
  notification.hdr.hwndFrom = GetDlgItem(dialog, IDC_PROFILES);
  notification.hdr.idFrom = IDC_PROFILES;
  notification.hdr.code = code;
  notification.iItem = item;
  SendMessageA(dialog, WM_NOTIFY, IDC_PROFILES, reinterpret_cast<LPARAM>(&notification));
}

void Type(HWND dialog, int id, const std::string& text) {
  ASSERT_TRUE(SetDlgItemTextA(dialog, id, text.c_str())) << "no control " << id;
}

}  // namespace drive

namespace show {

std::string Links(const PMAcadProfile& profile) {
  std::string text;
  for (const PMAcadAppLink& link : profile.Links)
    text += (text.empty() ? "" : " ") + link.Name + ":" + std::to_string(link.State) + ":" +
            std::to_string(link.LoadOrder) + ":" + std::to_string(link.MenuLoaded);
  return text;
}

}  // namespace show

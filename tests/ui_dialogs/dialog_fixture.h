// What every test of the main dialog needs: private HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees
// (the registration library runs in this process and is redirected with it) seeded with a small
// installation of two AutoCAD products, OLE, the common controls, a private application-data
// folder, English texts and a script for the message boxes; and the controls worked as the user
// would.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/model.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/support/private_registry.h"
#include "tests/support/scratch_folder.h"

using seed::SetString;

// The seeded world: product keys and the names the tests refer to.
namespace world {

extern const char kAcadId[];  // AutoCAD 2005: applications Alpha, Beta, Gamma; profiles Default, Home, Work
extern const char kAcadName[];
extern const char kLtId[];  // AutoCAD LT 2005: application Alpha; profiles Drafting, Plot
extern const char kLtName[];

std::string ProductKey(const std::string& acadId);
std::string ProfilesKey(const std::string& acadId);
std::string ProfileKey(const std::string& acadId, const std::string& profile);

}  // namespace world

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Products go into the 32-bit view only.
  static void SeedProduct(const std::string& acadId, const std::string& productName);
  static void SeedProfile(const std::string& acadId, const std::string& profile,
                          const std::string& description);
  static void SeedCurrentProfile(const std::string& acadId, const std::string& profile);
  // loadOrder 0 stores no LoadOrder value.
  static void SeedLink(const std::string& acadId, const std::string& profile, const std::string& application,
                       DWORD loadOrder, DWORD menuLoaded = 0);
  static void SeedCurAcad(const std::string& productName);

  // The private application-data folder that the shell reports, with a trailing backslash.
  std::string AppData() const { return appData_.Path() + "\\"; }
  // Reading back below HKEY_CURRENT_USER.
  static std::string StringValue(const std::string& path, const std::string& name) {
    return inspect::Text(HKEY_CURRENT_USER, path, name);
  }
  static std::vector<std::string> Subkeys(const std::string& path) {
    return inspect::SubkeyNames(HKEY_CURRENT_USER, path);
  }
  // The message boxes shown so far, "text|flags" each.
  std::vector<std::string> Shown() const;

  fwtest::MessageBoxScript boxes_;

 private:
  std::unique_ptr<PrivateRegistry> registry_;
  ScratchFolder appData_;
  bool oleInitialized_ = false;
};

// A message box as Shown lists it.
std::string Box(const std::string& text, UINT flags);

// Reading and working the main dialog's controls from a test step, as the user would.
namespace drive {

// Item texts of a list view.
std::vector<std::string> Items(HWND dialog, int listId);
// "Alpha+ Beta- ...": the application list with its check marks.
std::string Applications(HWND dialog);
// The selected item of a list view, or -1.
int Selected(HWND dialog, int listId);
bool IsEnabled(HWND dialog, int id);
// Selects (and focuses) one item of a list view; the dialog hears of it as of a click.
void Select(HWND dialog, int listId, int item);
// Ticks or clears an application's check box.
void Check(HWND dialog, int item, bool checked);
// Chooses an entry of the product list, as a click would (with the selection-change notification).
void ChooseProduct(HWND dialog, int entry);
// Sends the notification code for item of the profile list, as the control would.
void NotifyProfiles(HWND dialog, UINT code, int item);
// Types text into a control of a (nested) dialog.
void Type(HWND dialog, int id, const std::string& text);

}  // namespace drive

// The model as short text, for comparisons that print what they found.
namespace show {

// "Alpha:1:3:0 Beta:...": Name, State, LoadOrder, MenuLoaded.
std::string Links(const PMAcadProfile& profile);

}  // namespace show

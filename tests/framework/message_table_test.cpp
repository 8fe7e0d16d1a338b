// The message table: which entry a message reaches, and that it reaches only that one.
#include "framework/message_table.h"

#include <gtest/gtest.h>
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kProducts = 1003;
constexpr UINT kProfiles = 1001;
constexpr UINT kApply = 11;
constexpr UINT kRun = 136;

class TableTarget {
 public:
  std::vector<std::string> calls;
  static const fw::MessageEntry<TableTarget> kMessages[];

  void OnSelectProduct() { calls.push_back("select product"); }
  void OnSelectProductAgain() { calls.push_back("select product again"); }
  void OnApply() { calls.push_back("apply"); }
  void OnRun() { calls.push_back("run"); }
  void OnProfileChanged(NMHDR* header) {
    calls.push_back("profile changed " + std::to_string(header->idFrom));
  }
  bool OnSysCommand(WPARAM command, LPARAM) {
    calls.push_back("system command");
    return command == 16;
  }
};

const fw::MessageEntry<TableTarget> TableTarget::kMessages[] = {
    {fw::OnCommand(kProducts, CBN_SELCHANGE), &TableTarget::OnSelectProduct},
    {fw::OnNotify(kProfiles, LVN_ITEMCHANGED), &TableTarget::OnProfileChanged},
    {fw::OnMessage(WM_SYSCOMMAND), &TableTarget::OnSysCommand},
    {fw::OnCommand(kApply), &TableTarget::OnApply},
    {fw::OnCommand(kRun), &TableTarget::OnRun},
    {fw::OnCommand(kProducts, CBN_SELCHANGE), &TableTarget::OnSelectProductAgain},
};

const LPARAM kSomeControl = 0x1234;  // WM_COMMAND from a control carries its window

// The table has the same command twice: only the first entry may run.
TEST(MessageTable, FirstMatchingEntryOnlyAndNothingForOtherCodes) {
  NMHDR profileChanged = {nullptr, kProfiles, LVN_ITEMCHANGED};
  NMHDR profileDrag = {nullptr, kProfiles, LVN_BEGINDRAG};
  NMHDR unknownControl = {nullptr, 4711, LVN_ITEMCHANGED};
  struct Row {
    fw::DialogMessage message;
    bool handled;
    std::vector<std::string> calls;
  };
  const Row rows[] = {
      {{WM_COMMAND, MAKEWPARAM(kProducts, CBN_SELCHANGE), kSomeControl}, true, {"select product"}},
      {{WM_COMMAND, MAKEWPARAM(kProducts, CBN_DROPDOWN), kSomeControl}, false, {}},
      {{WM_COMMAND, MAKEWPARAM(kApply, BN_CLICKED), kSomeControl}, true, {"apply"}},
      {{WM_COMMAND, MAKEWPARAM(kRun, 1), 0}, true, {"run"}},  // accelerator: no control, code 1
      {{WM_COMMAND, MAKEWPARAM(kRun + 1, 0), 0}, false, {}},
      {{WM_NOTIFY, kProfiles, reinterpret_cast<LPARAM>(&profileChanged)}, true, {"profile changed 1001"}},
      {{WM_NOTIFY, kProfiles, reinterpret_cast<LPARAM>(&profileDrag)}, false, {}},
      {{WM_NOTIFY, 4711, reinterpret_cast<LPARAM>(&unknownControl)}, false, {}},
      {{WM_NOTIFY, kProfiles, 0}, false, {}},  // no header: matches nothing rather than crashing
      {{WM_SYSCOMMAND, 16, 0}, true, {"system command"}},
      {{WM_SYSCOMMAND, SC_CLOSE, 0}, false, {"system command"}},  // declined: default processing
      {{WM_TIMER, 1, 0}, false, {}},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    TableTarget target;
    bool handled = fw::Dispatch(target, TableTarget::kMessages, rows[i].message);
    EXPECT_EQ(rows[i].handled, handled) << "row " << i;
    EXPECT_EQ(rows[i].calls, target.calls) << "row " << i;
  }
}

}  // namespace

// Static, ordered message tables for dialogs. A dialog class lists its handlers once:
//
//   const fw::MessageEntry<CMyDlg> CMyDlg::kMessages[] = {
//       {fw::OnCommand(IDC_PRODUCTS, CBN_SELCHANGE), &CMyDlg::OnSelectProduct},
//       {fw::OnNotify(IDC_PROFILES, LVN_ITEMCHANGED), &CMyDlg::OnProfileChanged},
//       {fw::OnMessage(WM_SYSCOMMAND), &CMyDlg::OnSysCommand},
//   };
//   bool CMyDlg::DispatchTable(const fw::DialogMessage& m) { return fw::Dispatch(*this, kMessages, m); }
//
// The first entry that matches a message handles it; later entries are not consulted.
#pragma once

#include <windows.h>

#include <cstddef>

namespace fw {

// One message as the dialog procedure received it.
struct DialogMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

struct CommandKey {
  UINT id;
  UINT code;
};
struct NotifyKey {
  UINT_PTR id;
  UINT code;
};
struct WindowMessageKey {
  UINT message;
};

// WM_COMMAND from control id with notification code; menu items and accelerators count as BN_CLICKED (0).
constexpr CommandKey OnCommand(UINT id, UINT code = BN_CLICKED) { return CommandKey{id, code}; }
// WM_NOTIFY from control id with notification code.
constexpr NotifyKey OnNotify(UINT_PTR id, UINT code) { return NotifyKey{id, code}; }
// Any other message to the dialog window.
constexpr WindowMessageKey OnMessage(UINT message) { return WindowMessageKey{message}; }

// The notification code of a WM_COMMAND as the table sees it.
inline UINT CommandCode(WPARAM wParam, LPARAM lParam) {
  return lParam == 0 ? static_cast<UINT>(BN_CLICKED) : HIWORD(wParam);
}

template <class T>
class MessageEntry {
 public:
  using CommandHandler = void (T::*)();
  using NotifyHandler = void (T::*)(NMHDR*);
  // Returns whether it handled the message; false lets the dialog's default processing have it.
  using MessageHandler = bool (T::*)(WPARAM, LPARAM);

  constexpr MessageEntry(CommandKey key, CommandHandler handler)
      : message_(WM_COMMAND), id_(key.id), code_(key.code), onCommand_(handler) {}
  constexpr MessageEntry(NotifyKey key, NotifyHandler handler)
      : message_(WM_NOTIFY), id_(key.id), code_(key.code), onNotify_(handler) {}
  constexpr MessageEntry(WindowMessageKey key, MessageHandler handler)
      : message_(key.message), onMessage_(handler) {}

  bool Matches(const DialogMessage& m) const {
    if (m.message != message_) return false;
    if (onCommand_) return LOWORD(m.wParam) == id_ && CommandCode(m.wParam, m.lParam) == code_;
    if (onNotify_) {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(m.lParam);
      return header != nullptr && header->idFrom == id_ && header->code == code_;
    }
    return true;
  }

  // Calls the handler; returns whether the message counts as handled.
  bool Invoke(T& target, const DialogMessage& m) const {
    if (onCommand_) {
      (target.*onCommand_)();
      return true;
    }
    if (onNotify_) {
      (target.*onNotify_)(reinterpret_cast<NMHDR*>(m.lParam));
      return true;
    }
    return (target.*onMessage_)(m.wParam, m.lParam);
  }

 private:
  UINT message_;
  UINT_PTR id_ = 0;
  UINT code_ = 0;
  CommandHandler onCommand_ = nullptr;
  NotifyHandler onNotify_ = nullptr;
  MessageHandler onMessage_ = nullptr;
};

// Hands m to the first matching entry of table; false when none matches or the handler declined.
template <class T, std::size_t N>
bool Dispatch(T& target, const MessageEntry<T> (&table)[N], const DialogMessage& m) {
  for (const MessageEntry<T>& entry : table) {
    if (entry.Matches(m)) return entry.Invoke(target, m);
  }
  return false;
}

}  // namespace fw

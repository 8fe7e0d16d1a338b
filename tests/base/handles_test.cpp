// The handle owners: each closes exactly what it holds, once.
#include "base/handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

namespace {

bool IsOpenKernelHandle(HANDLE h) {
  DWORD flags = 0;
  return GetHandleInformation(h, &flags) != FALSE;
}

TEST(Handles, MoveTransfersOwnershipAndCloseHappensOnce) {
  HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(nullptr, raw);
  {
    fw::Handle first(raw);
    fw::Handle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(nullptr, first.get());
    EXPECT_EQ(raw, second.get());
    fw::Handle third;
    third = std::move(second);
    EXPECT_EQ(raw, third.get());
    EXPECT_TRUE(IsOpenKernelHandle(raw));
    third = std::move(third);  // self-move keeps the handle
    EXPECT_TRUE(IsOpenKernelHandle(raw));
  }
  EXPECT_FALSE(IsOpenKernelHandle(raw));
}

TEST(Handles, MoveAssignmentClosesWhatWasHeld) {
  fw::Handle kept(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  fw::Handle replaced(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  HANDLE replacedRaw = replaced.get();
  HANDLE keptRaw = kept.get();
  replaced = std::move(kept);
  EXPECT_FALSE(IsOpenKernelHandle(replacedRaw));
  EXPECT_TRUE(IsOpenKernelHandle(keptRaw));
}

TEST(Handles, ResetAndRelease) {
  fw::Handle owner(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  HANDLE first = owner.get();
  HANDLE second = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  owner.reset(second);
  EXPECT_FALSE(IsOpenKernelHandle(first));
  EXPECT_EQ(second, owner.get());

  HANDLE released = owner.release();
  EXPECT_EQ(second, released);
  EXPECT_FALSE(owner);
  owner.reset();
  EXPECT_TRUE(IsOpenKernelHandle(released));  // released means no longer ours to close
  CloseHandle(released);
}

TEST(Handles, FileHandleTreatsInvalidHandleValueAsEmpty) {
  fw::FileHandle none;
  EXPECT_FALSE(none);
  EXPECT_EQ(INVALID_HANDLE_VALUE, none.get());
  fw::FileHandle failed(
      CreateFileA("Z:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(failed);
  failed.reset();  // must not try to close INVALID_HANDLE_VALUE
  EXPECT_EQ(INVALID_HANDLE_VALUE, failed.release());
}

bool IsOpenKey(HKEY key) {
  return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TEST(Handles, PutDropsTheOldHandleBeforeReceivingANewOne) {
  fw::RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.put()));
  HKEY first = key.get();
  EXPECT_TRUE(IsOpenKey(first));
  HKEY* slot = key.put();
  EXPECT_FALSE(IsOpenKey(first)) << "first key still open";
  EXPECT_EQ(nullptr, *slot);
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, slot));
  HKEY second = key.get();
  EXPECT_TRUE(IsOpenKey(second));
  key.reset();
  EXPECT_FALSE(IsOpenKey(second));
}

TEST(Handles, EachKindClosesWithItsOwnFunction) {
  {
    fw::GdiObject brush(CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ raw = brush.get();
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(raw));
    brush.reset();
    EXPECT_EQ(0u, GetObjectType(raw));
  }
  {
    fw::Menu menu(CreatePopupMenu());
    HMENU raw = menu.get();
    EXPECT_TRUE(IsMenu(raw));
    menu.reset();
    EXPECT_FALSE(IsMenu(raw));
  }
  {
    fw::GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, 64));
    HGLOBAL raw = memory.get();
    EXPECT_EQ(64u, GlobalSize(raw));
    memory.reset();
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(raw));
  }
  {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    WIN32_FIND_DATAA found;
    fw::FindHandle search(FindFirstFileA((std::string(windows) + "\\*").c_str(), &found));
    ASSERT_TRUE(search);
    HANDLE raw = search.get();
    EXPECT_TRUE(FindNextFileA(raw, &found));
    search.reset();
    EXPECT_FALSE(FindNextFileA(raw, &found));
  }
  {
    EXPECT_EQ(nullptr, GetModuleHandleA("hid.dll")) << "test needs a library nobody else loaded";
    fw::Module library(LoadLibraryA("hid.dll"));
    ASSERT_TRUE(library);
    EXPECT_NE(nullptr, GetModuleHandleA("hid.dll"));
    library.reset();
    EXPECT_EQ(nullptr, GetModuleHandleA("hid.dll"));
  }
}

}  // namespace

// The handle owners: each closes exactly what it holds, once.
#include "base/handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

namespace {

bool IsOpen(HANDLE h) {
  DWORD flags = 0;
  return GetHandleInformation(h, &flags) != FALSE;
}

TEST(Handles, MovesResetsAndReleasesCloseEachHandleOnce) {
  HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE second = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  {
    fw::Handle first(raw);
    fw::Handle third(std::move(first));
    EXPECT_EQ(nullptr, first.get());
    third = std::move(third);  // self-move keeps the handle
    fw::Handle owner;
    owner = std::move(third);
    EXPECT_EQ(raw, owner.get());
    EXPECT_TRUE(IsOpen(raw));
    owner.reset(second);
    EXPECT_FALSE(IsOpen(raw));
    EXPECT_EQ(second, owner.release());
    EXPECT_FALSE(owner);
  }
  EXPECT_TRUE(IsOpen(second)) << "released means no longer ours to close";
  CloseHandle(second);

  fw::FileHandle failed(
      CreateFileA("Z:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(failed) << "INVALID_HANDLE_VALUE is empty";
  failed.reset();  // must not try to close INVALID_HANDLE_VALUE
  EXPECT_EQ(INVALID_HANDLE_VALUE, failed.release());
}

}  // namespace

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

}  // namespace

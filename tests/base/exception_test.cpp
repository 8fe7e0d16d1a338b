// Exception classes: codes, the raising module, and the file name slots.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "base/exceptions.h"

namespace {

TEST(Exceptions, CodesAndRaisingModule) {
  EXPECT_EQ(7, CXException(7).GetCode());
  EXPECT_EQ(2, CXMemException().GetCode());
  CXIFaceException iface(typeid(int));
  EXPECT_EQ(10, iface.GetCode());
  EXPECT_EQ(typeid(int), iface.GetInterface());
  CXFileException file(4, 1, "name.txt");
  EXPECT_EQ(4, file.GetCode());
  EXPECT_EQ(1, file.GetOperation());
  EXPECT_EQ(GetModuleHandleA(nullptr), CXException(1).GetModule());
  EXPECT_EQ(GetModuleHandleA(nullptr), file.GetModule());
  try {
    throw CXMemException();
  } catch (const CXException& e) {
    EXPECT_EQ(2, e.GetCode());
    e.Reserved();
  }
}

TEST(FileExceptionSlots, FifthExceptionSharesSlotZero) {
  CXFileException* first = new CXFileException(1, 1, "first");
  CXFileException second(1, 1, "second");
  CXFileException third(1, 1, "third");
  CXFileException fourth(1, 1, "fourth");
  const char* slots[] = {first->GetFileName(), second.GetFileName(), third.GetFileName(),
                         fourth.GetFileName()};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) EXPECT_NE(slots[i], slots[j]) << i << " and " << j;
  EXPECT_EQ(CXFileException::NAME_SLOT_SIZE, slots[1] - slots[0]);

  CXFileException fifth(1, 1, "fifth");
  EXPECT_EQ(slots[0], fifth.GetFileName());
  EXPECT_STREQ("fifth", first->GetFileName());
  EXPECT_STREQ("fourth", fourth.GetFileName());

  delete first;  // slot 0 is still the fifth's
  EXPECT_STREQ("fifth", fifth.GetFileName());
  CXFileException sixth(1, 1, "sixth");
  EXPECT_EQ(slots[0], sixth.GetFileName()) << "all slots busy again";
}

TEST(FileExceptionSlots, FreedSlotIsTakenFirst) {
  const char* slot1;
  {
    CXFileException a(1, 1, "a");
    {
      CXFileException b(1, 1, "b");
      slot1 = b.GetFileName();
    }
    CXFileException c(1, 1, "c");
    EXPECT_EQ(slot1, c.GetFileName());
    EXPECT_STREQ("a", a.GetFileName());
  }
  CXFileException d(1, 1, "d");
  EXPECT_EQ(slot1 - CXFileException::NAME_SLOT_SIZE, d.GetFileName());
}

TEST(FileExceptionSlots, CopiesShareTheSlotAndKeepTheNameUntilTheLastGoes) {
  CXFileException original(5, 2, "shared.txt");
  {
    CXFileException copy(original);
    EXPECT_EQ(original.GetFileName(), copy.GetFileName());
    EXPECT_EQ(2, copy.GetOperation());
    EXPECT_EQ(5, copy.GetCode());
  }
  EXPECT_STREQ("shared.txt", original.GetFileName()) << "destroying a copy must not blank the name";
  // Caught by value on purpose: the handler's copy dies before the thrown object.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcatch-value"
  try {
    throw original;
  } catch (CXFileException caught) {
    EXPECT_STREQ("shared.txt", caught.GetFileName());
  }
#pragma GCC diagnostic pop
  EXPECT_STREQ("shared.txt", original.GetFileName());
  CXFileException assigned(1, 1, "other");
  assigned = original;
  EXPECT_EQ(original.GetFileName(), assigned.GetFileName());
}

TEST(FileExceptionSlots, LongAndNullNames) {
  const std::string longName(700, 'n');
  CXFileException tooLong(1, 1, longName.c_str());
  EXPECT_EQ(511u, strlen(tooLong.GetFileName()));
  CXFileException none(1, 1, nullptr);
  EXPECT_STREQ("", none.GetFileName());
}

}  // namespace

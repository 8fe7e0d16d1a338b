// Writing a parameter tree as INI text: exact bytes, what cannot be written, and failures that
// leave the old file in place.
#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "param/ini.h"
#include "param/mem_param.h"
#include "param/param_ref.h"
#include "tests/param/param_test_util.h"

namespace {

class IniWriter : public ::testing::Test {
 protected:
  IniWriter() : file(folder / "out.ini"), root(new_MemParam()) {}
  ScratchFolder folder;
  std::string file;
  QVRef<IParam> root;
};

TEST_F(IniWriter, ValuesThenChildrenDepthFirstInStoreOrderAndOnlyWhatHasALine) {
  SetAt(root.Get(), "z", 1);
  SetAt(root.Get(), "", "default");
  SetAt(root.Get(), "b\\x", 2);
  SetAt(root.Get(), "a\\deep\\y", 3);
  SetAt(root.Get(), "b\\w", 4);
  SetAt(root.Get(), "a\\rect", tagRECT{1, 2, 3, 4});
  // What has no line of its own is left out: a blob, an object, a name with a line break, and
  // a text after its line break.
  QVRef<IParam> other(new_MemParam());
  const CQVVariant blob{QVBlob(4)}, object(static_cast<IQVUnknown*>(other.Get()));
  root->SetValue("blob", &blob);
  root->SetValue("a\\object", &object);
  SetAt(root.Get(), "bad\r\nname", 1);
  SetAt(root.Get(), "broken", "line one\r\n[\\injected]\r\nx=i1");
  ASSERT_EQ(1, Param_Param2IniFile(root.Get(), file.c_str()));
  EXPECT_EQ(
      "\r\n[\\]\r\nz=i1\r\n@=sdefault\r\nbroken=sline one\r\n"
      "\r\n[\\b]\r\nx=i2\r\nw=i4\r\n"
      "\r\n[\\a]\r\nrect=t1,2,3,4\r\n"
      "\r\n[\\a\\deep]\r\ny=i3\r\n",
      ReadWholeFile(file));
}

// A store whose values cannot be read: writing fails half-way.
class FailingParam : public CMemParam {
 public:
  FailingParam() : CMemParam("") {}
  BOOL GetValue(const char*, tagQVVARIANT*) override { throw CXFileException(11, 1, "failing store"); }
};

TEST_F(IniWriter, FailuresLeaveTheOldFileAndNoTemporaryFile) {
  WriteWholeFile(file, "old");
  QVRef<FailingParam> failing(new FailingParam);
  SetAt(failing.Get(), "v", 1);
  EXPECT_THROW(Param_Param2IniFile(failing.Get(), file.c_str()), CXFileException);
  EXPECT_EQ("old", ReadWholeFile(file));
  EXPECT_EQ(Names{"out.ini"}, folder.Entries());

  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  try {
    Param_Param2IniFile(root.Get(), file.c_str());
    ADD_FAILURE() << "no exception for a read-only file";
  } catch (const CXException& e) {
    EXPECT_EQ(9, e.GetCode());
  }
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("old", ReadWholeFile(file));
  EXPECT_EQ(Names{"out.ini"}, folder.Entries());
}

}  // namespace

// Writing a parameter tree as INI text: exact bytes, what cannot be written, round trips,
// and failures that leave the old file in place.
#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "param/ini.h"
#include "param/mem_param.h"
#include "param/param_ref.h"
#include "tests/param/file_test_util.h"
#include "tests/param/param_test_util.h"

namespace {

class IniWriter : public ::testing::Test {
 protected:
  IniWriter() : file(folder / "out.ini") {}
  std::string Written(IParam* root) {
    EXPECT_EQ(1, Param_Param2IniFile(root, file.c_str()));
    return ReadWholeFile(file);
  }
  ScratchFolder folder;
  std::string file;
};

TEST_F(IniWriter, ValuesThenChildrenDepthFirstInStoreOrder) {
  QVRef<IParam> root(new_MemParam());
  SetInt(root.Get(), "z", 1);
  SetText(root.Get(), "", "default");
  SetInt(root.Get(), "b\\x", 2);
  SetInt(root.Get(), "a\\deep\\y", 3);
  SetInt(root.Get(), "b\\w", 4);
  const tagRECT rect = {1, 2, 3, 4};
  const CQVVariant r(rect);
  root->SetValue("a\\rect", &r);
  EXPECT_EQ(
      "\r\n[\\]\r\nz=i1\r\n@=sdefault\r\n"
      "\r\n[\\b]\r\nx=i2\r\nw=i4\r\n"
      "\r\n[\\a]\r\nrect=t1,2,3,4\r\n"
      "\r\n[\\a\\deep]\r\ny=i3\r\n",
      Written(root.Get()));
}

TEST_F(IniWriter, WhatHasNoLineIsLeftOut) {
  QVRef<IParam> root(new_MemParam());
  QVBlob blob(4);
  const CQVVariant blobValue(blob);
  root->SetValue("blob", &blobValue);
  QVRef<IParam> other(new_MemParam());
  const CQVVariant object(static_cast<IQVUnknown*>(other.Get()));
  root->SetValue("object", &object);
  SetText(root.Get(), "broken", "line one\r\n[\\injected]\r\nx=i1");
  SetInt(root.Get(), "bad\r\nname", 1);
  SetInt(root.Get(), "kept", 1);
  EXPECT_EQ("\r\n[\\]\r\nbroken=sline one\r\nkept=i1\r\n", Written(root.Get()));
}

TEST_F(IniWriter, StringsAreCutAtSeparatorsWhenReadBack) {
  QVRef<IParam> root(new_MemParam());
  SetText(root.Get(), "semi", "before;after");
  SetText(root.Get(), "bar", "left|right");
  EXPECT_EQ("\r\n[\\]\r\nsemi=sbefore;after\r\nbar=sleft|right\r\n", Written(root.Get()));
  QVRef<IParam> back(new_MemParam());
  ASSERT_EQ(1, Param_IniFile2Param(file.c_str(), back.Get()));
  EXPECT_EQ("s:before", ValueAt(back.Get(), "semi"));
  EXPECT_EQ("s:left", ValueAt(back.Get(), "bar"));
  EXPECT_EQ("i:0", ValueAt(back.Get(), "right")) << "the rest became an entry of its own";
}

TEST_F(IniWriter, RoundTripOfEveryType) {
  QVRef<IParam> root(new_MemParam());
  const tagSIZE size = {-3, 4};
  const tagRPOINT rpoint = {0.5, -1e-3};
  const tagRRECT rrect = {1, 2, 3, 4.5};
  const CQVVariant values[] = {CQVVariant(),
                               CQVVariant(1, QVT_BOOL),
                               CQVVariant(static_cast<unsigned char>(171)),
                               CQVVariant(static_cast<unsigned short>(65535)),
                               CQVVariant(3000000000ul),
                               CQVVariant(-17),
                               CQVVariant(17u),
                               CQVVariant(-170000l),
                               CQVVariant(6.02214076e23),
                               CQVVariant(-0.125f),
                               CQVVariant("a text, with = signs"),
                               CQVVariant(size),
                               CQVVariant(rpoint),
                               CQVVariant(rrect)};
  for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) {
    const std::string name = "child" + std::to_string(i % 3) + "\\v" + std::to_string(i);
    root->SetValue(name.c_str(), &values[i]);
  }
  ASSERT_EQ(1, Param_Param2IniFile(root.Get(), file.c_str()));
  QVRef<IParam> back(new_MemParam());
  ASSERT_EQ(1, Param_IniFile2Param(file.c_str(), back.Get()));
  EXPECT_EQ(TreeText(root.Get()), TreeText(back.Get()));
}

// A store whose values cannot be read: writing fails half-way.
class FailingParam : public CMemParam {
 public:
  FailingParam() : CMemParam("") {}
  BOOL GetValue(const char* path, tagQVVARIANT* out) override {
    throw CXFileException(11, 1, "failing store");
  }
};

TEST_F(IniWriter, FailureLeavesTheOldFileAndNoTemporaryFile) {
  WriteWholeFile(file, "old content");
  QVRef<FailingParam> root(new FailingParam);
  SetInt(root.Get(), "v", 1);
  EXPECT_THROW(Param_Param2IniFile(root.Get(), file.c_str()), CXFileException);
  EXPECT_EQ("old content", ReadWholeFile(file));
  EXPECT_EQ(std::vector<std::string>{"out.ini"}, folder.Entries());
}

TEST_F(IniWriter, ReadOnlyTargetIsRefused) {
  WriteWholeFile(file, "old");
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  QVRef<IParam> root(new_MemParam());
  try {
    Param_Param2IniFile(root.Get(), file.c_str());
    ADD_FAILURE() << "no exception";
  } catch (const CXException& e) {
    EXPECT_EQ(9, e.GetCode());
  }
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("old", ReadWholeFile(file));
  EXPECT_EQ(std::vector<std::string>{"out.ini"}, folder.Entries());
}

}  // namespace

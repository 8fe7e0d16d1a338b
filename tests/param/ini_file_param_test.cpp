// The INI-file store, checked against the file as the system's profile functions see it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/exceptions.h"
#include "param/ini.h"
#include "param/param_ref.h"
#include "tests/param/file_test_util.h"
#include "tests/param/param_test_util.h"

namespace {

typedef std::vector<std::string> Names;

class IniFileParam : public ::testing::Test {
 protected:
  IniFileParam() : file(folder / "store.ini") {}
  void SetUp() override { root.Reset(new_IParamIniFile(file.c_str())); }
  std::string Key(const char* section, const char* key) { return ProfileString(file, section, key); }
  ScratchFolder folder;
  std::string file;
  QVRef<IParam> root;
};

TEST_F(IniFileParam, ValuesAsTheProfileFunctionsSeeThem) {
  SetInt(root.Get(), "k", 42);
  SetText(root.Get(), "s", "  padded text");
  SetInt(root.Get(), "", 5);
  const tagRECT rect = {1, -2, 3, 4};
  const CQVVariant r(rect);
  root->SetValue("r", &r);
  EXPECT_EQ("i42", Key("\\", "k"));
  EXPECT_EQ("s  padded text", Key("\\", "s"));
  EXPECT_EQ("i5", Key("\\", "@")) << "the default value is the key @";
  EXPECT_EQ("t1,-2,3,4", Key("\\", "r"));
  EXPECT_EQ((Names{"@", "k", "s", "r"}), ValueNames(root.Get())) << "file order";
  EXPECT_EQ("i:42", ValueAt(root.Get(), "K"));
  EXPECT_EQ("s:  padded text", ValueAt(root.Get(), "s"));
  EXPECT_EQ("i:5", ValueAt(root.Get(), nullptr));
}

TEST_F(IniFileParam, UndecodableTextReadsAsMissing) {
  WritePrivateProfileStringA("\\", "big", "w70000", file.c_str());
  WritePrivateProfileStringA("\\", "letter", "q1", file.c_str());
  WritePrivateProfileStringA("\\", "ok", "z10,0x5", file.c_str());
  EXPECT_EQ("missing", ValueAt(root.Get(), "big"));
  EXPECT_EQ("missing", ValueAt(root.Get(), "letter"));
  EXPECT_EQ("z:16,5", ValueAt(root.Get(), "ok"));
}

TEST_F(IniFileParam, EveryTypeRoundTrips) {
  const tagRRECT rrect = {0.5, -1.25, 3, 1e-7};
  const CQVVariant samples[] = {CQVVariant(),
                                CQVVariant(0, QVT_BOOL),
                                CQVVariant(static_cast<unsigned char>(7)),
                                CQVVariant(static_cast<unsigned short>(65535)),
                                CQVVariant(4000000000ul),
                                CQVVariant(-9),
                                CQVVariant(9u),
                                CQVVariant(-90l),
                                CQVVariant(2.5),
                                CQVVariant(0.25f),
                                CQVVariant("text"),
                                CQVVariant(rrect)};
  for (size_t row = 0; row < sizeof samples / sizeof samples[0]; ++row) {
    const std::string name = "v" + std::to_string(row);
    root->SetValue(name.c_str(), &samples[row]);
    CQVVariant back;
    ASSERT_TRUE(root->GetValue(name.c_str(), &back)) << "row " << row;
    EXPECT_TRUE(back == samples[row]) << "row " << row << ": " << Describe(back);
  }
  QVBlob blob(3);
  const CQVVariant blobValue(blob);
  root->SetValue("blob", &blobValue);
  EXPECT_EQ("<absent>", Key("\\", "blob")) << "a type without a letter is not written";
  SetInt(root.Get(), "line\r\nbreak", 1);
  EXPECT_EQ(13u, ValueNames(root.Get()).size());
}

TEST_F(IniFileParam, DeleteOperations) {
  SetInt(root.Get(), "x", 1);
  SetInt(root.Get(), "y", 2);
  root->DeleteValue("X");
  EXPECT_EQ("<absent>", Key("\\", "x"));
  root->DeleteValue("never there");
  root->DeleteAllValues();
  EXPECT_EQ(Names{"@"}, ValueNames(root.Get())) << "@=e is written again";
  EXPECT_EQ("e", Key("\\", "@"));

  SetInt(root.Get(), "p\\v", 1);
  SetInt(root.Get(), "p\\q\\v", 1);
  SetInt(root.Get(), "r\\v", 1);
  root->DeleteChild("p");
  EXPECT_EQ(Names{"r"}, ChildNames(root.Get()));
  EXPECT_EQ("<absent>", Key("\\p\\q", "v"));
  root->DeleteAllChildren();
  EXPECT_EQ(Names{}, ChildNames(root.Get()));
  root->RemoveAll();
  char sections[256] = {'x', 0, 0};
  GetPrivateProfileSectionNamesA(sections, sizeof sections, file.c_str());
  EXPECT_STREQ("", sections);
}

}  // namespace

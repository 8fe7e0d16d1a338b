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
  IniFileParam() : folder("inifile"), file(folder / "store.ini") {}
  void SetUp() override { root.Reset(new_IParamIniFile(file.c_str())); }
  std::string Key(const char* section, const char* key) { return ProfileString(file, section, key); }
  ScratchFolder folder;
  std::string file;
  QVRef<IParam> root;
};

TEST_F(IniFileParam, NewFileGetsTheRootSection) {
  EXPECT_EQ("e", Key("\\", "@"));
  char sections[256] = {};
  GetPrivateProfileSectionNamesA(sections, sizeof sections, file.c_str());
  EXPECT_STREQ("\\", sections);
  EXPECT_EQ(Names{"@"}, ValueNames(root.Get()));
}

TEST_F(IniFileParam, FolderIsMadeForTheFile) {
  const std::string deep = folder / "one\\two\\deep.ini";
  QVRef<IParam> store(new_IParamIniFile(deep.c_str()));
  EXPECT_EQ("e", ProfileString(deep, "\\", "@"));
}

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

TEST_F(IniFileParam, PathsNameSections) {
  SetInt(root.Get(), "a\\b\\c", 1);
  EXPECT_EQ("i1", Key("\\a\\b", "c"));
  EXPECT_EQ("i:1", ValueAt(root.Get(), "A\\B\\c"));
  EXPECT_EQ(Names{"a"}, ChildNames(root.Get()));
  QVRef<IParam> a(root->GetChild("a", FALSE));
  ASSERT_TRUE(a) << "a section below makes the child exist";
  EXPECT_EQ(Names{"b"}, ChildNames(a.Get()));
  EXPECT_EQ("i:1", ValueAt(a.Get(), "b\\c"));
  QVRef<IParam> b(root->GetChild("a\\b", FALSE));
  ASSERT_TRUE(b) << "a child name is a part of the section path";
  EXPECT_EQ("i:1", ValueAt(b.Get(), "c"));
}

TEST_F(IniFileParam, MissingValuesAndChildren) {
  CQVVariant out(3);
  EXPECT_FALSE(root->GetValue("nothing", &out));
  EXPECT_EQ(QVT_EMPTY, out.vt) << "the output is cleared";
  EXPECT_FALSE(root->GetValue("no\\such", nullptr));
  EXPECT_FALSE(QVRef<IParam>(root->GetChild("missing", FALSE)));
  char sections[256] = {};
  GetPrivateProfileSectionNamesA(sections, sizeof sections, file.c_str());
  EXPECT_STREQ("\\", sections) << "looking created nothing";
  EXPECT_FALSE(QVRef<IParam>(root->GetChild("", TRUE)));
  EXPECT_FALSE(QVRef<IParam>(root->GetChild("bad\nname", TRUE)));
}

TEST_F(IniFileParam, UndecodableTextReadsAsMissing) {
  WritePrivateProfileStringA("\\", "big", "w70000", file.c_str());
  WritePrivateProfileStringA("\\", "letter", "q1", file.c_str());
  WritePrivateProfileStringA("\\", "ok", "z10,0x5", file.c_str());
  EXPECT_EQ("missing", ValueAt(root.Get(), "big"));
  EXPECT_EQ("missing", ValueAt(root.Get(), "letter"));
  EXPECT_EQ("z:16,5", ValueAt(root.Get(), "ok"));
}

TEST_F(IniFileParam, NothingIsKeptInMemory) {
  SetInt(root.Get(), "v", 1);
  WritePrivateProfileStringA("\\", "v", "i2", file.c_str());
  WritePrivateProfileStringA("\\", "w", "sfrom outside", file.c_str());
  EXPECT_EQ("i:2", ValueAt(root.Get(), "v"));
  EXPECT_EQ("s:from outside", ValueAt(root.Get(), "w"));
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

TEST_F(IniFileParam, ChildrenInFileOrderEachOnce) {
  WriteBytes(file,
             "[\\]\r\n@=e\r\n[\\a]\r\nx=i1\r\n[\\ab]\r\nx=i1\r\n[\\a\\inner]\r\nx=i1\r\n"
             "[\\b\\c]\r\nx=i1\r\n[\\A\\other]\r\nx=i1\r\n[Outside]\r\nx=i1\r\n");
  EXPECT_EQ((Names{"a", "ab", "b"}), ChildNames(root.Get()));
  QVRef<IParam> a(root->GetChild("a", FALSE));
  ASSERT_TRUE(a);
  EXPECT_EQ((Names{"inner", "other"}), ChildNames(a.Get())) << "\\ab is no child of \\a";
}

TEST_F(IniFileParam, CreateChildEmptiesWhatWasThere) {
  SetInt(root.Get(), "c\\old", 1);
  SetInt(root.Get(), "c\\deeper\\older", 1);
  SetInt(root.Get(), "cousin\\keep", 1);
  QVRef<IParam> c(root->CreateChild("C"));
  ASSERT_TRUE(c);
  EXPECT_EQ(Names{"@"}, ValueNames(c.Get()));
  EXPECT_EQ(Names{}, ChildNames(c.Get()));
  EXPECT_EQ("<absent>", Key("\\c\\deeper", "older"));
  EXPECT_EQ("i1", Key("\\cousin", "keep"));
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

TEST_F(IniFileParam, ChildrenHoldTheirParent) {
  QVRef<IParam> child(root->GetChild("c", TRUE));
  EXPECT_EQ(2, RefCount(root.Get()));
  root.Reset();
  SetInt(child.Get(), "v", 1);
  EXPECT_EQ("i1", Key("\\c", "v"));
}

TEST_F(IniFileParam, TheReaderReadsWhatTheStoreWrote) {
  SetInt(root.Get(), "top", 1);
  SetText(root.Get(), "a\\b\\deep", "text");
  QVRef<IParam> memory(new_MemParam());
  ASSERT_EQ(1, Param_IniFile2Param(file.c_str(), memory.Get()));
  EXPECT_EQ("i:1", ValueAt(memory.Get(), "top"));
  EXPECT_EQ("s:text", ValueAt(memory.Get(), "a\\b\\deep"));
  EXPECT_EQ("e", ValueAt(memory.Get(), "@"));
}

TEST_F(IniFileParam, StoreReadsWhatTheWriterWrote) {
  QVRef<IParam> memory(new_MemParam());
  SetInt(memory.Get(), "n", 3);
  SetInt(memory.Get(), "a\\b\\v", 4);
  const std::string written = folder / "written.ini";
  ASSERT_EQ(1, Param_Param2IniFile(memory.Get(), written.c_str()));
  QVRef<IParam> store(new_IParamIniFile(written.c_str()));
  EXPECT_EQ("i:3", ValueAt(store.Get(), "n"));
  EXPECT_EQ("i:4", ValueAt(store.Get(), "a\\b\\v"));
  EXPECT_EQ(Names{"a"}, ChildNames(store.Get()));
}

TEST_F(IniFileParam, RelativeNamesMeanTheCurrentFolder) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
  {
    QVRef<IParam> store(new_IParamIniFile("relative.ini"));
    SetInt(store.Get(), "v", 1);
  }
  SetCurrentDirectoryA(previous);
  EXPECT_EQ("i1", ProfileString(folder / "relative.ini", "\\", "v"));
  EXPECT_THROW(new_IParamIniFile(nullptr), CXFileException);
  EXPECT_THROW(new_IParamIniFile(""), CXFileException);
}

TEST_F(IniFileParam, QueryInterfaceAnswersFromRegisteredInterfaces) {
  EXPECT_TRUE(root->QueryInterface(typeid(IRegisterIface), nullptr));
  EXPECT_FALSE(root->QueryInterface(typeid(IParam), nullptr));
}

}  // namespace

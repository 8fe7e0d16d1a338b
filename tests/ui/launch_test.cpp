#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "ui/launch.h"

namespace {

PMAcad Product() {
  PMAcad product;
  product.ProductName = "AutoCAD LT 2009";
  product.Key = "Software\\Autodesk\\AutoCAD LT\\R17.2\\ACADLT-7001:409";
  product.ExePath = "C:\\Program Files\\AutoCAD LT 2009\\acadlt.exe";
  for (const char* name : {"NoTemplate", "Drawing", "Other"}) {
    PMApplication application;
    application.Name = name;
    product.Applications.push_back(application);
  }
  product.Applications[1].Template = "C:\\Templates\\iso a3.dwt";
  product.Applications[1].ShortcutIconName = "C:\\Icons\\drawing.ico";
  product.Applications[2].Template = "C:\\Other.dwt";
  return product;
}

PMAcadProfile Profile(const PMAcad& product, const std::string& name, LONG drawingState = LinkLinked) {
  PMAcadProfile profile;
  profile.Name = name;
  for (size_t i = 0; i < product.Applications.size(); ++i) {
    PMAcadAppLink link;
    link.Name = product.Applications[i].Name;
    link.Application = static_cast<int>(i);
    link.State = LinkLinked;
    profile.Links.push_back(link);
  }
  profile.Links[1].State = drawingState;
  return profile;
}

TEST(RunArguments, IdProfileAndTheFirstLinkedTemplate) {
  PMAcad product = Product();
  EXPECT_EQ("-r -a \"AutoCAD LT\\R17.2\\ACADLT-7001:409\" -p \"Work\" -AcCL -t \"C:\\Templates\\iso a3.dwt\"",
            RunArguments(product, Profile(product, "Work")));
  // A link that is not stored does not count: the next linked template is taken.
  EXPECT_EQ("-r -a \"AutoCAD LT\\R17.2\\ACADLT-7001:409\" -p \"Work\" -AcCL -t \"C:\\Other.dwt\"",
            RunArguments(product, Profile(product, "Work", LinkEnable)));
  EXPECT_EQ("\"C:\\T\\Tarnwick.exe\" -r -a \"AutoCAD LT\\R17.2\\ACADLT-7001:409\" -p \"Work\" -AcCL -t "
            "\"C:\\Templates\\iso a3.dwt\"",
            RunCommandLine("C:\\T\\Tarnwick.exe", product, Profile(product, "Work")));
}

TEST(RunArguments, NoAcCLWithoutATemplate) {
  PMAcad product = Product();
  product.Applications[1].Template.clear();
  product.Applications[2].Template.clear();
  EXPECT_EQ("-r -a \"AutoCAD LT\\R17.2\\ACADLT-7001:409\" -p \"Work\"", RunArguments(product, Profile(product, "Work")));
  PMAcadProfile unlinkedOnly = Profile(Product(), "P");
  for (PMAcadAppLink& link : unlinkedOnly.Links) link.State = LinkNotLinked;
  EXPECT_EQ(std::string::npos, RunArguments(Product(), unlinkedOnly).find("-AcCL"));
}

TEST(RunArguments, QuotesCannotBreakOut) {
  PMAcad product = Product();
  product.Applications[1].Template = "C:\\Templates\\";
  EXPECT_EQ("-r -a \"AutoCAD LT\\R17.2\\ACADLT-7001:409\" -p \"Work\\\" -AcCL /b x.scr\" -AcCL -t \"C:\\Templates\\\\\"",
            RunArguments(product, Profile(product, "Work\" -AcCL /b x.scr")));
}

TEST(ShortcutFileName, DropsCharactersFilesCannotHold) {
  PMAcad product = Product();
  EXPECT_EQ("AutoCAD LT 2009 in ab c.lnk", ShortcutFileName(product, Profile(product, "a<>\\/:?*b c")));
  EXPECT_EQ("AutoCAD LT 2009 in Work.lnk", ShortcutFileName(product, Profile(product, "Work")));
}

std::string TempBase() {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "tw_folder_" + std::to_string(::GetCurrentProcessId());
}

TEST(PrivateFolder, DigitsAccumulateWhileFoldersExist) {
  const std::string base = TempBase();
  std::vector<std::string> made;
  for (int i = 0; i < 10; ++i) made.push_back(MakePrivateFolder(base));
  EXPECT_EQ(base, made[0]);
  EXPECT_EQ(base + "0", made[1]);
  EXPECT_EQ(base + "01", made[2]);
  EXPECT_EQ(base + "012345678", made[9]);
  EXPECT_EQ("", MakePrivateFolder(base));  // ten tries, all taken
  for (const std::string& folder : made) ::RemoveDirectoryA(folder.c_str());
}

TEST(FileDropData, HeaderPathAndTwoZeros) {
  const std::string path = "C:\\Temp\\_APM\\AutoCAD in Work.lnk";
  fw::GlobalMemory memory = MakeFileDropData(path);
  ASSERT_TRUE(memory);
  EXPECT_EQ(281u, ::GlobalSize(memory.get()));
  const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(memory.get()));
  const DROPFILES* header = reinterpret_cast<const DROPFILES*>(bytes);
  EXPECT_EQ(20u, header->pFiles);
  EXPECT_FALSE(header->fWide);
  EXPECT_EQ(path, std::string(reinterpret_cast<const char*>(bytes + 20)));
  EXPECT_EQ(0, bytes[20 + path.size()]);
  EXPECT_EQ(0, bytes[21 + path.size()]);
  ::GlobalUnlock(memory.get());

  // A longer path gets a larger block instead of running past the end.
  std::string longPath(400, 'x');
  fw::GlobalMemory large = MakeFileDropData(longPath);
  EXPECT_EQ(20u + 400u + 2u, ::GlobalSize(large.get()));
}

class Shortcut : public ::testing::Test {
 protected:
  void SetUp() override { ::CoInitialize(nullptr); }
  void TearDown() override { ::CoUninitialize(); }
};

TEST_F(Shortcut, FileReadsBackThroughTheShellLink) {
  PMAcad product = Product();
  std::string folder, file;
  {
    ProfileShortcut shortcut("C:\\Tools\\Tarnwick.exe", product, Profile(product, "Work: a?"));
    ASSERT_FALSE(shortcut.Path().empty());
    folder = shortcut.Folder();
    file = shortcut.Path();
    EXPECT_EQ(folder + "\\AutoCAD LT 2009 in Work a.lnk", file);

    IShellLinkA* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                             reinterpret_cast<void**>(&link))));
    IPersistFile* persist = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))));
    std::wstring wide(file.begin(), file.end());
    ASSERT_TRUE(SUCCEEDED(persist->Load(wide.c_str(), STGM_READ)));
    char text[1024] = "";
    int icon = -1;
    link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    EXPECT_STREQ("C:\\Tools\\Tarnwick.exe", text);
    link->GetArguments(text, sizeof text);
    EXPECT_STREQ("-r -a \"AutoCAD LT\\R17.2\\ACADLT-7001:409\" -p \"Work: a?\" -AcCL -t \"C:\\Templates\\iso a3.dwt\"",
                 text);
    link->GetDescription(text, sizeof text);
    EXPECT_STREQ("Starts AutoCAD LT 2009 in the profile Work: a?", text);
    link->GetIconLocation(text, sizeof text, &icon);
    EXPECT_STREQ("C:\\Icons\\drawing.ico", text);
    EXPECT_EQ(0, icon);
    persist->Release();
    link->Release();
  }
  // Removed with its folder.
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(file.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder.c_str()));
}

TEST_F(Shortcut, SecondShortcutGoesToTheFallbackFolder) {
  PMAcad product = Product();
  for (PMApplication& application : product.Applications) application.ShortcutIconName.clear();
  ProfileShortcut first("C:\\Tarnwick.exe", product, Profile(product, "A"));
  ProfileShortcut second("C:\\Tarnwick.exe", product, Profile(product, "B"));
  ASSERT_FALSE(first.Path().empty());
  ASSERT_FALSE(second.Path().empty());
  EXPECT_EQ(first.Folder() + "0", second.Folder());

  IShellLinkA* link = nullptr;
  ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&link))));
  IPersistFile* persist = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  std::wstring wide(second.Path().begin(), second.Path().end());
  ASSERT_TRUE(SUCCEEDED(persist->Load(wide.c_str(), STGM_READ)));
  char icon[MAX_PATH] = "";
  int index = -1;
  link->GetIconLocation(icon, sizeof icon, &index);
  EXPECT_STREQ("C:\\Program Files\\AutoCAD LT 2009\\acadlt.exe", icon);  // no application icon: the product's
  persist->Release();
  link->Release();
}

}  // namespace

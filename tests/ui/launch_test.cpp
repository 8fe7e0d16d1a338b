// What the main dialog starts and hands out without a window: the run command, the profile shortcut
// and its drop data, and where help is looked for.
#include "ui/launch.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include "tests/support/scratch_folder.h"
#include "ui/main_dialog_help.h"

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

TEST(RunArguments, IdProfileAndTheFirstLinkedTemplateQuotedSoThatNothingBreaksOut) {
  const std::string id = "-r -a \"AutoCAD LT\\R17.2\\ACADLT-7001:409\" -p ";
  const struct {
    std::string profile, drawingTemplate;  // the template of the second application
    LONG drawingState;
    std::string arguments;
  } rows[] = {
      {"Work", "C:\\Templates\\iso a3.dwt", LinkLinked,
       id + "\"Work\" -AcCL -t \"C:\\Templates\\iso a3.dwt\""},
      // A link that is not stored does not count: the next linked template is taken.
      {"Work", "C:\\Templates\\iso a3.dwt", LinkEnable, id + "\"Work\" -AcCL -t \"C:\\Other.dwt\""},
      {"Work\" -AcCL /b x.scr", "C:\\Templates\\", LinkLinked,
       id + "\"Work\\\" -AcCL /b x.scr\" -AcCL -t \"C:\\Templates\\\\\""},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    PMAcad product = Product();
    product.Applications[1].Template = rows[row].drawingTemplate;
    EXPECT_EQ(rows[row].arguments,
              RunArguments(product, Profile(product, rows[row].profile, rows[row].drawingState)))
        << "row " << row;
  }
  // No template among the linked applications: no -AcCL.
  PMAcad product = Product();
  product.Applications[1].Template.clear();
  product.Applications[2].Template.clear();
  EXPECT_EQ(id + "\"Work\"", RunArguments(product, Profile(product, "Work")));
}

TEST(PrivateFolder, DigitsAccumulateWhileFoldersExist) {
  ScratchFolder scratch;
  const std::string base = scratch / "_APM";
  std::vector<std::string> made;
  for (int i = 0; i < 10; ++i) made.push_back(MakePrivateFolder(base));
  EXPECT_EQ(base, made[0]);
  EXPECT_EQ(base + "012345678", made[9]);
  EXPECT_EQ("", MakePrivateFolder(base));  // ten tries, all taken
}

TEST(FileDropData, HeaderPathAndTwoZeros) {
  const std::string path = "C:\\Temp\\_APM\\AutoCAD in Work.lnk";
  fw::GlobalMemory memory = MakeFileDropData(path);
  ASSERT_EQ(281u, ::GlobalSize(memory.get()));
  const char* bytes = static_cast<const char*>(::GlobalLock(memory.get()));
  EXPECT_EQ(20u, reinterpret_cast<const DROPFILES*>(bytes)->pFiles);
  EXPECT_FALSE(reinterpret_cast<const DROPFILES*>(bytes)->fWide);
  EXPECT_EQ(path + std::string(2, '\0'), std::string(bytes + 20, path.size() + 2));
  ::GlobalUnlock(memory.get());
  // A longer path gets a larger block instead of running past the end.
  EXPECT_EQ(20u + 400u + 2u, ::GlobalSize(MakeFileDropData(std::string(400, 'x')).get()));
}

// The shortcut as the shell reads it back: "path|arguments|description|icon,index".
std::string ReadShortcut(const std::string& file) {
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
    return "(no shell link)";
  char path[MAX_PATH] = "", arguments[1024] = "", description[1024] = "", icon[MAX_PATH] = "";
  int index = -1;
  const std::wstring wide(file.begin(), file.end());
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
      SUCCEEDED(persist->Load(wide.c_str(), STGM_READ))) {
    link->GetPath(path, sizeof path, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, sizeof arguments);
    link->GetDescription(description, sizeof description);
    link->GetIconLocation(icon, sizeof icon, &index);
  }
  if (persist) persist->Release();
  link->Release();
  return std::string(path) + "|" + arguments + "|" + description + "|" + icon + "," + std::to_string(index);
}

TEST(Shortcut, StartsTheProgramInTheProfileAndGoesWithItsFolder) {
  ::CoInitialize(nullptr);
  PMAcad product = Product();
  std::string folder, file;
  {
    // Characters a file name cannot hold are left out of it.
    ProfileShortcut shortcut("C:\\Tools\\Tarnwick.exe", product, Profile(product, "Work: a?<>\\/*"));
    folder = shortcut.Folder();
    file = shortcut.Path();
    EXPECT_EQ(folder + "\\AutoCAD LT 2009 in Work a.lnk", file);
    EXPECT_EQ("C:\\Tools\\Tarnwick.exe|" + RunArguments(product, Profile(product, "Work: a?<>\\/*")) +
                  "|Starts AutoCAD LT 2009 in the profile Work: a?<>\\/*|C:\\Icons\\drawing.ico,0",
              ReadShortcut(file));
    // Without an application icon it shows the product's.
    product.Applications[1].ShortcutIconName.clear();
    ProfileShortcut second("C:\\Tarnwick.exe", product, Profile(product, "B"));
    const std::string read = ReadShortcut(second.Path());
    EXPECT_EQ("C:\\Program Files\\AutoCAD LT 2009\\acadlt.exe,0", read.substr(read.rfind('|') + 1));
  }
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(file.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder.c_str()));
  ::CoUninitialize();
}

TEST(HelpFile, BesideTheProgramOrAboveAnAddOnFolder) {
  const struct {
    const char *program, *help, *guide;
  } rows[] = {
      {"C:\\P\\TARNWICK.EXE", "C:\\P\\TARNWICK.hlp", "C:\\P\\TARNWICK.html"},
      {"C:\\tools.exe.d\\Tarnwick.exe", "C:\\tools.exe.d\\Tarnwick.hlp", "C:\\tools.exe.d\\Tarnwick.html"},
      {"C:\\Apps\\Tarnwick.alx\\Tarnwick.exe", "C:\\Apps\\Tarnwick.hlp",
       "C:\\Apps\\Tarnwick.alx\\Tarnwick.html"},
      {"", ".hlp", ".html"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    EXPECT_EQ(rows[row].help, HelpFilePath(rows[row].program)) << "row " << row;
    EXPECT_EQ(rows[row].guide, UserGuidePath(rows[row].program)) << "row " << row;
  }
  // The WinHelp macro doubles backslashes and turns slashes into them.
  EXPECT_EQ("JumpID(\"\\\\\\\\server\\\\share\\\\a\\\\b.hlp\",\"TarnwickMain\")",
            HelpJumpMacro("//server/share\\a/b.hlp", kMainHelpTopic));
}

}  // namespace

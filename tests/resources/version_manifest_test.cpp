// The version resource, read through the version API from this program's file, and the
// application manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tarnwick_version.h"
#include "tests/resources/own_resources.h"

namespace restest {
namespace {

std::string ModulePath(const char* besideThisProgram) {
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text = path;
  return besideThisProgram ? text.substr(0, text.find_last_of('\\') + 1) + besideThisProgram : text;
}

std::vector<char> VersionInfo(const std::string& path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  std::vector<char> info(size);
  if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, info.data())) info.clear();
  return info;
}

std::string VersionString(const std::vector<char>& info, const char* name) {
  std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) return "(none)";
  return value;
}

// The program (this test carries its resources) and the registration library beside it carry
// the one version of the build, in numbers and in text.
TEST(VersionResource, TheProgramAndTheRegistrationLibrary) {
  struct Row {
    const char* beside;  // null: this program
    DWORD fileType;
    const char* originalName;
    const char* description;
  };
  const Row rows[] = {
      {nullptr, VFT_APP, "Tarnwick.exe", "Orvane for AutoCAD"},
      {"QvApmReg.dll", VFT_DLL, "QvApmReg.dll", "Orvane application registration library"},
  };
  const DWORD versionMs = MAKELONG(TW_VERSION_MINOR, TW_VERSION_MAJOR);
  const DWORD versionLs = MAKELONG(TW_VERSION_TWEAK, TW_VERSION_PATCH);
  ASSERT_EQ(0u, std::string(TW_FILE_VERSION).rfind(TW_PRODUCT_VERSION ".", 0)) << TW_FILE_VERSION;
  for (size_t row = 0; row < sizeof(rows) / sizeof(rows[0]); ++row) {
    std::vector<char> info = VersionInfo(ModulePath(rows[row].beside));
    ASSERT_FALSE(info.empty()) << "row " << row;
    EXPECT_EQ(TW_PRODUCT_VERSION, VersionString(info, "ProductVersion")) << "row " << row;
    EXPECT_EQ(TW_FILE_VERSION, VersionString(info, "FileVersion")) << "row " << row;
    EXPECT_EQ("Orvane for AutoCAD", VersionString(info, "ProductName")) << "row " << row;
    EXPECT_EQ("Brevent Software", VersionString(info, "CompanyName")) << "row " << row;
    EXPECT_EQ(rows[row].description, VersionString(info, "FileDescription")) << "row " << row;
    EXPECT_EQ(rows[row].originalName, VersionString(info, "OriginalFilename")) << "row " << row;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length))
        << "row " << row;
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu) << "row " << row;
    EXPECT_EQ(versionMs, fixed->dwFileVersionMS) << "row " << row;
    EXPECT_EQ(versionLs, fixed->dwFileVersionLS) << "row " << row;
    EXPECT_EQ(versionMs, fixed->dwProductVersionMS) << "row " << row;
    EXPECT_EQ(versionLs, fixed->dwProductVersionLS) << "row " << row;
    EXPECT_EQ(rows[row].fileType, fixed->dwFileType) << "row " << row;

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length))
        << "row " << row;
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409) << "row " << row;
    EXPECT_EQ(translation[1], 1252) << "row " << row;
  }
}

// Collects resource ids; a resource named by a string shows as 0.
BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  WORD id = IS_INTRESOURCE(name) ? LOWORD(reinterpret_cast<ULONG_PTR>(name)) : 0;
  reinterpret_cast<std::vector<WORD>*>(names)->push_back(id);
  return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

// The text of the first element `tag` inside `xml`, from its "<tag" to its end.
std::string Element(const std::string& xml, const std::string& tag, size_t from = 0) {
  size_t start = xml.find("<" + tag, from);
  if (start == std::string::npos) return std::string();
  size_t end = xml.find('>', start);
  return xml.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
}

TEST(Manifest, OneManifestAsInvokerDpiAwareForVistaTo11WithCommonControls6) {
  HMODULE self = GetModuleHandleA(nullptr);
  std::vector<WORD> names, languages;
  EnumResourceNamesA(self, RT_MANIFEST, CollectName, reinterpret_cast<LONG_PTR>(&names));
  EnumResourceLanguagesA(self, RT_MANIFEST, MAKEINTRESOURCEA(1), CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  ASSERT_EQ(names, std::vector<WORD>{1}) << "the loader reads manifest 1 of a process";
  ASSERT_EQ(languages.size(), 1u) << "a second manifest in another language would be ambiguous";

  auto bytes = FindOwnResource(RT_MANIFEST, 1, languages[0]);
  ASSERT_TRUE(bytes.has_value());
  std::string xml(reinterpret_cast<const char*>(bytes->data), bytes->size);

  std::string level = Element(xml, "requestedExecutionLevel");
  EXPECT_NE(level.find("level=\"asInvoker\""), std::string::npos) << level;

  for (const char* os : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                         "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                         "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(xml.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos) << os;
  }
  // System DPI aware, so that Windows does not stretch the dialogs as bitmaps. Under Wine the process
  // reports itself aware either way, so the text is what is checked.
  EXPECT_NE(xml.find(">true</dpiAware>"), std::string::npos);
  EXPECT_NE(xml.find(">system</dpiAwareness>"), std::string::npos);

  size_t dependency = xml.find("<dependentAssembly");
  ASSERT_NE(dependency, std::string::npos);
  std::string identity = Element(xml, "assemblyIdentity", dependency);
  for (const char* attribute : {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                                "processorArchitecture=\"x86\"", "publicKeyToken=\"6595b64144ccf1df\""}) {
    EXPECT_NE(identity.find(attribute), std::string::npos) << attribute << " in " << identity;
  }
}

TEST(Manifest, SelectsCommonControls6ForThisProcess) {
  // The manifest only matters if the loader honours it: the side-by-side copy of version 6
  // is then the comctl32 of this process (Wine's copy reports 5 through DllGetVersion, so
  // the folder it came from is what tells).
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  char path[MAX_PATH] = {0};
  ASSERT_GT(GetModuleFileNameA(comctl, path, MAX_PATH), 0u);
  std::string folder(path);
  CharLowerBuffA(&folder[0], static_cast<DWORD>(folder.size()));
  EXPECT_NE(folder.find("x86_microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos)
      << path;
}

}  // namespace
}  // namespace restest

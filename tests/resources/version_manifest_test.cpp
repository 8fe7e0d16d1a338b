// The version resource, read through the version API from this program's file, and the
// application manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/resources/own_resources.h"

namespace restest {
namespace {

std::vector<char> OwnVersionInfo() {
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  std::vector<char> info(size);
  if (size == 0 || !GetFileVersionInfoA(path, 0, size, info.data())) info.clear();
  return info;
}

TEST(VersionResource, StringsOfTheUsEnglishBlock) {
  std::vector<char> info = OwnVersionInfo();
  ASSERT_FALSE(info.empty());
  struct Row {
    const char* name;
    const char* value;
  };
  const Row rows[] = {
      {"ProductVersion", "1.0"},
      {"ProductName", "Orvane for AutoCAD"},
      {"FileDescription", "Orvane for AutoCAD"},
      {"CompanyName", "Brevent Software"},
      {"FileVersion", "1.0.0.0"},
      {"OriginalFilename", "Tarnwick.exe"},
  };
  for (size_t row = 0; row < sizeof(rows) / sizeof(rows[0]); ++row) {
    std::string query = std::string("\\StringFileInfo\\040904E4\\") + rows[row].name;
    char* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        << "row " << row << ": " << query;
    EXPECT_STREQ(value, rows[row].value) << "row " << row;
  }
}

TEST(VersionResource, FixedPartAndTranslation) {
  std::vector<char> info = OwnVersionInfo();
  ASSERT_FALSE(info.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1252);
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

TEST(Manifest, OneManifestAsInvokerWithCommonControls6) {
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

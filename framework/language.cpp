#include "framework/language.h"

#include <mbstring.h>
#include <stdarg.h>
#include <stdio.h>

#include <vector>

#include "framework/resource_handle.h"

namespace {

LANGID g_uiLanguage = 0;

bool FileExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ComputeProgramIniPath() {
  char exe[MAX_PATH] = "";
  DWORD n = ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string path(exe, n);
  size_t slash = path.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string base = path.substr(folder.size());
  size_t dot = base.find_last_of('.');
  if (dot != std::string::npos) base.erase(dot);
  std::string beside = folder + base + ".ini";
  if (FileExists(beside)) return beside;
  std::string parent = folder + "..\\" + base + ".ini";
  if (FileExists(parent)) return parent;
  return std::string();
}

std::string ReadIniString(const std::string& iniPath, const char* key) {
  char value[64] = "";
  if (!iniPath.empty()) ::GetPrivateProfileStringA("Language", key, "", value, sizeof value, iniPath.c_str());
  return value;
}

// Reads text as a hexadecimal number the way "%x" does; false when it does not read.
bool ReadHex(const std::string& text, unsigned* value) { return sscanf(text.c_str(), "%x", value) == 1; }

// The 16 counted UTF-16 strings of the block holding id, in language; nullptr when the
// block is not there.
const WCHAR* FindStringBlock(UINT id, LANGID language) {
  HMODULE module = fw::ResourceHandle();
  HRSRC resource = ::FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language);
  if (!resource) return nullptr;
  HGLOBAL loaded = ::LoadResource(module, resource);
  return loaded ? static_cast<const WCHAR*>(::LockResource(loaded)) : nullptr;
}

std::string ToAnsi(const WCHAR* text, int length) {
  if (length <= 0) return std::string();
  int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], size, nullptr, nullptr);
  return result;
}

// The string in the UI language; when that language has no such block, the ordinary
// loader of the resource module. False when the string does not exist.
bool LoadLanguageText(UINT id, std::string* text) {
  if (const WCHAR* block = FindStringBlock(id, g_uiLanguage)) {
    for (UINT slot = 0; slot < id % 16; ++slot) block += 1 + *block;
    *text = ToAnsi(block + 1, *block);
    return true;
  }
  std::vector<char> buffer(1024);
  for (;;) {
    int n = ::LoadStringA(fw::ResourceHandle(), id, buffer.data(), static_cast<int>(buffer.size()));
    if (n <= 0) {
      text->clear();
      return false;
    }
    if (n < static_cast<int>(buffer.size()) - 1) {
      text->assign(buffer.data(), n);
      return true;
    }
    buffer.resize(buffer.size() * 4);
  }
}

// Resource id of type in the UI language, else in English US, else nullptr.
const void* FindLangResource(LPCSTR type, UINT id) {
  HMODULE module = fw::ResourceHandle();
  const LANGID languages[] = {g_uiLanguage, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)};
  for (LANGID language : languages) {
    HRSRC resource = ::FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
    if (!resource) continue;
    HGLOBAL loaded = ::LoadResource(module, resource);
    if (loaded) return ::LockResource(loaded);
  }
  return nullptr;
}

}  // namespace

const std::string& ProgramIniPath() {
  static const std::string path = ComputeProgramIniPath();
  return path;
}

LANGID ChooseUiLanguage(const std::string& iniPath) {
  std::string langId = ReadIniString(iniPath, "LangId");
  std::string subLangId = ReadIniString(iniPath, "SubLangId");
  std::string lang = ReadIniString(iniPath, "Lang");
  unsigned language = 0;
  unsigned primary = 0;
  if (!langId.empty() && ReadHex(langId, &primary)) {
    unsigned sub = 0;
    if (!ReadHex(subLangId, &sub)) sub = 0;
    language = ((sub << 10) | primary) & 0xFFFF;
  }
  if (language == 0) {
    if (!lang.empty())
      language = _mbsicmp(reinterpret_cast<const unsigned char*>(lang.c_str()),
                          reinterpret_cast<const unsigned char*>("RU")) == 0
                     ? 1049
                     : 1033;
    else
      language = ::GetUserDefaultLCID() & 0xFFFF;
  }
  return static_cast<LANGID>(language);
}

LANGID UiLanguage() { return g_uiLanguage; }
void SetUiLanguage(LANGID language) { g_uiLanguage = language; }

const char* LoadLangString(UINT id) {
  static std::string shared;
  LoadLanguageText(id, &shared);
  return shared.c_str();
}

char* LoadLangString(UINT id, char* buffer, int size) {
  std::string text;
  if (!buffer || size <= 0 || !LoadLanguageText(id, &text)) return nullptr;
  lstrcpynA(buffer, text.c_str(), size);
  return buffer;
}

std::string LangString(UINT id) {
  std::string text;
  LoadLanguageText(id, &text);
  return text;
}

const DLGTEMPLATE* LoadLangDialog(UINT id) {
  return static_cast<const DLGTEMPLATE*>(FindLangResource(RT_DIALOG, id));
}

fw::Menu LoadLangMenu(UINT id) {
  const void* menuTemplate = FindLangResource(RT_MENU, id);
  return fw::Menu(menuTemplate ? ::LoadMenuIndirectA(menuTemplate) : nullptr);
}

std::string FormatLangString(UINT id, ...) {
  std::string format = LangString(id);
  va_list args;
  va_start(args, id);
  va_list copy;
  va_copy(copy, args);
  int size = vsnprintf(nullptr, 0, format.c_str(), copy);
  va_end(copy);
  std::string result(size > 0 ? size : 0, '\0');
  if (size > 0) vsnprintf(&result[0], size + 1, format.c_str(), args);
  va_end(args);
  return result;
}

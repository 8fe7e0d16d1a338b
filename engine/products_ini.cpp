#include "engine/products_ini.h"

#include "engine/applications.h"
#include "engine/regdll_bridge.h"

namespace {

// Section names never take more room than the file; the cap keeps a huge file from
// exhausting memory.
const DWORD kMaxSectionNamesBytes = 16 * 1024 * 1024;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

DWORD FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  if (data.nFileSizeHigh != 0 || data.nFileSizeLow > kMaxSectionNamesBytes) return kMaxSectionNamesBytes;
  return data.nFileSizeLow;
}

std::string IdUpToLastBackslash(const std::string& acadId, size_t extra) {
  size_t last = acadId.rfind('\\');
  return last == std::string::npos ? acadId : acadId.substr(0, last + extra);
}

}  // namespace

std::string ProductsIniPathIn(const std::string& folder) {
  const std::string path = folder + "Products" + ".ini";
  fw::FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file ? path : std::string();
}

std::string GetProductsIniPath() { return ProductsIniPathIn(ProgramFolder()); }

StringList ReadIniSectionNames(const std::string& iniPath) {
  StringList names;
  // Room for the list's closing zero even when the file is tiny.
  const DWORD size = FileSize(iniPath) + 2;
  std::string buffer(size, '\0');
  DWORD length = ::GetPrivateProfileSectionNamesA(&buffer[0], size, iniPath.c_str());
  if (length > size) length = size;
  for (size_t at = 0; at < length;) {
    size_t end = buffer.find('\0', at);
    if (end == std::string::npos || end > length) end = length;
    if (end == at) break;
    names.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  return names;
}

std::string PlatformSectionPattern(const std::string& acadId) {
  return "Platform\\" + IdUpToLastBackslash(acadId, 0);
}

std::string ProductsSectionPattern(const std::string& acadId) {
  return "Products\\" + IdUpToLastBackslash(acadId, 1);
}

int PlatformSectionMode(const std::string& section, DWORD registryView) {
  const bool view64 = (registryView & KEY_WOW64_64KEY) != 0;
  if (Contains(section, "\\x32")) return view64 ? 0 : 3;
  if (Contains(section, "\\x64")) return view64 ? 4 : 0;
  return 2;
}

void SetupProducts(const std::vector<PMAcad>& products) {
  SetupProducts(products, GetProductsIniPath(), RegistrationLibrary::Instance());
}

void SetupProducts(const std::vector<PMAcad>& products, const std::string& iniPath,
                   const RegistrationLibrary& library) {
  if (iniPath.empty()) return;
  std::vector<PMAcadKey> keys;
  for (const PMAcad& product : products) keys.push_back(PMAcadKey{product.Key, product.RegistryView});
  const StringList sections = ReadIniSectionNames(iniPath);

  for (const PMAcadKey& key : keys) {
    const std::string id = AcadIdFromKey(key.Key);
    const std::string pattern = PlatformSectionPattern(id);
    for (const std::string& section : sections) {
      if (!Contains(section, pattern)) continue;
      const int mode = PlatformSectionMode(section, key.RegistryView);
      if (mode != 0) library.SetupPManIni(mode, id.c_str(), iniPath.c_str(), section.c_str(), 0);
    }
  }
  for (const PMAcadKey& key : keys) {
    const std::string id = AcadIdFromKey(key.Key);
    const std::string pattern = ProductsSectionPattern(id);
    for (const std::string& section : sections)
      if (Contains(section, pattern))
        library.RegisterAppInPManIniEx(2, id.c_str(), iniPath.c_str(), section.c_str(), 0);
  }
}

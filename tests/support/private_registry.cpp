#include "tests/support/private_registry.h"

#include <sddl.h>

namespace {

LONG g_lastCleanup = ERROR_SUCCESS;

fw::RegKey CreateScratch(const std::string& path) {
  fw::RegKey key;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                    key.put(), nullptr);
  return key;
}

void OpenUpAccess(HKEY parent, const std::string& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KA;;;WD)", SDDL_REVISION_1, &descriptor,
                                                              nullptr))
    return;
  fw::RegKey key;
  if (::RegOpenKeyExA(parent, path.c_str(), 0, WRITE_DAC | KEY_WOW64_64KEY, key.put()) == ERROR_SUCCESS)
    ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  ::LocalFree(descriptor);
}

}  // namespace

LONG DeleteRawTree(HKEY parent, const std::string& rawPath) {
  OpenUpAccess(parent, rawPath);
  fw::RegKey key;
  // Reading is enough: the deletion itself asks for DELETE on each key.
  LONG result = ::RegOpenKeyExA(parent, rawPath.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put());
  if (result != ERROR_SUCCESS) return result;
  for (;;) {
    char name[1024];
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    result = DeleteRawTree(key.get(), name);
    if (result != ERROR_SUCCESS) return result;
  }
  key.reset();
  return ::RegDeleteKeyExA(parent, rawPath.c_str(), KEY_WOW64_64KEY, 0);
}

PrivateRegistry::PrivateRegistry(const std::string& suite) {
  static int counter = 0;
  scratch_ = "Software\\TarnwickTests\\" + suite + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(++counter);
  machine_ = CreateScratch(scratch_ + "\\HKLM");
  user_ = CreateScratch(scratch_ + "\\HKCU");
  if (!machine_ || !user_) return;
  fw::RegKey wow;
  ok_ = ::RegCreateKeyExA(machine_.get(), "Software\\Wow6432Node", 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                          nullptr, wow.put(), nullptr) == ERROR_SUCCESS &&
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_.get()) == ERROR_SUCCESS &&
        ::RegOverridePredefKey(HKEY_CURRENT_USER, user_.get()) == ERROR_SUCCESS;
}

PrivateRegistry::~PrivateRegistry() {
  ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  machine_.reset();
  user_.reset();
  g_lastCleanup = DeleteRawTree(HKEY_CURRENT_USER, scratch_);
}

LONG PrivateRegistry::LastCleanup() { return g_lastCleanup; }
